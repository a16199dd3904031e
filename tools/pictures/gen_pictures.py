#!/usr/bin/python3
"""Generate every picture Noctaris embeds, plus the application icons and the artwork sheet.

The photographs of the Moon, the Sun and the planets and the moon phase pictures are rendered
as lit spheres from equirectangular texture maps (orthographic projection, supersampled,
lighting in linear light). The symbols, toolbar glyphs, icons, emblem and the horizon
silhouette are drawn procedurally. The output is deterministic: running the generator again
reproduces the committed files byte for byte.

Usage (from the project root):
    /usr/bin/python3 tools/pictures/gen_pictures.py [--data ../shared/data] [--out resources]
"""
import argparse
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

# ----------------------------------------------------------------------------------------------
# Colour and sampling helpers


def srgb_to_linear(c):
    c = np.asarray(c, dtype=np.float64)
    return np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)


def linear_to_srgb(c):
    c = np.clip(np.asarray(c, dtype=np.float64), 0.0, 1.0)
    return np.where(c <= 0.0031308, c * 12.92, 1.055 * np.power(c, 1 / 2.4) - 0.055)


def to_u8(c):
    """Linear-light floats to 8-bit sRGB."""
    return np.clip(np.floor(linear_to_srgb(c) * 255.0 + 0.5), 0, 255).astype(np.uint8)


def load_texture(path):
    im = Image.open(path).convert("RGB")
    return srgb_to_linear(np.asarray(im, dtype=np.float64) / 255.0)


def sample_equirect(tex, lon, lat):
    """Bilinear lookup of an equirectangular map; lon, lat in radians (lon 0 at the centre)."""
    h, w, _ = tex.shape
    u = (lon / (2 * math.pi) + 0.5) * w - 0.5
    v = (0.5 - lat / math.pi) * h - 0.5
    v = np.clip(v, 0, h - 1.0001)
    x0 = np.floor(u).astype(np.int64)
    y0 = np.floor(v).astype(np.int64)
    fx = (u - x0)[..., None]
    fy = (v - y0)[..., None]
    x0m = np.mod(x0, w)
    x1m = np.mod(x0 + 1, w)
    y1 = np.minimum(y0 + 1, h - 1)
    a = tex[y0, x0m] * (1 - fx) + tex[y0, x1m] * fx
    b = tex[y1, x0m] * (1 - fx) + tex[y1, x1m] * fx
    return a * (1 - fy) + b * fy


def box_down(a, ss):
    """Average ss x ss blocks (first two axes)."""
    h, w = a.shape[0] // ss, a.shape[1] // ss
    return a.reshape(h, ss, w, ss, *a.shape[2:]).mean(axis=(1, 3))


def rot_x(a):
    c, s = math.cos(a), math.sin(a)
    return np.array([[1, 0, 0], [0, c, -s], [0, s, c]])


def rot_y(a):
    c, s = math.cos(a), math.sin(a)
    return np.array([[c, 0, s], [0, 1, 0], [-s, 0, c]])


def rot_z(a):
    c, s = math.cos(a), math.sin(a)
    return np.array([[c, -s, 0], [s, c, 0], [0, 0, 1]])


def unit(v):
    v = np.asarray(v, dtype=np.float64)
    return v / np.linalg.norm(v)


def sun_from(phase_deg, pa_deg=0.0):
    """Direction to the Sun in view space (x right, y up, z towards the viewer) for a phase
    angle, the lit limb turned by pa_deg counter-clockwise from the right."""
    p, q = math.radians(phase_deg), math.radians(pa_deg)
    return np.array([math.sin(p) * math.cos(q), math.sin(p) * math.sin(q), math.cos(p)])


# ----------------------------------------------------------------------------------------------
# Sphere renderer


class Ring:
    def __init__(self, texture_rgba, inner, outer, gain):
        self.col = srgb_to_linear(texture_rgba[..., :3] / 255.0) * np.array([1.0, 0.93, 0.8])
        self.alpha = texture_rgba[..., 3] / 255.0
        self.inner, self.outer, self.gain = inner, outer, gain

    def lookup(self, r):
        n = len(self.alpha)
        x = np.clip((r - self.inner) / (self.outer - self.inner) * n - 0.5, 0, n - 1.0001)
        i = np.floor(x).astype(np.int64)
        f = x - i
        j = np.minimum(i + 1, n - 1)
        col = self.col[i] * (1 - f)[..., None] + self.col[j] * f[..., None]
        alpha = self.alpha[i] * (1 - f) + self.alpha[j] * f
        inside = (r >= self.inner) & (r <= self.outer)
        return col, np.where(inside, alpha, 0.0)


def render_globe(size, radius, tex, *, center=None, cm=0.0, tilt=0.0, pa=0.0,
                 sun=(0, 0, 1), flattening=0.0, shade="lambert", minnaert=1.0,
                 ambient=0.0, ring=None, ss=6, width=None, height=None, shadow=True):
    """Render a lit globe (and optional rings) over black; returns linear RGB of the picture.

    radius: equatorial radius in pixels; cm: central meridian (deg, texture longitude facing the
    viewer); tilt: latitude of the sub-observer point (deg, north pole towards the viewer when
    positive); pa: turn of the north pole counter-clockwise (deg); sun: view-space direction.
    """
    wdt = width or size
    hgt = height or size
    cx, cy = center if center is not None else (wdt / 2.0, hgt / 2.0)
    xs = ((np.arange(wdt * ss) + 0.5) / ss - cx) / radius
    ys = (cy - (np.arange(hgt * ss) + 0.5) / ss) / radius
    X, Y = np.meshgrid(xs, ys)
    base = np.array([[0, 1, 0], [0, 0, 1], [1, 0, 0]], dtype=np.float64)
    M = rot_z(math.radians(pa)) @ rot_x(math.radians(tilt)) @ base @ rot_z(-math.radians(cm))
    Mt = M.T
    sun_v = unit(sun)
    sun_b = Mt @ sun_v
    # rays: origin (X, Y, 10) travelling along -z in view space
    O = np.stack([X, Y, np.full_like(X, 10.0)], axis=-1) @ M  # = (Mt @ o) per pixel
    D = Mt @ np.array([0.0, 0.0, -1.0])
    c = 1.0 - flattening
    scale = np.array([1.0, 1.0, 1.0 / c])
    Os = O * scale
    Ds = D * scale
    A = Ds @ Ds
    B = 2 * (Os @ Ds)
    C = np.einsum("...i,...i->...", Os, Os) - 1.0
    disc = B * B - 4 * A * C
    hit = disc >= 0
    t_g = np.where(hit, (-B - np.sqrt(np.maximum(disc, 0))) / (2 * A), np.inf)
    P = O + np.where(hit, t_g, 0.0)[..., None] * D
    Nb = P * np.array([1.0, 1.0, 1.0 / (c * c)])
    Nb /= np.linalg.norm(Nb, axis=-1, keepdims=True) + 1e-12
    Nv = Nb @ Mt
    P = np.where(hit[..., None], P, np.array([1.0, 0.0, 0.0]))
    lon = np.arctan2(P[..., 1], P[..., 0])
    lat = np.arctan2(P[..., 2] / c, np.hypot(P[..., 0], P[..., 1]))
    alb = sample_equirect(tex, lon, lat)
    mu0 = np.clip(Nv @ sun_v, 0, None)
    mu = np.clip(Nv[..., 2], 1e-4, None)
    if shade == "lommel":
        light = 2 * mu0 / (mu0 + mu) * 0.85 + 0.15 * mu0
    elif shade == "minnaert":
        light = np.power(mu0, minnaert) * np.power(mu, minnaert - 1.0)
    else:
        light = mu0
    if ring is not None and shadow:
        # shadow of the rings on the globe
        with np.errstate(divide="ignore", invalid="ignore"):
            ts = -P[..., 2] / sun_b[2]
        Q = P + ts[..., None] * sun_b
        _, ra = ring.lookup(np.hypot(Q[..., 0], Q[..., 1]))
        light = light * np.where(ts > 0, 1 - 0.9 * ra, 1.0)
    img = alb * (light + ambient)[..., None]
    img = np.where(hit[..., None], img, 0.0)
    if ring is not None:
        t_r = -O[..., 2] / D[2]
        R = O + t_r[..., None] * D
        r = np.hypot(R[..., 0], R[..., 1])
        rcol, ralpha = ring.lookup(r)
        # lit face of the rings, shadowed by the globe
        lit = np.full(r.shape, abs(sun_b[2]) ** 0.3)
        if shadow:
            Rs = R * scale
            Ss = sun_b * scale
            a2 = Ss @ Ss
            b2 = 2 * (Rs @ Ss)
            c2 = np.einsum("...i,...i->...", Rs, Rs) - 1.0
            d2 = b2 * b2 - 4 * a2 * c2
            tt = (-b2 + np.sqrt(np.maximum(d2, 0))) / (2 * a2)
            lit = np.where((d2 > 0) & (tt > 0), 0.03 * lit, lit)
        rimg = rcol * (ring.gain * lit)[..., None]
        front = (ralpha > 0) & (t_r < t_g)
        a = np.where(front, ralpha, 0.0)[..., None]
        img = img * (1 - a) + rimg * a
    return box_down(img, ss)


