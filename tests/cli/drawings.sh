#!/bin/bash
# noctaris-cli moon-calendar / orbits / terminator: the PNG files are decoded and the drawn
# facts checked: where the full and new moon fall in the month, where Earth and Mars stand on
# the plan, which side of the world is dark.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C
py=/usr/bin/python3; [ -x "$py" ] || py=python3

"$cli" moon-calendar --month 2026-12 --out "$tmp/december.png" || fail "moon-calendar exited $?"
"$cli" moon-calendar --month 2026-12 --day 24 --out "$tmp/framed.png" || fail "moon-calendar --day exited $?"
"$cli" moon-calendar --month 2027-02 --out "$tmp/february.png" || fail "moon-calendar February exited $?"
"$cli" orbits --date 2026-12-07 --objects earth,Mars --out "$tmp/orbits.png" || fail "orbits exited $?"
"$cli" orbits --date 2026-12-07 --objects earth,mars --zoom 2 --size 400x300 --out "$tmp/zoomed.png" || fail "zoomed orbits exited $?"
# "planets", as the help offers it, names the eight planets of the default.
"$cli" orbits --date 2026-12-07 --size 300x200 --out "$tmp/default.png" || fail "default orbits exited $?"
"$cli" orbits --date 2026-12-07 --size 300x200 --objects Planets,earth --out "$tmp/planets.png" || fail "orbits of planets exited $?"
cmp -s "$tmp/default.png" "$tmp/planets.png" || fail "--objects planets differs from the default"
"$cli" terminator --date 2026-12-07 --time 21:30 --no-sun --out "$tmp/december_night.png" || fail "terminator exited $?"
"$cli" terminator --date 2026-06-21 --time 14:00 --no-sun --no-grid --out "$tmp/june_noon.png" || fail "terminator June exited $?"
"$cli" terminator --date 2026-06-21 --time 14:00 --no-sun --no-grid --no-summer-time --out "$tmp/june_winter_clock.png" \
    || fail "terminator --no-summer-time exited $?"
"$cli" terminator --date 2026-12-07 --time 21:30 --size 720x320 --out "$tmp/small.png" || fail "sized terminator exited $?"

# One instant on two clocks (zoneinfo: 21 Jun 2026 12:00 UT is 14:00 CEST and 22:00 AEST) draws
# the same map; a zone the database does not know is refused.
"$cli" terminator --date 2026-06-21 --time 22:00 --no-sun --no-grid --zone Australia/Sydney --out "$tmp/june_sydney.png" \
    || fail "terminator --zone exited $?"
cmp -s "$tmp/june_noon.png" "$tmp/june_sydney.png" || fail "the same instant on Sydney's clock draws another map"
"$cli" terminator --date 2026-06-21 --time 22:00 --zone Nowhere/Else --out "$tmp/none.png" 2>/dev/null \
    && fail "an unknown zone was accepted"

PYTHONPATH="$(dirname "$0")" "$py" - "$tmp" <<'EOF' || exit 1
import datetime, math, sys
from png_pixels import read_png

tmp = sys.argv[1]
def die(msg):
    print("FAIL:", msg, file=sys.stderr)
    sys.exit(1)
def size(p):
    return len(p[0]), len(p)

# Moon phase calendar: 784 x 578 like the window's drawing area; each day's picture sits in
# its weekday column (Sunday first) of its week row.
dec = read_png(f"{tmp}/december.png")
if size(dec) != (784, 578):
    die(f"moon calendar of {size(dec)}")
