#!/usr/bin/python3
"""Builds the embedded resources DSO (deep-sky objects) and MILKY (the Milky Way's outlines).

DSO inflates to Windows-1252 text with CR LF line ends, one object a line, TAB-separated:
  right ascension, declination (J2000, radians), kind (G galaxy, O open cluster, C globular
  cluster, P planetary nebula, N bright nebula, D dark nebula, X other), type code of the source
  (s, e, oc, pn, ...), visual magnitude, major and minor axis (arcminutes, 0 unknown), position
  angle (degrees from the north through the east, empty when unknown; so is an unknown
  magnitude), constellation
  abbreviation, designations (comma-separated, the first is the label: "M 31,NGC 224"), English
  name, German name (both may be empty).
Every Messier object comes first, in Messier order; then the NGC and IC objects with a known
magnitude to MAG_LIMIT and a few large dark nebulae and bright clusters known by name.

MILKY: one outline a line: level 1..5 (rising surface brightness), TAB, then "ra dec" pairs in
degrees (J2000, ra -180..180) separated by TABs. The outlines are spherical: an edge is the
short great-circle arc; each level's area is the set of points inside an odd number of its
outlines, where an outline's inside is the side without the south galactic pole.
A rerun reproduces the committed files byte for byte.
"""

import argparse
import math
import os
import sys

from gen_catalog import GREEK, ConstellationFinder, load_json, num, to_cp1252, write_resource, wrap180

MAG_LIMIT = 12.0
MW_TOLERANCE = 0.2   # degrees: Douglas-Peucker tolerance of the outlines
MW_MIN_AREA = 1.5    # square degrees: smaller islands and holes are left out

KIND = {'s': 'G', 's0': 'G', 'sd': 'G', 'i': 'G', 'e': 'G', 'g': 'G', 'oc': 'O', 'gc': 'C',
        'pn': 'P', 'bn': 'N', 'rn': 'N', 'en': 'N', 'sfr': 'N', 'snr': 'N', 'dn': 'D',
        'sc': 'X', 'ds': 'X', 'as': 'X'}

# The Messier objects that are not clusters or nebulae in the source ("pos").
MESSIER_TYPE = {'M24': 'sc', 'M40': 'ds', 'M73': 'as'}

# Besides NGC and IC: dark nebulae and bright clusters that observers know by name.
EXTRAS = ['B 33', 'C 99', 'B 72', 'B 78', 'B 86', 'B 142', 'B 143', 'LDN 906', 'C 41', 'Cr 399',
          'Cr 256', 'Cr 39', 'PGC 17223', 'NGC 292']
EXTRA_DESIGNATION = {'C 41': 'Mel 25', 'PGC 17223': 'LMC', 'NGC 292': 'SMC'}

# Names where the source has none, a Greek letter or a clumsy form.
NAME_OVERRIDE = {
    'M 24': ('Sagittarius Star Cloud', 'Sagittarius-Sternwolke'),
    'M 40': ('Winnecke 4', 'Winnecke 4'),
    'NGC 5139': ('Omega Centauri', 'Omega Centauri'),
    'NGC 104': ('47 Tucanae', '47 Tucanae'),
    'C 41': ('Hyades', 'Hyaden'),
    'C 99': ('Coalsack Nebula', 'Kohlensack'),
    'Cr 39': ('Alpha Persei Cluster', 'Alpha-Persei-Haufen'),
    'PGC 17223': ('Large Magellanic Cloud', 'Große Magellansche Wolke'),
    'NGC 292': ('Small Magellanic Cloud', 'Kleine Magellansche Wolke'),
    'M 45': ('Pleiades', 'Plejaden'),
    'M 44': ('Praesepe', 'Krippe'),
}

# Published position angles (RC3) of the large elongated galaxies, where the source gives none.
POSITION_ANGLE = {'NGC 224': 35, 'NGC 598': 23, 'NGC 3031': 157, 'NGC 3034': 65, 'NGC 4594': 90,
                  'NGC 4258': 150, 'NGC 205': 170, 'NGC 3623': 174, 'NGC 3627': 173,
                  'NGC 3556': 79, 'NGC 5055': 105, 'NGC 4826': 115, 'NGC 253': 52,
                  'NGC 4565': 136, 'NGC 891': 22, 'NGC 5866': 128, 'NGC 4192': 155}

