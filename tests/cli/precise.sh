#!/bin/bash
# noctaris-cli --precise: published apparent places and rising instants, the frame named in the
# precise outputs only, the chart's bodies where they are seen; and without the switch every
# output exactly as before it existed.
cli="$1"
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C

# ---- Without --precise: byte for byte the classic outputs --------------------------------------
# The references are the classic outputs in standard time, rewritten only where a classic
# result was corrected; the Moon text's local-time line ends with the computer's date, which
# is cut off.
ref="$here/classic_reference"
same() {
    local file="$1"; shift
    "$cli" "$@" --standard-time >"$tmp/out" || fail "$* exited $?"
    [ "$file" = moon.txt ] && sed -i 's/ ; .*/ ;/' "$tmp/out"
    cmp -s "$tmp/out" "$ref/$file" || fail "$* differs from $file: $(diff "$ref/$file" "$tmp/out" | head -4)"
}
same ephemeris.txt ephemeris --date 2026-12-07 --time 21:30
same ephemeris.csv ephemeris --place "Longyearbyen, SJM" --range 2026-06-20T12:00..2026-06-22T12:00 --format csv
same ephemeris.json ephemeris --place "Sydney, AUS" --date 2027-03-01 --time 05:00 --format json
same moon.csv moon --range 2026-12-01T21:30..2026-12-31T21:30 --step 5d --format csv
same moon.txt moon --date 2026-12-07 --time 21:30
same sun.txt sun --date 2026-12-07 --time 21:30
same sun.csv sun --place "Longyearbyen, SJM" --range 2026-12-20T12:00..2026-12-22T12:00 --format csv
same planet.txt planet mars --date 2026-12-07 --time 21:30
same planet.json planet venus --place "Boston, USA" --range 1988-03-19..1988-03-21 --format json

# ---- The frame: named with --precise, nowhere without it ------------------------------------
moment=(--date 2026-12-07 --time 21:30)
for cmd in ephemeris moon sun "planet mars"; do
    # shellcheck disable=SC2086
    "$cli" $cmd "${moment[@]}" >"$tmp/classic.txt" || fail "$cmd exited $?"
    # shellcheck disable=SC2086
    "$cli" $cmd "${moment[@]}" --precise >"$tmp/precise.txt" || fail "$cmd --precise exited $?"
    grep -q "apparent of date\|J2000\|Frame" "$tmp/classic.txt" && fail "$cmd names a frame without --precise"
    case "$cmd" in
        ephemeris) head -1 "$tmp/precise.txt" | grep -q "^apparent of date	Mercury	Venus" ;;
        planet*) grep -q "^Frame: apparent of date" "$tmp/precise.txt" ;;
        *) grep -q "^Frame		apparent of date" "$tmp/precise.txt" ;;
    esac || fail "$cmd --precise does not name its frame: $(head -5 "$tmp/precise.txt")"
    for format in csv json; do
        # shellcheck disable=SC2086
        "$cli" $cmd "${moment[@]}" --format $format >"$tmp/classic.$format"
        # shellcheck disable=SC2086
        "$cli" $cmd "${moment[@]}" --format $format --precise >"$tmp/precise.$format"
        grep -q "frame" "$tmp/classic.$format" && fail "$cmd $format has a frame field without --precise"
        /usr/bin/python3 - "$tmp/precise.$format" "$format" <<'EOF' || fail "$cmd $format --precise: no frame field"
import csv, json, sys
path, fmt = sys.argv[1:]
records = list(csv.DictReader(open(path))) if fmt == "csv" else json.load(open(path))["records"]
sys.exit(0 if records and all(r["frame"] == "apparent of date" for r in records) else 1)
EOF
    done
done
for cmd in ephemeris moon sun planet; do
    "$cli" $cmd --help | tr -s ' \n' ' ' | grep -q "upper limb of the Sun or the Moon, or the centre of a planet, stands at 0° observed altitude, refraction" ||
        fail "$cmd --help does not state the rising and setting convention"