def expose(img, target=0.9, pct=99.7, mask=None):
    """Scale so that the given percentile of the lit picture becomes `target` (in sRGB)."""
    lum = img @ np.array([0.2126, 0.7152, 0.0722])
    vals = lum[mask] if mask is not None else lum[lum > 1e-4]
    ref = np.percentile(vals, pct)
    return img * (float(srgb_to_linear(target)) / ref)


def soft_clip(img, knee=0.8):
    """Compress highlights above `knee` (linear) smoothly towards 1."""
    over = np.maximum(img - knee, 0)
    return np.where(img > knee, knee + (1 - knee) * (1 - np.exp(-over / (1 - knee))), img)


# ----------------------------------------------------------------------------------------------
# Photographs (JPEG, 117 x 117, black background)

PHOTO = 117


class Textures:
    def __init__(self, data_dir):
        self.dir = os.path.join(data_dir, "textures")
        self.cache = {}

    def __getitem__(self, name):
        if name not in self.cache:
            self.cache[name] = load_texture(os.path.join(self.dir, name + ".png"))
        return self.cache[name]

    def rings(self):
        rgba = np.asarray(Image.open(os.path.join(self.dir, "saturn_rings_radial.png"))
                          .convert("RGBA"), dtype=np.float64)[0]
        # The radial map runs from the inner C ring (75 400 km) to the F ring (140 500 km): its
        # Cassini division starts at sample 166 and its Encke gap sits at sample 229.
        return Ring(rgba, 75380 / 60268, 140470 / 60268, 3.4)


def photo_moon(tx):
    img = render_globe(PHOTO, 55.0, tx["moon"], sun=sun_from(4, 200), shade="lommel")
    return expose(img, 0.93)


def photo_sun(tx):
    ss = 6
    n = PHOTO * ss
    xs = ((np.arange(n) + 0.5) / ss - PHOTO / 2) / 54.5
    X, Y = np.meshgrid(xs, -xs)
    rr = X * X + Y * Y
    inside = rr <= 1
    z = np.sqrt(np.clip(1 - rr, 0, 1))
    lon = np.arctan2(X, z) + math.radians(18)
    lat = np.arcsin(np.clip(Y, -1, 1))
    tex = sample_equirect(tx["sun"], lon, lat)
    lum = tex @ np.array([0.2126, 0.7152, 0.0722])
    # granulation kept faint, spots dark with a lighter penumbra
    rel = np.clip(lum / np.percentile(lum, 60), 0, 1.3)
    spot = np.where(rel < 1, rel ** 2.2, 1 + (rel - 1) * 0.6)[..., None]
    # limb darkening per channel (stronger in blue), a warm photosphere colour
    u = np.array([0.50, 0.66, 0.86])
    ld = 1 - u * (1 - z[..., None] ** 0.9)
    base = np.array([1.0, 0.62, 0.17])
    img = base * ld * spot
    img = np.where(inside[..., None], img, 0.0)
    img = box_down(img, ss)
    return soft_clip(img * 1.05, 0.7)


def photo_mercury(tx):
    img = render_globe(PHOTO, 54.0, tx["mercury"], cm=40, tilt=4, sun=sun_from(52, 12),
                       shade="lommel")
    return expose(img, 0.93)


def photo_venus(tx):
    img = render_globe(PHOTO, 54.0, tx["venus"], cm=-30, tilt=-3, pa=8, sun=sun_from(35, 175),
                       shade="minnaert", minnaert=0.78)
    return soft_clip(expose(img, 0.97), 0.8)


def photo_mars(tx):
    img = render_globe(PHOTO, 54.0, tx["mars"], cm=62, tilt=-12, pa=-6, sun=sun_from(38, 170),
                       shade="minnaert", minnaert=0.85)
    return soft_clip(expose(img, 0.95), 0.8)


def photo_jupiter(tx):
    img = render_globe(PHOTO, 55.0, tx["jupiter"], cm=-35, tilt=-2, pa=0, sun=sun_from(9, 180),
                       flattening=0.0649, shade="minnaert", minnaert=0.88)
    return soft_clip(expose(img, 0.97), 0.8)


def photo_saturn(tx):
    ring = tx.rings()
    img = render_globe(PHOTO, 24.6, tx["saturn"], cm=0, tilt=23, pa=-4,
                       sun=unit(rot_z(math.radians(-4)) @ rot_x(math.radians(-5))
                                @ rot_y(math.radians(7)) @ np.array([0, 0, 1.0])),
                       flattening=0.098, shade="minnaert", minnaert=0.9, ring=ring)
    return soft_clip(expose(img, 0.96), 0.8)


def photo_uranus(tx):
    tex = tx["uranus"]
    tex = tex.mean(axis=(0, 1)) + 0.35 * (tex - tex.mean(axis=(0, 1)))
    img = render_globe(PHOTO, 53.0, tex, cm=0, tilt=55, pa=-75, sun=sun_from(3, 180),
                       flattening=0.023, shade="minnaert", minnaert=0.62)
    return soft_clip(expose(img, 0.9), 0.85)


PHOTOS = [("pl9", photo_moon), ("pl10", photo_sun), ("pl1", photo_mercury), ("pl2", photo_venus),
          ("pl4", photo_mars), ("pl5", photo_jupiter), ("pl6", photo_saturn),
          ("pl7", photo_uranus)]


# ----------------------------------------------------------------------------------------------
# Moon phases


def moon_phase(tx, size, radius, elongation, earthshine=0.02, ss=6, floor=0.0):
    """The Moon at an elongation from the Sun (deg; 0 new, 90 first quarter lit on the right,
    180 full), its night side faintly lit by the Earth."""
    e = math.radians(elongation)
    sun = np.array([math.sin(e), 0.0, -math.cos(e)])
    day = render_globe(size, radius, tx["moon"], sun=sun, shade="lommel", ss=ss)
    # earthshine: the Earth is nearly behind the observer, so it lights the disc evenly; it is
    # strongest at new moon (full Earth) and fades towards full moon
    night = render_globe(size, radius, tx["moon"], sun=(0, 0, 1), shade="lommel", ss=ss)
    glow = earthshine * (1 + math.cos(e)) / 2 + floor
    return day * 1.0 + night * glow


def moon_scale(tx):
    """Exposure of the full Moon, shared by every phase picture so that they match."""
    full = render_globe(52, 25.5, tx["moon"], sun=(0, 0, 1), shade="lommel")
    lum = full @ np.array([0.2126, 0.7152, 0.0722])
    return float(srgb_to_linear(0.92)) / np.percentile(lum[lum > 0.0], 99.7)