def clean_name(text):
    text = (text or '').strip().replace('´', "'").replace('’', "'")
    for g, name in GREEK.items():
        text = text.replace(g, name)
    text = ' '.join(text.split())
    return to_cp1252(text)


def size_of(dim):
    parts = [p for p in str(dim or '').lower().split('x') if p.strip()]
    try:
        values = [float(p) for p in parts]
    except ValueError:
        return 0.0, 0.0
    if not values:
        return 0.0, 0.0
    return max(values), min(values) if len(values) > 1 else values[0]


def magnitude_of(value):
    try:
        m = float(value)
    except (TypeError, ValueError):
        return None
    return None if m >= 99 else m


def build_objects(data):
    cel = os.path.join(data, 'celestial')
    messier = load_json(os.path.join(cel, 'messier.json'))['features']
    dsos = load_json(os.path.join(cel, 'dsos.14.json'))['features']
    names = load_json(os.path.join(cel, 'dsonames.json'))
    finder = ConstellationFinder(load_json(os.path.join(cel, 'constellations.borders.json')))
    star_names = load_json(os.path.join(cel, 'starnames.json'))
    constellations = load_json(os.path.join(cel, 'constellations.json'))['features']
    taken = set()  # names of stars and constellations: a deep-sky name must not hide them
    for s in star_names.values():
        for key in ('name', 'de'):
            if s.get(key):
                taken.add(s[key].casefold())
    for c in constellations:
        for key in ('name', 'en', 'de'):
            if c['properties'].get(key):
                taken.add(c['properties'][key].casefold())
    by_id = {str(f['id']): f for f in dsos}

    used_names = set()

    def names_of(keys, fallback=''):
        for k in keys:
            if k in NAME_OVERRIDE:
                return NAME_OVERRIDE[k]
        for k in keys:
            if k in names:
                n = names[k]
                return clean_name(n.get('name')), clean_name(n.get('de') or n.get('name'))
        return clean_name(fallback), ''

    def unique(en, de):
        # A name given twice (parts of one cloud) or taken by a star stays with its first owner.
        if not en or en.casefold() in used_names or en.casefold() in taken:
            return '', ''
        used_names.add(en.casefold())
        if de and de.casefold() in taken:
            de = ''
        return en, de

    out = []

    def emit(ra, dec, code, mag, major, minor, pa, designations, en, de):
        abbr = finder.find(ra % 360.0, dec) or ''
        ra_rad = math.radians(ra % 360.0)
        out.append('\t'.join([f'{ra_rad:.7f}', f'{math.radians(dec):.7f}', KIND[code], code,
                              '' if mag is None else num(mag, 2), num(major, 1), num(minor, 1), '' if pa is None else str(pa),
                              abbr, ','.join(designations), en, de]))

    messier_ngc = set()
    for f in messier:
        p = f['properties']
        m = int(p['name'][1:])
        mid = f'M {m}'
        ngc = (p.get('desig') or '').split('/')[0].strip()
        if ngc:
            messier_ngc.add(ngc)
        src = by_id.get(ngc) or by_id.get(mid)
        ra, dec = f['geometry']['coordinates']
        major, minor = size_of(p.get('dim'))
        mag = p['mag']
        if src:
            ra, dec = src['geometry']['coordinates']
            mag = magnitude_of(src['properties']['mag']) or mag
            major, minor = size_of(src['properties']['dim']) if src['properties']['dim'] else (major, minor)
        code = MESSIER_TYPE.get(p['name'], p['type'])
        en, de = unique(*names_of([mid, ngc], p.get('alt')))
        designations = [mid] + ([ngc] if ngc else [])
        emit(ra, dec, code, float(mag), major, minor, POSITION_ANGLE.get(ngc), designations, en, de)

    count_messier = len(out)
    rest = []
    for f in dsos:
        fid = str(f['id'])
        p = f['properties']
        if fid in messier_ngc or fid.startswith('M '):
            continue
        mag = magnitude_of(p['mag'])
        if fid in EXTRAS:
            pass
        elif not (fid.startswith('NGC ') or fid.startswith('IC ')):
            continue
        elif mag is None or mag > MAG_LIMIT or p['type'] not in KIND or p['type'] == 'dn':
            continue
        rest.append((fid, f, mag))
    # The brighter first, so that a shared name goes to the brighter object.
    rest.sort(key=lambda r: (r[2] if r[2] is not None else 99, r[0]))
    for fid, f, mag in rest:
        p = f['properties']
        ra, dec = f['geometry']['coordinates']
        major, minor = size_of(p['dim'])
        designation = EXTRA_DESIGNATION.get(fid, fid)
        en, de = unique(*names_of([fid]))
        emit(ra, dec, p['type'], mag, major, minor, POSITION_ANGLE.get(fid),
             [designation], en, de)
    return out, count_messier