done
"$cli" chart --help | grep -q -- "--precise" || fail "chart --help lacks --precise"

# ---- Published apparent places (Meeus, Astronomical Algorithms), 0h dynamical time ----------
# 0h TD is 23:59:01 UT of the day before (ΔT 59 s in 1992). Venus 1992 December 20 (example
# 33.a): α 21h04m41.454s, δ −18°53′16.84″. The Moon 1992 April 12 (example 47.a): α 134.688470°,
# δ 13.768368°, distance 368409.7 km. The Sun 1992 October 13 (example 25.b): α 198.378178°,
# δ −7.783871°, distance 0.99760775 AU.
at=(--place "London, GB" --time 23:59:01 --standard-time --precise --format csv)  # GMT: UT
"$cli" planet venus --date 1992-12-19 "${at[@]}" >"$tmp/venus.csv" || fail "planet venus exited $?"
"$cli" ephemeris --date 1992-12-19 "${at[@]}" >"$tmp/table.csv" || fail "ephemeris exited $?"
"$cli" moon --date 1992-04-11 "${at[@]}" >"$tmp/moon.csv" || fail "moon exited $?"
"$cli" sun --date 1992-10-12 "${at[@]}" >"$tmp/sun.csv" || fail "sun exited $?"
/usr/bin/python3 - "$tmp" <<'EOF' || fail "published apparent places"
import csv, sys
d = sys.argv[1]
def rec(name, planet=None):
    rows = list(csv.DictReader(open(f"{d}/{name}.csv")))
    return next(r for r in rows if planet is None or r["planet"] == planet)
def near(what, got, want, tol):
    if abs(float(got) - want) > tol:
        sys.exit(f"{what}: {got}, published {want}")
arcsec = 1 / 3600
for r in (rec("venus"), rec("table", "Venus")):
    near("Venus right ascension", r["right_ascension_deg"], (21 + 4 / 60 + 41.454 / 3600) * 15, 2 * arcsec)
    near("Venus declination", r["declination_deg"], -(18 + 53 / 60 + 16.84 / 3600), 2 * arcsec)
moon = rec("moon")
near("Moon right ascension", moon["right_ascension_deg"], 134.688470, 2 * arcsec)
near("Moon declination", moon["declination_deg"], 13.768368, 2 * arcsec)
near("Moon distance", moon["distance_km"], 368409.7, 1)
sun = rec("sun")
near("Sun right ascension", sun["right_ascension_deg"], 198.378178, 2 * arcsec)
near("Sun declination", sun["declination_deg"], -7.783871, 2 * arcsec)
near("Sun distance", sun["distance_km"], 0.99760775 * 149597870.7, 300)
EOF

# ---- Published rising and setting instants --------------------------------------------------
# Venus at Boston, 1988 March 20 (Meeus, example 15.a): rising 12h25m UT. London at the 2021
# June solstice, as the national almanac office gives it: sunrise 04:43, sunset 21:21 BST
# (3:43 and 20:21 UT).
"$cli" planet venus --place "Boston, USA" --date 1988-03-20 --time 12:00 --precise --format csv >"$tmp/boston.csv"
"$cli" sun --place "London, GB" --date 2021-06-21 --time 12:00 --precise --format csv >"$tmp/london.csv"
/usr/bin/python3 - "$tmp" <<'EOF' || fail "published rising and setting"
import csv, sys
from datetime import datetime
d = sys.argv[1]
def near(what, got, want):
    g = datetime.fromisoformat(got.replace("Z", "+00:00"))
    w = datetime.fromisoformat(want)
    if abs((g - w).total_seconds()) > 60:
        sys.exit(f"{what}: {got}, published {want}")