def moon_sheet(tx):
    """602 x 315 sheet of 28 pictures (52 x 52) of the Moon through one lunation."""
    k = moon_scale(tx)
    sheet = np.zeros((315, 602, 3))
    for n in range(28):
        pic = moon_phase(tx, 52, 25.5, n * 360.0 / 28, earthshine=0.016, floor=0.002) * k
        x, y = (n % 7) * 86 + 18, (n // 7) * 79 + 14
        sheet[y:y + 52, x:x + 52] = pic
    gray = to_u8(sheet @ np.array([0.2126, 0.7152, 0.0722]))
    return Image.fromarray(gray, "L")


def moon_symbol(tx, index):
    """15 x 15 phase bitmap: index 0 new ... 4 full ... 7; black is the transparent colour."""
    k = moon_scale(tx) * 1.15
    pic = moon_phase(tx, 15, 7.5, index * 45.0, earthshine=0.0, floor=0.022, ss=8) * k
    rgb = to_u8(pic * np.array([1.0, 0.98, 0.93]))
    return rgb


# ----------------------------------------------------------------------------------------------
# Vector drawing: shapes are rasterised supersampled as coverage masks and composited in linear
# light, then reduced to the output size.


class Art:
    def __init__(self, w, h, ss=8):
        self.w, self.h, self.ss = w, h, ss
        self.rgb = np.zeros((h * ss, w * ss, 3))  # premultiplied, linear
        self.a = np.zeros((h * ss, w * ss))
        xs = (np.arange(w * ss) + 0.5) / ss
        ys = (np.arange(h * ss) + 0.5) / ss
        self.X, self.Y = np.meshgrid(xs, ys)

    def _mask(self, draw_fn):
        m = Image.new("L", (self.w * self.ss, self.h * self.ss), 0)
        draw_fn(ImageDraw.Draw(m), self.ss)
        return np.asarray(m, dtype=np.float64) / 255.0

    def _colour(self, col):
        if callable(col):
            col = col(self.X, self.Y)
        col = np.asarray(col, dtype=np.float64)
        if col.max() > 1.0:
            col = col / 255.0
        return srgb_to_linear(col)

    def paint(self, m, col, opacity=1.0):
        m = m * opacity
        c = self._colour(col)
        self.rgb = self.rgb * (1 - m[..., None]) + c * m[..., None]
        self.a = self.a * (1 - m) + m

    def erase(self, m):
        self.rgb *= (1 - m[..., None])
        self.a *= (1 - m)

    # shape masks (coordinates in output pixels)
    def m_ellipse(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        return self._mask(lambda d, s: d.ellipse([(cx - rx) * s, (cy - ry) * s,
                                                  (cx + rx) * s - 1, (cy + ry) * s - 1], fill=255))

    def m_polygon(self, pts):
        return self._mask(lambda d, s: d.polygon([(x * s, y * s) for x, y in pts], fill=255))

    def m_line(self, pts, width):
        def fn(d, s):
            sp = [(x * s, y * s) for x, y in pts]
            d.line(sp, fill=255, width=max(1, int(round(width * s))), joint="curve")
            r = width * s / 2
            for x, y in (sp[0], sp[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return self._mask(fn)

    def m_ring(self, cx, cy, r, width):
        return np.clip(self.m_ellipse(cx, cy, r + width / 2) - self.m_ellipse(cx, cy, r - width / 2),
                       0, 1)

    def m_arc(self, cx, cy, r, a0, a1, width, steps=64):
        pts = [(cx + r * math.cos(math.radians(a)), cy - r * math.sin(math.radians(a)))
               for a in np.linspace(a0, a1, steps)]
        return self.m_line(pts, width)

    def m_rounded(self, x0, y0, x1, y1, rad):
        return self._mask(lambda d, s: d.rounded_rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1],
                                                           radius=rad * s, fill=255))

    def radial(self, cx, cy, r, stops):
        """Colour function: radial gradient, stops = [(t, (r,g,b)), ...] with t in 0..1."""
        def fn(X, Y):
            t = np.clip(np.hypot(X - cx, Y - cy) / r, 0, 1)
            return _gradient(t, stops)
        return fn

    def linear(self, x0, y0, x1, y1, stops):
        def fn(X, Y):
            dx, dy = x1 - x0, y1 - y0
            t = np.clip(((X - x0) * dx + (Y - y0) * dy) / (dx * dx + dy * dy), 0, 1)
            return _gradient(t, stops)
        return fn

    def rgba(self):
        """Straight-alpha 8-bit RGBA."""
        p = box_down(self.rgb, self.ss)
        a = box_down(self.a, self.ss)
        c = np.where(a[..., None] > 1e-6, p / np.maximum(a, 1e-6)[..., None], 0)
        out = np.zeros((self.h, self.w, 4), dtype=np.uint8)
        out[..., :3] = to_u8(c)
        out[..., 3] = np.clip(np.floor(a * 255 + 0.5), 0, 255).astype(np.uint8)
        out[out[..., 3] == 0] = 0
        return out

    def over(self, bg):
        """Composited over a solid sRGB background, 8-bit RGB."""
        p = box_down(self.rgb, self.ss)
        a = box_down(self.a, self.ss)
        b = srgb_to_linear(np.asarray(bg, dtype=np.float64) / 255.0)
        return to_u8(p + b * (1 - a[..., None])), a


def _gradient(t, stops):
    ts = np.array([s[0] for s in stops])
    cs = np.array([s[1] for s in stops], dtype=np.float64)
    out = np.empty(t.shape + (3,))
    for ch in range(3):
        out[..., ch] = np.interp(t, ts, cs[:, ch])
    return out


def star_points(cx, cy, r_out, r_in, n, rot=90.0):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return pts


def keep_black_transparent(rgb, alpha=None, threshold=0.5):
    """Pictures with black as the transparent colour: pixels covered by the artwork must never be
    pure black, pixels outside it must be exactly black."""
    rgb = rgb.copy()
    covered = (rgb.max(axis=-1) > 0) if alpha is None else (alpha >= threshold / 255.0)
    black = covered & (rgb.max(axis=-1) == 0)
    rgb[black] = (1, 1, 1)
    rgb[~covered] = 0
    return rgb


# ----------------------------------------------------------------------------------------------
# Body symbols (black is the transparent colour; the orbits plan draws them opaque on black)

SYMBOL_LIGHT = unit([-0.5, 0.45, 0.74])


def saturate(img, amount):
    lum = (img @ np.array([0.2126, 0.7152, 0.0722]))[..., None]
    return np.clip(lum + (img - lum) * amount, 0, None)


def planet_symbol(tx, name):
    kw = dict(sun=SYMBOL_LIGHT, shade="minnaert", minnaert=0.9, ambient=0.12, ss=10)
    if name == "saturn":
        img = render_globe(0, 3.75, tx["saturn"], width=18, height=8, center=(9.0, 4.0),
                           tilt=26, pa=-8, flattening=0.098, ring=tx.rings(), shadow=False, **kw)
        img = expose(img, 0.97) * 1.05
        img = saturate(img, 1.4)
    else:
        if name == "earth":
            tex = earth_texture()
        elif name == "neptune":
            tex = tx["uranus"] * np.array([0.30, 0.55, 1.35])
        else:
            tex = tx[name]
        img = render_globe(8, 3.95, tex, tilt=10, **kw)
        target = {"mercury": 0.82}.get(name, 0.98)
        img = expose(img, target, pct=97) * np.array({"mercury": [1.0, 0.9, 0.78]}.get(name, [1, 1, 1]))
        img = saturate(img, {"mercury": 1.0, "venus": 1.15, "mars": 1.5, "jupiter": 1.6,
                             "uranus": 1.5, "neptune": 1.3, "earth": 1.3}[name])
    return keep_black_transparent(to_u8(soft_clip(img, 0.8)))


def earth_texture():
    """A tiny blue-and-green Earth: oceans, a few continents and white polar caps."""
    h, w = 64, 128
    lat = (0.5 - (np.arange(h) + 0.5) / h) * 180
    lon = ((np.arange(w) + 0.5) / w - 0.5) * 360
    LON, LAT = np.meshgrid(lon, lat)
    rng = np.random.default_rng(7)
    land = np.zeros_like(LON)
    for _ in range(14):
        c_lon, c_lat = rng.uniform(-180, 180), rng.uniform(-55, 65)
        s = rng.uniform(14, 32)
        d = np.hypot((LON - c_lon + 180) % 360 - 180, (LAT - c_lat) * 1.3)
        land += np.exp(-(d / s) ** 2)
    col = np.where((land > 0.55)[..., None], np.array([0.16, 0.42, 0.12]),
                   np.array([0.05, 0.16, 0.62]))
    col = np.where((np.abs(LAT) > 68)[..., None], np.array([0.85, 0.88, 0.92]), col)
    return srgb_to_linear(col)


def sun_symbol(w, h, cx, cy, r_disc, r_ray, rays=8, glow=0.0, outline=False):
    art = Art(w, h, ss=10)
    if glow > 0:
        art.paint(art.m_ellipse(cx, cy, glow), art.radial(cx, cy, glow,
                  [(0, (255, 170, 40)), (0.55, (120, 50, 0)), (1, (0, 0, 0))]))
    for i in range(rays * 2):
        a = math.radians(90 + i * 180.0 / rays)
        long_ray = i % 2 == 0
        ro = r_ray if long_ray else r_disc + (r_ray - r_disc) * 0.62
        half = math.radians(11 if long_ray else 9)
        tip = (cx + ro * math.cos(a), cy - ro * math.sin(a))
        b1 = (cx + (r_disc - 0.3) * math.cos(a - half * 1.6), cy - (r_disc - 0.3) * math.sin(a - half * 1.6))
        b2 = (cx + (r_disc - 0.3) * math.cos(a + half * 1.6), cy - (r_disc - 0.3) * math.sin(a + half * 1.6))
        if outline:
            art.paint(art.m_line([b1, tip, b2], 1.1), (150, 60, 0))
        art.paint(art.m_polygon([b1, tip, b2]), (255, 190, 30) if long_ray else (255, 150, 20))
    if outline:
        art.paint(art.m_ellipse(cx, cy, r_disc + 0.7), (150, 60, 0))
    art.paint(art.m_ellipse(cx, cy, r_disc), art.radial(cx - 0.25 * r_disc, cy - 0.3 * r_disc,
              r_disc * 1.25, [(0, (255, 255, 225)), (0.45, (255, 236, 90)), (1, (255, 160, 0))]))
    return art


# ----------------------------------------------------------------------------------------------
# Horizon figure: landscape "s36s" (white where the sky shows) and mask "s37s" (white where the
# landscape is). The chart draws the mask with OR and then the landscape with AND, so the
# landscape replaces the chart under the mask and the sky of the chart shows through elsewhere.

HZ_W, HZ_H, HZ_GROUND = 2000, 160, 132
HZ_SS = 4


class Layer:
    """One colour layer of the horizon, drawn supersampled."""

    def __init__(self, colour, top=None, bottom=None):
        self.im = Image.new("L", (HZ_W * HZ_SS, HZ_H * HZ_SS), 0)
        self.d = ImageDraw.Draw(self.im)
        self.colour, self.top, self.bottom = colour, top, bottom

    def poly(self, pts, fill=255):
        self.d.polygon([(x * HZ_SS, y * HZ_SS) for x, y in pts], fill=fill)

    def rect(self, x0, y0, x1, y1):
        self.d.rectangle([x0 * HZ_SS, y0 * HZ_SS, x1 * HZ_SS - 1, y1 * HZ_SS - 1], fill=255)

    def ellipse(self, cx, cy, rx, ry):
        self.d.ellipse([(cx - rx) * HZ_SS, (cy - ry) * HZ_SS, (cx + rx) * HZ_SS - 1,
                        (cy + ry) * HZ_SS - 1], fill=255)

    def line(self, pts, width):
        self.d.line([(x * HZ_SS, y * HZ_SS) for x, y in pts], fill=255,
                    width=max(1, int(round(width * HZ_SS))))

    def pieslice(self, cx, cy, r, a0, a1):
        self.d.pieslice([(cx - r) * HZ_SS, (cy - r) * HZ_SS, (cx + r) * HZ_SS - 1,
                         (cy + r) * HZ_SS - 1], a0, a1, fill=255)

    def colour_rows(self):
        """sRGB colour per hi-res row (vertical gradient between top and bottom colours)."""
        rows = (np.arange(HZ_H * HZ_SS) + 0.5) / HZ_SS
        c0 = np.array(self.colour, dtype=np.float64)
        if self.top is None:
            return np.tile(c0, (len(rows), 1))
        y0, c_top, y1, c_bot = self.top[0], np.array(self.top[1]), self.bottom[0], np.array(self.bottom[1])
        t = np.clip((rows - y0) / (y1 - y0), 0, 1)[:, None]
        return c_top * (1 - t) + c_bot * t


def ridge(rng, x0, x1, base, amp, scales, step=2.0):
    """Skyline y(x) from a sum of random sines (rows; smaller is higher)."""
    xs = np.arange(x0, x1 + step, step, dtype=np.float64)
    y = np.full_like(xs, float(base))
    for wl, a in scales:
        ph = rng.uniform(0, 2 * math.pi)
        y -= amp * a * (0.5 + 0.5 * np.sin(xs * 2 * math.pi / wl + ph))
    return xs, y


def fill_under(layer, xs, ys, bottom=HZ_H + 1):
    pts = list(zip(xs, ys)) + [(xs[-1], bottom), (xs[0], bottom)]
    layer.poly(pts)


def conifer(layer, x, h, w=None, ground=HZ_GROUND + 1):
    w = w or h * 0.36
    tiers = max(3, int(h / 9))
    top = ground - h
    layer.rect(x - max(0.8, w * 0.06), ground - h * 0.18, x + max(0.8, w * 0.06), ground)
    for i in range(tiers):
        ty = top + (h * 0.82) * i / tiers
        by = top + (h * 0.82) * (i + 1.6) / tiers
        ww = w * (0.35 + 0.65 * (i + 1) / tiers) / 2
        layer.poly([(x, ty), (x + ww, by), (x + ww * 0.45, by - 0.8), (x - ww * 0.45, by - 0.8),
                    (x - ww, by)])


def broadleaf(layer, rng, x, h, w=None, ground=HZ_GROUND + 1):
    w = w or h * rng.uniform(0.7, 1.0)
    trunk = h * 0.3
    layer.poly([(x - 1.2, ground), (x - 0.8, ground - trunk - 3), (x + 0.8, ground - trunk - 3),
                (x + 1.2, ground)])
    cy = ground - trunk - (h - trunk) / 2
    for _ in range(9):
        ox = rng.uniform(-0.3, 0.3) * w
        oy = rng.uniform(-0.28, 0.25) * (h - trunk)
        r = rng.uniform(0.22, 0.34) * w
        layer.ellipse(x + ox, cy + oy, r, r * rng.uniform(0.85, 1.05))


def house(body, roof, win, x, w, wall_h, roof_h, ground=HZ_GROUND + 1, windows=(), chimney=None):
    body.rect(x, ground - wall_h, x + w, ground)
    roof.poly([(x - 1.5, ground - wall_h + 0.5), (x + w / 2, ground - wall_h - roof_h),
               (x + w + 1.5, ground - wall_h + 0.5)])
    if chimney is not None:
        cx = x + w * chimney
        roof.rect(cx, ground - wall_h - roof_h * 0.95, cx + 2.5, ground - wall_h - roof_h * 0.3)
    for wx, wy in windows:
        win.rect(x + wx, ground - wall_h + wy, x + wx + 2.2, ground - wall_h + wy + 3)


def horizon(seed=1460):
    rng = np.random.default_rng(seed)
    G = HZ_GROUND
    far = Layer(None, top=(40, (58, 66, 104)), bottom=(G, (36, 42, 70)))
    mid = Layer(None, top=(80, (44, 54, 72)), bottom=(G, (32, 40, 52)))
    near = Layer(None, top=(20, (40, 50, 50)), bottom=(G, (28, 36, 36)))
    walls = Layer((50, 46, 52))
    roofs = Layer((40, 32, 36))
    dome = Layer(None, top=(86, (104, 112, 128)), bottom=(104, (56, 62, 76)))
    slit = Layer((14, 16, 24))
    windows = Layer((255, 196, 92))
    red = Layer((255, 40, 30))
    ground = Layer(None, top=(G, (188, 196, 180)), bottom=(HZ_H, (240, 240, 240)))

    # distant mountains, highest between 1100 and 1700; elsewhere the plain lets the sky of the
    # chart reach down to the ground line
    xs, ys = ridge(rng, -10, HZ_W + 10, 0, 1, [(420, 0.6), (170, 0.35), (61, 0.12), (23, 0.05)])
    bumps = -ys
    hgt = (52 * np.exp(-((xs - 1290) / 210) ** 2) + 30 * np.exp(-((xs - 1640) / 150) ** 2)
           + 18 * np.exp(-((xs - 620) / 150) ** 2) + 12 * np.exp(-((xs - 80) / 120) ** 2))
    ys = G - np.maximum(0, hgt * (0.55 + 0.45 * bumps / 1.12) - 4)
    fill_under(far, xs, ys)
    # rolling hills
    xs, ys = ridge(rng, -10, HZ_W + 10, 0, 1, [(330, 0.7), (130, 0.3), (47, 0.08)])
    hgt = 24 * (-ys) - 9 + 22 * np.exp(-((xs - 805) / 70) ** 2)  # and the observatory hill
    ys = G - np.maximum(0, hgt)
    fill_under(mid, xs, ys)
    hill_y = dict(zip(xs.astype(int), ys))
    # a strip of meadow along the ground line
    near.rect(-1, G, HZ_W + 1, HZ_H + 1)

    def hill_at(x):
        return hill_y[int(round(x / 2.0)) * 2]

    # forest on the left
    x = 4.0
    while x < 215:
        h = rng.uniform(34, 62) * (1.0 - 0.35 * max(0, (x - 150) / 65))
        conifer(near, x, h)
        x += rng.uniform(7, 13)
    for x in (228, 262, 300, 352, 395):
        broadleaf(near, rng, x + rng.uniform(-4, 4), rng.uniform(22, 34))
    # a farm with a barn
    house(walls, roofs, windows, 318, 26, 12, 9, windows=[(5, 4)], chimney=0.75)
    house(walls, roofs, windows, 268, 34, 10, 11)

    # the village: houses around a church
    lots = [(430, 20, 11, 9, 0.2), (454, 16, 9, 8, 0.7), (474, 24, 13, 10, 0.3),
            (582, 22, 12, 10, 0.65), (608, 18, 10, 8, 0.25), (630, 26, 14, 11, 0.7),
            (660, 18, 9, 8, 0.3), (682, 22, 11, 9, None)]
    for lx, w, wh, rh, ch in lots:
        wins = [(3 + k * 6.5, 3.5) for k in range(int((w - 4) // 6.5)) if rng.uniform() < 0.55]
        house(walls, roofs, windows, lx, w, wh, rh, windows=wins, chimney=ch)
    # church: nave, tower, spire, cross
    walls.rect(512, G - 22, 566, G + 1)
    roofs.poly([(510.5, G - 21.5), (539, G - 36), (567.5, G - 21.5)])
    walls.rect(500, G - 62, 516, G + 1)
    roofs.poly([(498.5, G - 61.5), (508, G - 108), (517.5, G - 61.5)])
    roofs.rect(507.4, G - 116, 508.6, G - 106)
    roofs.rect(504.5, G - 113, 511.5, G - 111.8)
    windows.ellipse(508, G - 52, 3.0, 3.0)  # lit clock face
    for k in range(3):
        windows.rect(522 + k * 14, G - 17, 524.5 + k * 14, G - 9)
    windows.ellipse(523.25, G - 17, 1.25, 1.25)
    windows.ellipse(537.25, G - 17, 1.25, 1.25)
    windows.ellipse(551.25, G - 17, 1.25, 1.25)
    for x in (422, 497, 575, 705, 722):
        broadleaf(near, rng, x, rng.uniform(20, 30))

    # the observatory on its hill
    top = hill_at(805)
    walls.rect(790, top - 14, 820, top + 4)
    dome.pieslice(805, top - 14, 16.5, 180, 360)
    dome.rect(788.5, top - 14.6, 821.5, top - 13.4)
    slit.poly([(802.6, top - 30.3), (807.2, top - 30.3), (806.6, top - 15), (803.6, top - 15)])
    windows.rect(798, top - 8, 800.5, top - 4.5)
    for x in (760, 772, 840, 853):
        conifer(near, x, rng.uniform(16, 24), ground=hill_at(x) + 2)

    # windmill
    walls.poly([(940, G + 1), (945, G - 40), (955, G - 40), (960, G + 1)])
    roofs.poly([(943.5, G - 39.5), (950, G - 47), (956.5, G - 39.5)])
    hub = (950, G - 41)
    for k in range(4):
        a = math.radians(25 + 90 * k)
        tip = (hub[0] + 30 * math.cos(a), hub[1] - 30 * math.sin(a))
        roofs.line([hub, tip], 1.3)
        n = (math.cos(a + math.pi / 2), -math.sin(a + math.pi / 2))
        p0 = (hub[0] + 9 * math.cos(a), hub[1] - 9 * math.sin(a))
        roofs.poly([p0, tip, (tip[0] + 5 * n[0], tip[1] + 5 * n[1]),
                    (p0[0] + 5 * n[0], p0[1] + 5 * n[1])])
    windows.rect(948.5, G - 22, 951.5, G - 17)

    # hedgerow and scattered trees
    x = 870.0
    while x < 1180:
        if not 925 < x < 975:
            if rng.uniform() < 0.5:
                broadleaf(near, rng, x, rng.uniform(10, 26))
            else:
                near.ellipse(x, G - 3, rng.uniform(5, 9), rng.uniform(3, 6))
        x += rng.uniform(14, 34)
    # forest below the mountains
    x = 1190.0
    while x < 1490:
        h = 30 + 26 * math.sin((x - 1190) / 300 * math.pi) + rng.uniform(-6, 6)
        conifer(near, x, h)
        x += rng.uniform(6, 11)
    # farmstead with silo
    house(walls, roofs, windows, 1540, 30, 13, 10, windows=[(6, 4), (18, 4)], chimney=0.2)
    house(walls, roofs, windows, 1578, 40, 11, 12)
    walls.rect(1624, G - 30, 1634, G + 1)
    roofs.pieslice(1629, G - 30, 5, 180, 360)
    for x in (1520, 1650, 1668):
        broadleaf(near, rng, x, rng.uniform(22, 32))
    # radio mast with warning lights
    mx = 1760
    walls.poly([(mx - 3.5, G + 1), (mx - 1.0, G - 122), (mx + 1.0, G - 122), (mx + 3.5, G + 1)])
    for k in range(1, 3):
        y = G - 42 * k
        walls.line([(mx - 18 + 4 * k, G + 1), (mx, y)], 0.5)
        walls.line([(mx + 18 - 4 * k, G + 1), (mx, y)], 0.5)
    walls.rect(mx - 0.5, G - 128, mx + 0.5, G - 121)
    for y in (G - 128, G - 86, G - 44):
        red.ellipse(mx, y, 1.6, 1.6)
    # more hills and trees to the right edge
    x = 1690.0
    while x < HZ_W + 10:
        if abs(x - mx) > 12:
            if rng.uniform() < 0.6:
                conifer(near, x, rng.uniform(18, 40))
            else:
                broadleaf(near, rng, x, rng.uniform(16, 30))
        x += rng.uniform(9, 28)

    # ground band: light, so that the caption and compass letters read on it
    ground.rect(-1, G + 2, HZ_W + 1, HZ_H + 1)

    layers = [far, mid, near, walls, roofs, dome, slit, windows, red, ground]
    rgb = np.zeros((HZ_H * HZ_SS, HZ_W * HZ_SS, 3), dtype=np.float32)
    alpha = np.zeros((HZ_H * HZ_SS, HZ_W * HZ_SS), dtype=np.float32)
    for layer in layers:
        m = np.asarray(layer.im, dtype=np.float32)[..., None] / 255.0
        col = srgb_to_linear(layer.colour_rows() / 255.0).astype(np.float32)[:, None, :]
        rgb = rgb * (1 - m) + col * m
        alpha = alpha * (1 - m[..., 0]) + m[..., 0]
    rgb = box_down(rgb, HZ_SS)
    alpha = box_down(alpha, HZ_SS)
    land = alpha >= 0.3
    land[HZ_GROUND:, :] = True
    land[:HZ_GROUND, :][alpha[:HZ_GROUND, :] < 0.3] = False
    picture = to_u8(rgb)  # antialiased towards the black sky of the chart
    picture[~land] = 255
    # inside the landscape no pixel may be pure white (it would let the chart through)
    white = land & (picture.min(axis=-1) == 255)
    picture[white] = 254
    mask = np.where(land, 255, 0).astype(np.uint8)
    return picture, mask


# ----------------------------------------------------------------------------------------------
# Toolbar glyphs (PNG with alpha)

INK = (34, 46, 78)


def glyph_animation(n=20):
    """S20: play, with motion streaks."""
    a = Art(n, n)
    s = n / 20.0
    for k, (y, x0) in enumerate([(6.2, 1.6), (10.0, 0.8), (13.8, 1.6)]):
        a.paint(a.m_line([(x0 * s, y * s), ((x0 + 3.6 - 0.8 * (k % 2 == 0)) * s, y * s)], 1.5 * s),
                (70, 140, 210))
    tri = [(7.0 * s, 2.6 * s), (18.6 * s, 10.0 * s), (7.0 * s, 17.4 * s)]
    a.paint(a.m_polygon(tri), a.linear(0, 3 * s, 0, 17 * s, [(0, (86, 200, 110)), (1, (18, 120, 58))]))
    a.paint(a.m_line(tri + [tri[0]], 1.0 * s), (14, 84, 40))
    return a.rgba()


def glyph_now(n=20):
    """S34: clock showing the present moment."""
    a = Art(n, n)
    s = n / 20.0
    c = 10 * s
    a.paint(a.m_ellipse(c, c, 9.2 * s), a.linear(0, 1 * s, 0, 19 * s, [(0, (90, 130, 200)), (1, (28, 58, 128))]))
    a.paint(a.m_ellipse(c, c, 7.4 * s), a.radial(c - 2 * s, c - 2.5 * s, 10 * s, [(0, (255, 255, 255)), (1, (216, 226, 240))]))
    for k in range(12):
        ang = math.radians(90 - 30 * k)
        r0 = (5.6 if k % 3 == 0 else 6.3) * s
        a.paint(a.m_line([(c + r0 * math.cos(ang), c - r0 * math.sin(ang)),
                          (c + 6.9 * s * math.cos(ang), c - 6.9 * s * math.sin(ang))],
                         (0.9 if k % 3 == 0 else 0.6) * s), INK)
    a.paint(a.m_line([(c, c), (c + 3.6 * s * math.cos(math.radians(150)), c - 3.6 * s * math.sin(math.radians(150)))], 1.5 * s), INK)
    a.paint(a.m_line([(c, c), (c + 5.6 * s * math.cos(math.radians(60)), c - 5.6 * s * math.sin(math.radians(60)))], 1.1 * s), INK)
    a.paint(a.m_line([(c, c), (c + 5.8 * s * math.cos(math.radians(-100)), c - 5.8 * s * math.sin(math.radians(-100)))], 0.6 * s), (220, 40, 30))
    a.paint(a.m_ellipse(c, c, 1.1 * s), (220, 40, 30))
    return a.rgba()


def glyph_reverse(n=20):
    """S29: time running backwards - an anticlockwise arrow round a small clock face."""
    a = Art(n, n)
    s = n / 20.0
    c = 10 * s
    col = (214, 110, 24)
    cy, r = c + 0.3 * s, 7.0 * s
    end = 105.0
    a.paint(a.m_arc(c, cy, r, end - 290, end - 12, 2.2 * s), col)
    # arrowhead travelling anticlockwise (angles grow), tip ahead of the arc's end
    t = math.radians(end)
    px, py = c + r * math.cos(t), cy - r * math.sin(t)
    tx_, ty_ = -math.sin(t), -math.cos(t)  # screen tangent for growing angles
    nx, ny = math.cos(t), -math.sin(t)  # outward normal
    a.paint(a.m_polygon([(px + 4.6 * s * tx_, py + 4.6 * s * ty_),
                         (px + 3.4 * s * nx - 1.0 * s * tx_, py + 3.4 * s * ny - 1.0 * s * ty_),
                         (px - 3.4 * s * nx - 1.0 * s * tx_, py - 3.4 * s * ny - 1.0 * s * ty_)]), col)
    a.paint(a.m_line([(c, c + 0.4 * s), (c, c - 3.6 * s)], 1.5 * s), INK)
    a.paint(a.m_line([(c, c + 0.4 * s), (c - 2.8 * s, c + 2.2 * s)], 1.5 * s), INK)
    a.paint(a.m_ellipse(c, c + 0.4 * s, 1.0 * s), INK)
    return a.rgba()


def glyph_lines(n=20):
    """S5: a constellation figure on a patch of night sky."""
    a = Art(n, n)
    s = n / 20.0
    a.paint(a.m_rounded(0.5 * s, 0.5 * s, 19.5 * s, 19.5 * s, 3.5 * s),
            a.linear(0, 0, 0, 20 * s, [(0, (22, 34, 86)), (1, (8, 12, 40))]))
    stars = [(3.2, 6.0), (7.0, 12.6), (10.2, 8.2), (13.4, 13.8), (16.8, 5.6)]  # a "W"
    pts = [(x * s, y * s) for x, y in stars]
    a.paint(a.m_line(pts, 1.1 * s), (236, 60, 50))
    for (x, y), r in zip(pts, (1.7, 1.5, 1.4, 1.7, 1.6)):
        a.paint(a.m_ellipse(x, y, r * s * 0.72), (255, 250, 226))
    return a.rgba()


def glyph_zoom(kind, n=18):
    """S8 (+), S18 (back to the standard scale: a small orbit), S9 (-): a magnifying glass."""
    a = Art(n, n)
    s = n / 18.0
    cx, cy, r = 7.2 * s, 7.2 * s, 5.6 * s
    a.paint(a.m_line([(cx + 3.9 * s, cy + 3.9 * s), (16.4 * s, 16.4 * s)], 3.0 * s),
            a.linear(10 * s, 10 * s, 17 * s, 17 * s, [(0, (80, 60, 40)), (1, (40, 26, 14))]))
    a.paint(a.m_ellipse(cx, cy, r + 1.3 * s), a.linear(0, 0, 0, 14 * s, [(0, (120, 130, 150)), (1, (50, 58, 74))]))
    a.paint(a.m_ellipse(cx, cy, r - 0.2 * s), a.radial(cx - 2 * s, cy - 2 * s, 9 * s, [(0, (250, 253, 255)), (1, (176, 206, 236))]))
    sym = (24, 60, 140)
    if kind in ("+", "-"):
        a.paint(a.m_line([(cx - 3.0 * s, cy), (cx + 3.0 * s, cy)], 1.6 * s), sym)
    if kind == "+":
        a.paint(a.m_line([(cx, cy - 3.0 * s), (cx, cy + 3.0 * s)], 1.6 * s), sym)
    if kind == "o":
        a.paint(a.m_ring(cx, cy, 3.3 * s, 0.8 * s), sym)
        a.paint(a.m_ellipse(cx, cy, 1.5 * s), (236, 150, 20))
        a.paint(a.m_ellipse(cx + 2.3 * s, cy - 2.4 * s, 0.9 * s), sym)
    return a.rgba()


GLYPHS = [("S20", glyph_animation), ("S34", glyph_now), ("S29", glyph_reverse), ("S5", glyph_lines),
          ("S8", lambda: glyph_zoom("+")), ("S18", lambda: glyph_zoom("o")),
          ("S9", lambda: glyph_zoom("-"))]


# ----------------------------------------------------------------------------------------------
# Application icon and the About emblem


def crescent(a, cx, cy, r, off, ang=-35.0):
    """Mask of a crescent: disc minus a disc shifted by `off` towards angle `ang`."""
    t = math.radians(ang)
    return np.clip(a.m_ellipse(cx, cy, r) - a.m_ellipse(cx + off * math.cos(t), cy - off * math.sin(t), r * 0.93), 0, 1)


def night_scene(a, x0, y0, size, detail):
    """The Noctaris motif in the square (x0, y0, size): crescent Moon, stars, a hill with an
    observatory dome, over a night-blue gradient already painted by the caller."""
    s = size / 256.0

    def P(x, y):
        return x0 + x * s, y0 + y * s
    # stars
    stars = [(62, 58, 9, 4), (120, 34, 5, 4), (36, 118, 4, 4), (98, 100, 3.2, 4), (206, 196, 3, 4),
             (150, 124, 2.5, 0), (74, 160, 2.2, 0), (226, 120, 2.4, 0), (176, 66, 2.0, 0)]
    for i, (x, y, r, pts) in enumerate(stars):
        if detail < 2 and i > 0:
            break
        if detail < 3 and i > 4:
            break
        cx, cy = P(x, y)
        rr = max(r * s, 0.55 if detail < 2 else 0.45)
        if pts:
            a.paint(a.m_polygon(star_points(cx, cy, rr * 2.4, rr * 0.55, 4)), (255, 246, 214))
        else:
            a.paint(a.m_ellipse(cx, cy, rr), (230, 236, 255))
    # moon
    cx, cy = P(164, 92)
    r = 58 * s
    m = crescent(a, cx, cy, r, 30 * s, ang=145)
    a.paint(a.m_ellipse(cx, cy, r * 1.45), a.radial(cx, cy, r * 1.45, [(0, (120, 140, 210)), (1, (40, 56, 120))]),
            0.22 if detail >= 2 else 0.0)
    a.paint(m, a.radial(cx + 20 * s, cy + 10 * s, r * 1.3,
                        [(0, (255, 250, 222)), (0.6, (250, 226, 150)), (1, (226, 176, 80))]))
    # hill and dome
    hill = [P(-4, 262), P(-4, 212), P(40, 196), P(90, 186), P(140, 190), P(200, 204), P(260, 216),
            P(260, 262)]
    a.paint(a.m_polygon(hill), a.linear(0, y0 + 186 * s, 0, y0 + 256 * s, [(0, (26, 34, 56)), (1, (10, 14, 26))]))
    if detail >= 1:
        dx, dy = P(96, 188)
        dr = 30 * s
        body = [P(68, 190), P(68, 172), P(124, 172), P(124, 190)]
        a.paint(a.m_polygon(body), (44, 52, 78))
        dome = a.m_ellipse(dx, dy - 16 * s, dr) * (a.Y < dy - 16 * s)
        a.paint(dome, a.linear(0, dy - 46 * s, 0, dy - 16 * s, [(0, (200, 210, 232)), (1, (110, 122, 156))]))
        if detail >= 2:
            slit = a.m_polygon([P(90, 146), P(100, 146), P(100, 172), P(90, 172)]) * dome
            a.paint(slit, (18, 22, 40))


def app_icon(n):
    detail = 0 if n <= 16 else 1 if n <= 32 else 2 if n <= 64 else 3
    a = Art(n, n, ss=8 if n >= 64 else 12)
    inset = 0.5 if n <= 32 else n / 64.0
    rad = n * 0.2
    body = a.m_rounded(inset, inset, n - inset, n - inset, rad)
    a.paint(body, a.linear(0, 0, 0, n, [(0, (14, 22, 64)), (0.65, (28, 44, 118)), (1, (46, 70, 150))]))
    if n >= 48:
        a.paint(np.clip(body - a.m_rounded(inset + n / 64, inset + n / 64, n - inset - n / 64,
                                           n - inset - n / 64, rad - n / 64), 0, 1), (100, 130, 220), 0.5)
    scene = Art(n, n, ss=a.ss)
    night_scene(scene, inset, inset, n - 2 * inset, detail)
    # clip the scene to the rounded body
    scene.rgb *= body[..., None]
    scene.a *= body
    a.rgb = a.rgb * (1 - scene.a[..., None]) + scene.rgb
    a.a = a.a * (1 - scene.a) + scene.a
    return a.rgba()


def emblem():
    """138 x 150 emblem of the About window: the night scene in a gilt medallion, with an orbit
    ring round it; composited for the window's white background, outside transparent."""
    w, h = 138, 150
    a = Art(w, h, ss=8)
    cx, cy, r = 69.0, 73.0, 56.0
    # orbit ring behind the medallion
    ring_pts = []
    tilt = math.radians(-18)
    for k in range(0, 361, 2):
        t = math.radians(k)
        x, y = 66 * math.cos(t), 20 * math.sin(t)
        ring_pts.append((cx + x * math.cos(tilt) - y * math.sin(tilt), cy + x * math.sin(tilt) + y * math.cos(tilt)))
    ring = a.m_line(ring_pts, 3.0)
    back = ring * (a.Y < cy - (a.X - cx) * math.tan(tilt))
    front = ring - back
    gold = a.linear(0, cy - r, 0, cy + r, [(0, (250, 222, 130)), (0.5, (214, 160, 50)), (1, (150, 96, 20))])
    a.paint(back, gold)
    a.paint(a.m_ellipse(cx, cy, r + 4.5), gold)
    a.paint(a.m_ellipse(cx, cy, r + 1.2), (120, 78, 14))
    disc = a.m_ellipse(cx, cy, r)
    sky = Art(w, h, ss=8)
    sky.paint(sky.m_ellipse(cx, cy, r), sky.linear(0, cy - r, 0, cy + r, [(0, (12, 20, 60)), (0.7, (30, 48, 122)), (1, (48, 74, 156))]))
    night_scene(sky, cx - r, cy - r, 2 * r, 3)
    sky.rgb *= disc[..., None]
    sky.a *= disc
    a.rgb = a.rgb * (1 - sky.a[..., None]) + sky.rgb
    a.a = a.a * (1 - sky.a) + sky.a
    a.paint(front, gold)
    # a small planet riding on the ring, front right
    t = math.radians(28)
    x, y = 66 * math.cos(t), 20 * math.sin(t)
    px, py = cx + x * math.cos(tilt) - y * math.sin(tilt), cy + x * math.sin(tilt) + y * math.cos(tilt)
    a.paint(a.m_ellipse(px, py, 6.2), a.radial(px - 2, py - 2.2, 8.5, [(0, (255, 250, 230)), (0.5, (120, 190, 250)), (1, (30, 80, 170))]))
    # sparkle above
    a.paint(a.m_polygon(star_points(116, 16, 9, 1.8, 4)), (226, 170, 50))
    a.paint(a.m_polygon(star_points(20, 132, 6, 1.3, 4)), (226, 170, 50))
    rgb, alpha = a.over((255, 255, 255))
    return rgb, alpha


# ----------------------------------------------------------------------------------------------
# Output


def save_gif_palette(rgb, keep, path, transparent=False):
    """Indexed GIF: the pixels in `keep` are quantised to at most 255 colours, the others get
    index 255, which is pure white (the sky of the horizon picture) or transparent."""
    filler = rgb[keep][0] if keep.any() else np.array([0, 0, 0], np.uint8)
    src = rgb.copy()
    src[~keep] = filler
    q = Image.fromarray(src).quantize(colors=255, method=Image.Quantize.MAXCOVERAGE, kmeans=4,
                                      dither=Image.Dither.NONE)
    idx = np.asarray(q, dtype=np.uint8).copy()
    pal = q.getpalette()[:255 * 3]
    pal += [0, 0, 0] * (255 - len(pal) // 3)
    pal += [255, 255, 255]
    idx[~keep] = 255
    out = Image.fromarray(idx, "P")
    out.putpalette(pal)
    if transparent:
        out.save(path, format="GIF", transparency=255, optimize=False)
    else:
        out.save(path, format="GIF", optimize=False)
    return out


def save_bmp(rgb, path):
    Image.fromarray(rgb, "RGB").save(path, format="BMP")


def save_png(arr, path):
    mode = "RGBA" if arr.shape[-1] == 4 else "RGB"
    Image.fromarray(arr, mode).save(path, format="PNG", optimize=False, compress_level=9)


PLANET_SYMBOLS = [("1171", "mercury"), ("1172", "venus"), ("1173", "earth"), ("1174", "mars"),
                  ("1175", "jupiter"), ("1176", "saturn"), ("1177", "uranus"), ("1178", "neptune")]


def build_all(data_dir):
    """Every picture as name -> (format, payload)."""
    tx = Textures(data_dir)
    out = {}
    for name, fn in PHOTOS:
        out[name] = ("jpg", to_u8(fn(tx)))
    out["s3"] = ("gif-gray", np.asarray(moon_sheet(tx)))
    for i in range(8):
        out[str(1460 + i)] = ("bmp", moon_symbol(tx, i))
    for name, body in PLANET_SYMBOLS:
        out[name] = ("bmp", planet_symbol(tx, body))
    rgb, a = sun_symbol(17, 17, 8.5, 8.5, 4.3, 8.3).over((0, 0, 0))
    out["1160"] = ("bmp", keep_black_transparent(rgb, a))
    rgb, a = sun_symbol(21, 20, 10.5, 10.5, 5.0, 9.6, glow=9.8).over((0, 0, 0))
    out["orb_sun"] = ("bmp", keep_black_transparent(rgb, a))
    rgb, a = sun_symbol(21, 20, 10.5, 10.5, 4.6, 9.2, outline=True).over((0, 0, 0))
    out["term_sun"] = ("bmp", keep_black_transparent(rgb, a))
    picture, mask = horizon()
    out["s36s"] = ("gif-land", picture)
    out["s37s"] = ("gif-mask", mask)
    rgb, a = emblem()
    out["emblem"] = ("gif-alpha", (rgb, a))
    for name, fn in GLYPHS:
        out[name] = ("png", fn())
    for n in (16, 32, 48, 64, 128, 256):
        out["icon%d" % n] = ("png", app_icon(n))
    return out


def write_all(pics, pic_dir):
    os.makedirs(pic_dir, exist_ok=True)
    written = []
    for name, (fmt, data) in pics.items():
        if fmt == "jpg":
            path = os.path.join(pic_dir, name + ".jpg")
            Image.fromarray(data, "RGB").save(path, format="JPEG", quality=93, subsampling=0,
                                              optimize=False, progressive=False)
        elif fmt == "gif-gray":
            path = os.path.join(pic_dir, name + ".gif")
            Image.fromarray(data, "L").save(path, format="GIF", optimize=False)
        elif fmt == "gif-land":
            path = os.path.join(pic_dir, name + ".gif")
            save_gif_palette(data, ~np.all(data == 255, axis=-1), path)
        elif fmt == "gif-mask":
            path = os.path.join(pic_dir, name + ".gif")
            Image.fromarray(data, "L").convert("1", dither=Image.Dither.NONE).save(
                path, format="GIF", optimize=False)
        elif fmt == "gif-alpha":
            rgb, a = data
            path = os.path.join(pic_dir, name + ".gif")
            save_gif_palette(rgb, a >= 0.5, path, transparent=True)
        elif fmt == "bmp":
            path = os.path.join(pic_dir, name + ".bmp")
            save_bmp(data, path)
        else:
            path = os.path.join(pic_dir, name + ".png")
            save_png(data, path)
        written.append(path)
    return written


# ----------------------------------------------------------------------------------------------
# Contact sheet (docs/artwork.png), built from the files as written


class Sheet:
    def __init__(self, width, font_path):
        self.w = width
        self.parts = []  # (image, x, y)
        self.y = 16
        self.x = 16
        self.row_h = 0
        try:
            self.font = ImageFont.truetype(font_path, 15)
            self.head = ImageFont.truetype(font_path, 22)
        except OSError:
            self.font = self.head = ImageFont.load_default()
        self.texts = []

    def heading(self, text):
        self.newline()
        self.y += 10
        self.texts.append((16, self.y, text, self.head, (20, 24, 40)))
        self.y += 34

    def newline(self):
        if self.row_h:
            self.y += self.row_h + 12
        self.x, self.row_h = 16, 0

    def add(self, im, label, bg=None, pad=0):
        im = im.convert("RGBA")
        w, h = im.size[0] + 2 * pad, im.size[1] + 2 * pad
        tw = int(math.ceil(self.font.getlength(label)))
        if self.x + max(w, tw) > self.w - 16:
            self.newline()
        tile = Image.new("RGBA", (w, h), bg or (0, 0, 0, 0))
        tile.alpha_composite(im, (pad, pad))
        self.parts.append((tile, self.x, self.y))
        self.texts.append((self.x, self.y + h + 3, label, self.font, (60, 60, 70)))
        self.x += max(w, tw) + 18
        self.row_h = max(self.row_h, h + 24)

    def render(self):
        self.newline()
        img = Image.new("RGBA", (self.w, self.y + 8), (226, 228, 232, 255))
        # checkerboard behind transparent tiles shows where pixels are transparent
        for tile, x, y in self.parts:
            cb = Image.new("RGBA", tile.size, (255, 255, 255, 255))
            d = ImageDraw.Draw(cb)
            for yy in range(0, tile.size[1], 8):
                for xx in range(0, tile.size[0], 8):
                    if (xx // 8 + yy // 8) % 2:
                        d.rectangle([xx, yy, xx + 7, yy + 7], fill=(204, 208, 214, 255))
            cb.alpha_composite(tile)
            img.alpha_composite(cb, (x, y))
        d = ImageDraw.Draw(img)
        for x, y, t, f, c in self.texts:
            d.text((x, y), t, font=f, fill=c)
        return img.convert("RGB")


def zoom(im, k):
    return im.resize((im.size[0] * k, im.size[1] * k), Image.NEAREST)


def black_to_alpha(im):
    a = np.asarray(im.convert("RGB")).copy()
    alpha = np.where(np.all(a == 0, axis=-1), 0, 255).astype(np.uint8)
    return Image.fromarray(np.dstack([a, alpha]), "RGBA")


def contact_sheet(pic_dir, font_path, out_path):
    def load(name):
        for ext in ("jpg", "gif", "bmp", "png"):
            p = os.path.join(pic_dir, name + "." + ext)
            if os.path.exists(p):
                return Image.open(p)
        raise FileNotFoundError(name)

    sh = Sheet(2048, font_path)
    sh.texts.append((16, 8, "Noctaris artwork - generated by tools/pictures/gen_pictures.py "
                     "(400 % unless marked; checkerboard = transparent)", sh.head, (20, 24, 40)))
    sh.y = 44
    sh.heading("Photographs (JPEG 117 x 117): pl9 Moon, pl10 Sun, pl1 Mercury, pl2 Venus, "
               "pl4 Mars, pl5 Jupiter, pl6 Saturn, pl7 Uranus")
    for name, _ in PHOTOS:
        sh.add(zoom(load(name), 4), name + " (400 %)")
    for name, _ in PHOTOS:
        sh.add(load(name), name)
    sh.heading("Moon phase sheet s3 (GIF 602 x 315) at 100 %, and a 400 % crop")
    s3 = load("s3")
    sh.add(s3, "s3 (100 %)")
    sh.add(zoom(s3.crop((0, 0, 330, 160)), 4), "s3, pictures 0-3 and 7-10 (400 %)")
    sh.heading("Horizon figure s36s / s37s (GIF 2000 x 160), 100 %: landscape, mask, and the "
               "chart's (chart OR mask) AND landscape over a starry sky")
    land = np.asarray(load("s36s").convert("RGB"))
    mask = np.asarray(load("s37s").convert("RGB"))
    rng = np.random.default_rng(3)
    chart = np.zeros_like(land)
    for _ in range(500):
        chart[rng.integers(0, 160), rng.integers(0, 2000)] = (255, 255, 255)
    comp = (chart | mask) & land
    sh.add(Image.fromarray(land), "s36s landscape (100 %)")
    sh.add(Image.fromarray(mask), "s37s mask (100 %)")
    sh.add(Image.fromarray(comp), "combined on the chart (100 %); the ground line, row 132, "
           "lies on the chart's horizon row")
    sh.add(zoom(Image.fromarray(comp[:, 400:900]), 4), "combined, columns 400-900 (400 %)")
    sh.heading("Chart bitmaps, black = transparent (400 %): Moon phases 1460-1467, Sun 1160, "
               "planets 1171-1178, Sun symbols orb_sun / term_sun")
    for i in range(8):
        sh.add(zoom(black_to_alpha(load(str(1460 + i))), 4), str(1460 + i), bg=(0, 0, 0, 255), pad=4)
    sh.add(zoom(black_to_alpha(load("1160")), 4), "1160 Sun", bg=(0, 0, 0, 255), pad=4)
    for name, body in PLANET_SYMBOLS:
        sh.add(zoom(black_to_alpha(load(name)), 4), "%s %s" % (name, body), bg=(0, 0, 0, 255), pad=4)
    sh.add(zoom(load("orb_sun"), 4), "orb_sun (opaque)", pad=0)
    sh.add(zoom(black_to_alpha(load("term_sun")), 4), "term_sun on the map", bg=(255, 255, 255, 255), pad=4)
    for i in range(8):
        sh.add(black_to_alpha(load(str(1460 + i))), str(1460 + i), bg=(0, 0, 0, 255), pad=3)
    for name, _ in PLANET_SYMBOLS:
        sh.add(black_to_alpha(load(name)), name, bg=(0, 0, 0, 255), pad=3)
    sh.heading("Toolbar glyphs S20 S34 S29 S5 (20 x 20) and orbit zoom buttons S8 S18 S9 (18 x 18), "
               "400 % and 100 % on the toolbar colour")
    for name, _ in GLYPHS:
        sh.add(zoom(load(name), 4), name, bg=(240, 240, 240, 255), pad=4)
    for name, _ in GLYPHS:
        sh.add(load(name), name, bg=(240, 240, 240, 255), pad=4)
    sh.heading("Application icon (PNG 16-256) and About emblem (GIF 138 x 150, shown at 69 x 75)")
    for n in (16, 32, 48):
        sh.add(zoom(load("icon%d" % n), 4), "icon%d (400 %%)" % n)
    for n in (16, 32, 48, 64, 128, 256):
        sh.add(load("icon%d" % n), "icon%d" % n)
    em = load("emblem").convert("RGBA")
    sh.add(em, "emblem (100 %)", bg=(255, 255, 255, 255))
    sh.add(em.resize((69, 75), Image.LANCZOS), "as shown", bg=(255, 255, 255, 255), pad=6)
    sh.add(zoom(em, 4), "emblem (400 %)")
    img = sh.render()
    os.makedirs(os.path.dirname(out_path), exist_ok=True)
    img.save(out_path, format="PNG", optimize=False, compress_level=9)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                 formatter_class=argparse.RawDescriptionHelpFormatter,
                                 epilog="Writes resources/pictures/*.{jpg,gif,bmp,png} and "
                                        "docs/artwork.png under the project root.")
    ap.add_argument("--data", default=os.path.join(root, "..", "shared", "data"),
                    help="source data folder with textures/ (default: ../shared/data from the "
                         "project root)")
    ap.add_argument("--root", default=root, help="project root to write into (default: %(default)s)")
    ap.add_argument("--no-sheet", action="store_true", help="skip docs/artwork.png")
    args = ap.parse_args(argv)
    if not os.path.isdir(os.path.join(args.data, "textures")):
        ap.error("no textures/ folder in %s" % args.data)
    pic_dir = os.path.join(args.root, "resources", "pictures")
    written = write_all(build_all(args.data), pic_dir)
    print("wrote %d pictures to %s" % (len(written), pic_dir))
    if not args.no_sheet:
        out = os.path.join(args.root, "docs", "artwork.png")
        contact_sheet(pic_dir, os.path.join(args.root, "resources", "fonts", "DejaVuSans.ttf"), out)
        print("wrote", out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