# ---- the Milky Way ------------------------------------------------------------------------------

def unwrap(ring):
    out = [list(ring[0])]
    for lon, lat in ring[1:]:
        prev = out[-1][0]
        out.append([prev + wrap180(lon - prev), lat])
    return out


def douglas_peucker(points, tol):
    if len(points) < 3:
        return points
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        a, b = stack.pop()
        (x1, y1), (x2, y2) = points[a], points[b]
        k = math.cos(math.radians((y1 + y2) / 2))
        dx, dy = (x2 - x1) * k, y2 - y1
        length = math.hypot(dx, dy)
        best, at = -1.0, -1
        for i in range(a + 1, b):
            px, py = (points[i][0] - x1) * k, points[i][1] - y1
            d = abs(dx * py - dy * px) / length if length > 0 else math.hypot(px, py)
            if d > best:
                best, at = d, i
        if best > tol:
            keep[at] = True
            stack.append((a, at))
            stack.append((at, b))
    return [p for p, k in zip(points, keep) if k]


def ring_area(points):
    k = [math.cos(math.radians(p[1])) for p in points]
    return abs(sum(points[i][0] * k[i] * points[i + 1][1] - points[i + 1][0] * k[i + 1] * points[i][1]
                   for i in range(len(points) - 1))) / 2


def build_milky_way(data):
    mw = load_json(os.path.join(data, 'celestial', 'mw.json'))['features']
    lines, points = [], 0
    for feature in mw:
        level = int(feature['id'][2:])
        for polygon in feature['geometry']['coordinates']:
            for ring in polygon:
                flat = unwrap(ring)
                encircling = abs(flat[-1][0] - flat[0][0]) > 180
                if not encircling and ring_area(flat) < MW_MIN_AREA:
                    continue
                # Split in two so that the ends of the simplification are two distinct points.
                half = len(flat) // 2
                simple = douglas_peucker(flat[:half + 1], MW_TOLERANCE)[:-1] + \
                    douglas_peucker(flat[half:], MW_TOLERANCE)
                if simple[-1] == simple[0] or (not encircling and simple[-1][:2] == simple[0][:2]):
                    simple = simple[:-1]
                if len(simple) < 3:
                    continue
                points += len(simple)
                lines.append('\t'.join([str(level)] + [f'{num(wrap180(lon), 2)} {num(lat, 2)}'
                                                       for lon, lat in simple]))
    return lines, points


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, '..', '..'))
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--data', default=os.path.normpath(os.path.join(root, '..', 'shared', 'data')))
    ap.add_argument('--out', default=os.path.join(root, 'resources', 'data'))
    args = ap.parse_args()
    objects, messier = build_objects(args.data)
    count, size = write_resource(args.out, 'DSO', objects)
    print(f'DSO: {count} objects ({messier} Messier), {size} bytes')
    outlines, points = build_milky_way(args.data)
    count, size = write_resource(args.out, 'MILKY', outlines)
    print(f'MILKY: {count} outlines, {points} points, {size} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