venus = next(csv.DictReader(open(f"{d}/boston.csv")))
near("Venus rising", venus["rise_utc"], "1988-03-20T12:25:00+00:00")
sun = next(csv.DictReader(open(f"{d}/london.csv")))
near("sunrise", sun["sunrise_utc"], "2021-06-21T03:43:00+00:00")
near("sunset", sun["sunset_utc"], "2021-06-21T20:21:00+00:00")
EOF
# The Moon rose at Chemnitz at 23:09 on 30 November 2026 and next at 00:28 on 2 December:
# none on the 1st, and the text and CSV say so instead of making a time up.
"$cli" moon --date 2026-12-01 --time 12:00 --precise >"$tmp/moon.txt"
grep -q "^Moonrise		none on this day" "$tmp/moon.txt" || fail "no 'none on this day': $(grep Moonrise "$tmp/moon.txt")"
grep -qP "^Culmination	\d\d:\d\d UT$" "$tmp/moon.txt" || fail "the culmination of 1 December is missing"
"$cli" moon --date 2026-12-01 --time 12:00 --precise --format csv |
    /usr/bin/python3 -c 'import csv,sys; r=next(csv.DictReader(sys.stdin)); sys.exit(r["rise_utc"] != "" or r["set_utc"] == "")' ||
    fail "moon CSV of 1 December: the rise should be empty, the set given"

# ---- The chart: the bodies where they are seen ----------------------------------------------
# Chemnitz, 2027-01-22 21:00 UT, facing south-east (azimuth -45). Topocentric places without
# refraction from an independent ephemeris: Jupiter azimuth 107.0524°, altitude 31.5038°; the
# Moon 119.2843°, 44.5313° (azimuth from the north).
chart=(chart --place "Chemnitz, D" --date 2027-01-22 --time 22:00 --azimuth -45 --show moon)
"$cli" "${chart[@]}" --out "$tmp/classic.png" || fail "chart exited $?"
"$cli" "${chart[@]}" --precise --out "$tmp/precise.png" || fail "chart --precise exited $?"
cmp -s "$tmp/classic.png" "$tmp/precise.png" && fail "--precise changed nothing on the chart"
PYTHONPATH="$here" /usr/bin/python3 - "$tmp/precise.png" <<'EOF' || fail "chart --precise"
import math, sys
from png_pixels import read_png
rows = read_png(sys.argv[1])
height, width = len(rows), len(rows[0])
centre, per_degree = width // 2, (width // 2) / 90
def pixel(azimuth, altitude):  # the chart's linear azimuth and altitude scales
    return (centre + (azimuth - 180 + 45) * per_degree,
            height - 28 - 2.4 / math.pi * math.radians(altitude) * height)
def run(x, y, dx, dy, body):  # the last pixel of the body's picture from (x, y) on
    while body(rows[y + dy][x + dx]):
        x, y = x + dx, y + dy
    return x if dx else y
def lit(p): return max(p) > 16
def grey(p): return lit(p) and max(p) - min(p) < 48  # the Moon, not an orange star beside it
# Jupiter's picture is 8 pixels wide from 4 left of its place, the Moon's 15 from 7 left.
for name, (az, alt), body, shift in (("Jupiter", (107.0524, 31.5038), lit, 0.5),
                                     ("Moon", (119.2843, 44.5313), grey, 0)):
    x, y = (round(v) for v in pixel(az, alt))
    if not body(rows[y][x]):
        sys.exit(f"{name}: no picture at ({x}, {y})")
    cx = (run(x, y, -1, 0, body) + run(x, y, 1, 0, body)) / 2 + shift
    cy = (run(x, y, 0, -1, body) + run(x, y, 0, 1, body)) / 2 + shift
    wx, wy = pixel(az, alt)
    if abs(cx - wx) > 1.5 or abs(cy - wy) > 1.5:
        sys.exit(f"{name} drawn around ({cx}, {cy}), seen at ({wx:.1f}, {wy:.1f})")
EOF
echo "precise cli: ok"