def brightness(p, year, month):
    first = datetime.date(year, month, 1)
    cell0 = (first.isoweekday() % 7)  # Sunday 0
    if cell0 < 2: cell0 += 7          # a month beginning on Sunday or Monday starts a row lower
    days = ((first.replace(month=month % 12 + 1, year=year + month // 12)) - first).days
    result = {}
    for n in range(1, days + 1):
        cell = cell0 + n - 1
        x0, y0 = 49 + 98 * (cell % 7 + 1) - 60, (cell // 7) * 76 + 118
        result[n] = sum(sum(p[y][x]) for y in range(y0, y0 + 52) for x in range(x0, x0 + 52))
    return result
b = brightness(dec, 2026, 12)
brightest, darkest = max(b, key=b.get), min(b, key=b.get)
# Full moon 2026-12-24 01:28 UT, new moon 2026-12-09 00:52 UT (pictures at local noon).
if brightest not in (23, 24, 25) or darkest not in (8, 9, 10):
    die(f"brightest day {brightest}, darkest {darkest}")
feb = brightness(read_png(f"{tmp}/february.png"), 2027, 2)
# February 2027: new moon on the 6th, full moon on the 20th; 28 days, the month begins on a Monday.
if max(feb, key=feb.get) not in (19, 20, 21) or min(feb, key=feb.get) not in (5, 6, 7):
    die(f"February: brightest {max(feb, key=feb.get)}, darkest {min(feb, key=feb.get)}")
framed = read_png(f"{tmp}/framed.png")
diff = [(x, y) for y in range(578) for x in range(784) if framed[y][x] != dec[y][x]]
# The 24th (a Thursday in the fourth row) gets a yellow frame: a 98 x 76 box's outline.
if not diff or min(diff) < (441, 0) or max(x for x, _ in diff) > 441 + 98 or min(y for _, y in diff) < 98 + 3 * 76:
    die(f"--day 24 changed pixels {min(diff) if diff else None}..{max(diff) if diff else None}")

# Orbits: Sun in the middle, 50 pixels per AU; Earth opposite the Sun's longitude (254.5 deg on
# 2026-12-07), Mars at heliocentric longitude 117.6 deg, 1.629 AU (independent ephemeris).
orb = read_png(f"{tmp}/orbits.png")
if size(orb) != (901, 726):
    die(f"orbits of {size(orb)}")
def centroid(p, test, scale):
    w, h = size(p)
    cx, cy = w // 2, h // 2
    pts = [(x, y) for y in range(h) for x in range(w) if test(*p[y][x]) and (x - cx) ** 2 + (y - cy) ** 2 > 15 ** 2]
    if not pts:
        die("a planet is missing")
    mx, my = sum(x for x, _ in pts) / len(pts), sum(y for _, y in pts) / len(pts)
    return math.degrees(math.atan2(cy - my, mx - cx)) % 360, math.hypot(mx - cx, my - cy) / scale
earth = lambda r, g, b: b > 150 and r < 60 and g > 40   # the blue symbol, not the pure blue orbit
mars = lambda r, g, b: r > 180 and 60 < g < 160 and b < 80
for name, test, lon, dist in (("Earth", earth, 74.5, 0.985), ("Mars", mars, 117.6, 1.629)):
    for png, scale in ((orb, 50), (read_png(f"{tmp}/zoomed.png"), 100)):
        angle, r = centroid(png, test, scale)
        if abs(angle - lon) > 3 or abs(r - dist) > 0.08:
            die(f"{name} drawn at {angle:.1f} deg, {r:.2f} AU (scale {scale})")

# Terminator: plain longitude/latitude map, +-80 deg. Day is white, night light grey.
def shade(p, lon, lat):
    w, h = size(p)
    x, y = round(w / 2 + lon * w / 360), round(h / 2 - lat * h / 160)
    block = [p[j][i] for j in range(y - 2, y + 3) for i in range(x - 2, x + 3)]
    day, night = block.count((255, 255, 255)), block.count((240, 240, 240))
    return "day" if day > night else "night" if night > day else "?"
pix = read_png(f"{tmp}/december_night.png")
if size(pix) != (1070, 667):
    die(f"terminator of {size(pix)}")
# 2026-12-07 20:30 UT: the Sun stands over 128 W, 23 S; the Arctic is dark, the Antarctic lit.
expect = {(-128, -22): "day", (52, 22): "night", (10, 72): "night", (10, -72): "day",
          (-170, 0): "day", (100, 0): "night"}
for (lon, lat), want in expect.items():
    if shade(pix, lon, lat) != want:
        die(f"December: {lon},{lat} is {shade(pix, lon, lat)}, not {want}")
june = read_png(f"{tmp}/june_noon.png")
# 14:00 summer time = 12:00 UT: noon over Greenwich, the Arctic lit, the Antarctic dark.
for (lon, lat), want in {(10, 10): "day", (-170, 10): "night", (10, 72): "day", (10, -72): "night",
                         (100, 60): "day", (-100, 60): "day"}.items():
    if shade(june, lon, lat) != want:
        die(f"June: {lon},{lat} is {shade(june, lon, lat)}, not {want}")
# Taken as standard time the same clock is an hour later: the evening boundary has moved west.
winter = read_png(f"{tmp}/june_winter_clock.png")
moved = [lon for lon in range(60, 140) if shade(june, lon, 0) == "day" and shade(winter, lon, 0) == "night"]
if not 10 <= len(moved) <= 20:
    die(f"an hour moves the boundary across {len(moved)} degrees")
if size(read_png(f"{tmp}/small.png")) != (720, 320):
    die("--size is not the map's size")
EOF
echo "drawings: ok"
