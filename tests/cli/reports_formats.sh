#!/bin/bash
# noctaris-cli sun / moon / ephemeris / planet / star as CSV and JSON: read back with the csv
# and json modules, checked against each other, against the text reports and against published
# or independently computed values.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C
py=/usr/bin/python3; [ -x "$py" ] || py=python3

wien=(--place "Wien, A")
day=(--range 2026-06-21..2026-06-21T23:59 --step 30min)
"$cli" sun "${wien[@]}" "${day[@]}" --format csv >"$tmp/sun.csv" || fail "sun csv exited $?"
"$cli" sun "${wien[@]}" "${day[@]}" --format json >"$tmp/sun.json" || fail "sun json exited $?"
"$cli" sun "${wien[@]}" "${day[@]}" >"$tmp/sun.txt" || fail "sun text exited $?"
"$cli" sun "${wien[@]}" --date 2026-06-21 --time 12:00 >"$tmp/noon.txt" || fail "sun exited $?"
month=(--range 2026-12-01T12:00..2026-12-31T12:00 --step 1d)
"$cli" moon "${month[@]}" --format csv >"$tmp/moon.csv" || fail "moon csv exited $?"
"$cli" moon "${month[@]}" --format json >"$tmp/moon.json" || fail "moon json exited $?"
"$cli" moon --date 2026-12-24 --time 20:00 --format csv >"$tmp/moon24.csv" || fail "moon exited $?"
night=(--range 2026-12-07T18:00..2026-12-08T06:00 --step 30min)
"$cli" ephemeris "${night[@]}" --format csv >"$tmp/eph.csv" || fail "ephemeris csv exited $?"
"$cli" ephemeris "${night[@]}" --format json >"$tmp/eph.json" || fail "ephemeris json exited $?"
# A range is written as it is computed; into a file it arrives whole and the same.
for f in csv json text; do
    "$cli" ephemeris "${night[@]}" --format $f >"$tmp/eph.out" || fail "ephemeris $f exited $?"
    "$cli" ephemeris "${night[@]}" --format $f --out "$tmp/eph.file" || fail "ephemeris --out exited $?"
    cmp -s "$tmp/eph.out" "$tmp/eph.file" || fail "ephemeris --format $f --out differs from standard output"
done
"$cli" planet MARS --date 2026-12-07 --time 21:30 --format json >"$tmp/mars.json" || fail "planet exited $?"
"$cli" planet mars --date 2026-12-07 --time 21:30 >"$tmp/mars.txt" || fail "planet text exited $?"
"$cli" star sirius --format json >"$tmp/sirius.json" || fail "star json exited $?"
"$cli" star "Ori Alpha" --format csv >"$tmp/betelgeuse.csv" || fail "star csv exited $?"
"$cli" star "CMa Alpha,Sirius" >"$tmp/sirius.txt" || fail "star text exited $?"

"$py" - "$tmp" <<'EOF' || exit 1
import csv, datetime, json, sys

tmp = sys.argv[1]
def die(msg):
    print("FAIL:", msg, file=sys.stderr)
    sys.exit(1)
def rows(name):
    return list(csv.DictReader(open(f"{tmp}/{name}", newline="", encoding="utf-8")))
def doc(name):
    return json.load(open(f"{tmp}/{name}", encoding="utf-8"))
def instant(text):
    return datetime.datetime.fromisoformat(text.replace("Z", "+00:00"))
def near(text, when, minutes, what):
    if abs(instant(text) - instant(when)) > datetime.timedelta(minutes=minutes):
        die(f"{what}: {text}, expected {when} within {minutes} min")
def same(csv_rows, json_records, what):
    # CSV carries the JSON record's values: numbers as their shortest text, none as empty.
    if len(csv_rows) != len(json_records):
        die(f"{what}: {len(csv_rows)} CSV rows, {len(json_records)} JSON records")
    for c, j in zip(csv_rows, json_records):
        if list(c) != list(j):
            die(f"{what}: CSV fields {list(c)} differ from JSON's {list(j)}")
        for k, v in j.items():
            if v is None: v = ""
            elif v is True or v is False: v = str(v).lower()
            elif isinstance(v, float): v = float(c[k]) == v and c[k] or f"<{v}>"
            if str(v) != c[k]:
                die(f"{what}: {k} is {c[k]!r} in CSV and {j[k]!r} in JSON")

# Sun over Vienna on the June solstice: 48 half hours; sunrise, sunset and culmination (UT,
# refraction and radius included) as an independent ephemeris gives them.
sun = rows("sun.csv")
same(sun, doc("sun.json")["records"], "sun")
if len(sun) != 48:
    die(f"{len(sun)} sun records for 48 half hours")
first = sun[0]
if first["local"] != "2026-06-21T00:00:00+02:00" or first["utc"] != "2026-06-20T22:00:00Z":  # CEST
    die(f"first moment {first['utc']} / {first['local']}")
near(first["sunrise_utc"], "2026-06-21T02:51:56Z", 4, "sunrise")
near(first["sunset_utc"], "2026-06-21T19:00:42Z", 4, "sunset")
near(first["culmination_utc"], "2026-06-21T10:56:19Z", 1, "culmination")
highest = max(sun, key=lambda r: float(r["altitude_deg"]))
if highest["local"] != "2026-06-21T13:00:00+02:00" or abs(float(highest["altitude_deg"]) - 65.23) > 0.5:
    die(f"highest Sun {highest['altitude_deg']} at {highest['local']}")
if abs(float(highest["declination_deg"]) - 23.44) > 0.05 or highest["constellation"] != "Gemini":
    die(f"solstice declination {highest['declination_deg']} in {highest['constellation']}")
if any(float(r["altitude_deg"]) >= 0 for r in sun if r["local"][11:16] in ("02:00", "21:00")):
    die("the Sun is up at night")

# The text of a range: each moment's report under a line with the moment.
text = open(f"{tmp}/sun.txt", encoding="utf-8").read()
blocks = text.split("\n\n2026-")
if len(blocks) != 48 or not text.startswith("2026-06-21 00:00:00\nDate\t\t21.6.2026\n"):
    die(f"{len(blocks)} text blocks")
noon = open(f"{tmp}/noon.txt", encoding="utf-8").read()
if ("2026-06-21 12:00:00\n" + noon) not in text:
    die("the noon block of the range differs from the single report")

# Moon over the December 2026 lunation, at noon of every day.
moon = rows("moon.csv")
same(moon, doc("moon.json")["records"], "moon")
if len(moon) != 31:
    die(f"{len(moon)} moon records for 31 days")
ages = [float(r["age_d"]) for r in moon]
drops = [i for i in range(1, 31) if ages[i] < ages[i - 1]]
if drops != [8]:
    die(f"the age starts again on day(s) {[d + 1 for d in drops]}, not on the 9th")
if any(abs(ages[i] - ages[i - 1] - 1) > 1e-6 for i in range(1, 31) if i != 8):
    die("noon ages do not grow by one day a day")
# New moon 2026-12-09 00:52 UT; the report counts the age from local time.
if abs(ages[8] - 0.42) > 0.07:
    die(f"age {ages[8]} at noon after the new moon")
lit = [float(r["illuminated_percent"]) for r in moon]
if lit.index(max(lit)) != 23 or max(lit) < 99 or min(lit) > 1:
    die(f"illumination peaks on day {lit.index(max(lit)) + 1} at {max(lit)}, least {min(lit)}")
for r in moon:
    near(r["utc"], r["local"], 0, "local and UTC moment")
m = moon[23]
near(m["full_moon_utc"], "2026-12-24T01:28:09Z", 3, "full moon")
near(m["new_moon_utc"], "2026-12-09T00:51:47Z", 3, "new moon")
near(m["next_new_moon_utc"], "2027-01-07T20:24:00Z", 5, "next new moon")
if m["lunation"] != "1286":
    die(f"lunation {m['lunation']}")
m = rows("moon24.csv")[0]
if abs(float(m["distance_km"]) - 353720) > 0.015 * 353720:
    die(f"Moon distance {m['distance_km']} km")
near(m["rise_utc"], "2026-12-24T15:14:51Z", 8, "moonrise")
near(m["set_utc"], "2026-12-24T08:00:53Z", 8, "moonset")

# Ephemeris over a night: seven planets every half hour, in the table's order.
eph = rows("eph.csv")
same(eph, doc("eph.json")["records"], "ephemeris")
names = ["Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune"]
if len(eph) != 25 * 7 or [r["planet"] for r in eph[:7]] != names:
    die(f"{len(eph)} ephemeris records, first {[r['planet'] for r in eph[:7]]}")
for r in eph:
    if (r["visible"] == "true") != (float(r["altitude_deg"]) >= 0):
        die(f"visibility {r['visible']} at altitude {r['altitude_deg']}")
at = {r["planet"]: r for r in eph if r["local"] == "2026-12-07T21:30:00+01:00"}
mars, jupiter = at["Mars"], at["Jupiter"]
for key, want, tol in (("right_ascension_deg", 156.777, 0.1), ("declination_deg", 12.390, 0.1),
                       ("distance_au", 1.1176, 0.002), ("diameter_arcsec", 8.375, 0.1)):
    if abs(float(mars[key]) - want) > tol:
        die(f"Mars {key} {mars[key]}, expected {want}")
if abs(float(jupiter["right_ascension_deg"]) - 149.49) > 0.3 or abs(float(jupiter["declination_deg"]) - 13.30) > 0.3:
    die(f"Jupiter at {jupiter['right_ascension_deg']}, {jupiter['declination_deg']}")
if mars["constellation"] != "Leo" or at["Saturn"]["constellation"] != "Pisces":
    die("zodiacal constellations")

# The planet command computes what the table's column does.
planet = doc("mars.json")["records"]
if len(planet) != 1:
    die("planet: not one record")
for k, v in planet[0].items():
    if k in mars and (float(mars[k]) != v if isinstance(v, (int, float)) else mars[k] != (v or "")):
        die(f"planet {k} {v} differs from the ephemeris {mars[k]}")
if "Orbital period 686.98 d" not in planet[0]["data"]:
    die("planet data lines")
text = open(f"{tmp}/mars.txt", encoding="utf-8").read()
if not text.startswith("Mars\nMean distance") or "\nRadius vector 1.63 AU\n" not in text:
    die(f"planet text: {text[:80]!r}")

# Stars: catalog facts of Sirius and Betelgeuse.
s = doc("sirius.json")["records"][0]
want = {"name": "CMa Alpha,Sirius", "constellation": "Canis Major", "apparent_magnitude": -1.44,
        "distance_ly": 8.6, "spectral_class": "A0"}
if any(s[k] != v for k, v in want.items()) or abs(s["right_ascension_deg"] - 101.287) > 0.01 or abs(s["declination_deg"] + 16.716) > 0.01:
    die(f"Sirius {s}")
b = rows("betelgeuse.csv")[0]
if b["constellation"] != "Orion" or not b["name"].endswith("Betelgeuse"):
    die(f"Betelgeuse {b}")
text = open(f"{tmp}/sirius.txt", encoding="utf-8").read()
if text != "CMa Alpha,Sirius\nConstellation: Canis Major\nM = 1.45 mag\nm = -1.44 mag\nr = 8.6 ly\nSpectral class: A0\nalpha = 6h45'9\"\ndelta = -16\u00b042'58\"\n":
    die(f"star text {text!r}")
EOF
# Old dates: the Julian calendar before 1582-10-15, typed, shown and in ISO 8601 alike. The
# phases around the reform and the sunrise of 4 October 1582 (Julian) as an independent
# ephemeris gives them; 1500 is a Julian leap year; the Sun rises on 1 January of year 1; a
# moment whose UT falls outside the years 1..9999 still has its "utc".
"$cli" moon --date 1582-10-04 --time 12:00 >"$tmp/reform.txt" || fail "moon 1582 exited $?"
"$cli" moon --date 1582-10-04 --time 12:00 --format json >"$tmp/reform_moon.json" || fail "moon 1582 json exited $?"
"$cli" sun --date 1582-10-04 --time 12:00 --format json >"$tmp/reform_sun.json" || fail "sun 1582 json exited $?"
"$cli" moon --range 1500-02-28..1500-03-01 --step 1d --format csv >"$tmp/leap1500.csv" || fail "moon 1500 range exited $?"
"$cli" sun --date 0001-01-01 --time 00:30 --format json >"$tmp/year1.json" || fail "sun year 1 exited $?"
"$cli" moon --place "Boston, USA" --date 9999-12-31 --time 20:00 --format csv >"$tmp/year9999.csv" || fail "moon 9999 exited $?"
"$py" - "$tmp" <<'EOF2' || exit 1
import csv, json, sys
tmp = sys.argv[1]
def die(msg):
    print("FAIL:", msg, file=sys.stderr)
    sys.exit(1)
def minutes(text):
    # Minutes since an epoch, by the labels' own calendar (the two compared use the same one).
    d, t = text.rstrip("Z").split("T")
    y, m, day = (int(x) for x in d.split("-"))
    h, mi, s = (int(x) for x in t.split(":"))
    return ((y * 12 + m) * 31 + day) * 1440 + h * 60 + mi + s / 60
def near(text, when, tolerance, what):
    if text is None or abs(minutes(text) - minutes(when)) > tolerance:
        die(f"{what}: {text}, expected {when} within {tolerance} min")
text = open(f"{tmp}/reform.txt", encoding="utf-8").read()
for line in ("Date\t\t4 Oct 1582", "New moon\t16 Sep 1582", "First quarter\t25 Sep 1582",
             "Full moon\t\t1 Oct 1582", "Last quarter\t18 Oct 1582", "New moon\t26 Oct 1582"):
    if line + "\n" not in text:
        die(f"1582 Moon report lacks {line!r}")
moon = json.load(open(f"{tmp}/reform_moon.json"))["records"][0]
sun = json.load(open(f"{tmp}/reform_sun.json"))["records"][0]
if moon["utc"] != "1582-10-04T11:00:00Z" or sun["utc"] != moon["utc"] or sun["local"] != moon["local"]:
    die(f"one instant, two labels: sun {sun['utc']}, moon {moon['utc']}")
near(moon["first_quarter_utc"], "1582-09-25T01:26:20Z", 5, "first quarter")
near(moon["full_moon_utc"], "1582-10-01T20:58:48Z", 5, "full moon")
near(moon["last_quarter_utc"], "1582-10-18T14:04:37Z", 5, "last quarter")
near(sun["sunrise_utc"], "1582-10-04T05:27:32Z", 4, "sunrise")
near(sun["sunset_utc"], "1582-10-04T16:21:12Z", 4, "sunset")
leap = [r["local"][:10] for r in csv.DictReader(open(f"{tmp}/leap1500.csv", newline=""))]
if leap != ["1500-02-28", "1500-02-29", "1500-03-01"]:
    die(f"days of a Julian leap year: {leap}")
y1 = json.load(open(f"{tmp}/year1.json"))["records"][0]
if y1["utc"] != "0000-12-31T23:30:00Z" or y1["local"] != "0001-01-01T00:30:00+01:00":
    die(f"year 1: {y1['utc']} / {y1['local']}")
if not (y1["sunrise_utc"] or "").startswith("0001-01-01T07:") or not (y1["sunset_utc"] or "").startswith("0001-01-01T15:"):
    die(f"the Sun of 1 January 1: {y1['sunrise_utc']} .. {y1['sunset_utc']}")
y9999 = next(csv.DictReader(open(f"{tmp}/year9999.csv", newline="")))
if y9999["utc"] != "+10000-01-01T01:00:00Z" or y9999["local"] != "9999-12-31T20:00:00-05:00":
    die(f"end of 9999: {y9999['utc']} / {y9999['local']}")
EOF2
# Every 7th day of 2026 at several places: the moment read on the place's clock is the instant
# the system's time-zone database gives for it (Python's zoneinfo, independent of Qt).
for z in "Sydney, AUS|Australia/Sydney" "New York, USA|America/New_York" "Chemnitz, D|Europe/Berlin" \
         "Singapur, SGP|Asia/Singapore" "Reykjavík, IS|Atlantic/Reykjavik"; do
    "$cli" moon --place "${z%%|*}" --range 2026-01-01T12:00..2026-12-31T12:00 --step 7d --format csv \
        >"$tmp/clock.csv" || fail "moon ${z%%|*} exited $?"
    "$py" - "$tmp/clock.csv" "${z##*|}" <<'EOF' || fail "clock of ${z%%|*}"
import csv, datetime, sys, zoneinfo
tz = zoneinfo.ZoneInfo(sys.argv[2])
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
assert len(rows) == 53, len(rows)
for r in rows:
    local = datetime.datetime.fromisoformat(r["local"])
    want = local.replace(tzinfo=None).replace(tzinfo=tz)
    utc = datetime.datetime.fromisoformat(r["utc"].replace("Z", "+00:00"))
    if local.utcoffset() != want.utcoffset() or utc != want:
        sys.exit(f"{sys.argv[2]}: {r['utc']} / {r['local']}, the database says {want.isoformat()}")
EOF
done
# tonight: a week of Reykjavík nights in June (the Sun sets but stays above -6°: the twilight
# instants null, sunset and sunrise given, the
# local and UTC fields one instant on the place's clock) and Sydney's winter night against
# python3-ephem (the Sun's centre at -0°50' and -18°, no refraction); --plot writes the file
# its suffix names and refuses a range.
"$cli" tonight --place "Reykjavík, IS" --range 2026-06-18..2026-06-24 --format json >"$tmp/rey.json" \
    || fail "tonight json exited $?"
"$cli" tonight --place "Sydney, AUS" --date 2026-06-20 --object Canopus --format csv --plot "$tmp/night.svg" \
    >"$tmp/syd.csv" || fail "tonight csv exited $?"
"$cli" tonight --date 2026-12-20 --plot "$tmp/night.pdf" >/dev/null || fail "tonight pdf exited $?"
head -c 4 "$tmp/night.pdf" | grep -q '%PDF' || fail "tonight --plot .pdf is no PDF"
grep -q '<svg' "$tmp/night.svg" || fail "tonight --plot .svg is no SVG"
"$cli" tonight --range 2026-06-18..2026-06-19 --plot "$tmp/x.png" 2>/dev/null && fail "tonight --plot with --range"
[ -e "$tmp/x.png" ] && fail "tonight wrote a plot it refused"
"$py" - "$tmp" <<'EOF' || exit 1
import csv, datetime, json, sys
tmp = sys.argv[1]
names = ["sunset", "civil_dusk", "nautical_dusk", "astronomical_dusk",
         "astronomical_dawn", "nautical_dawn", "civil_dawn", "sunrise"]
recs = json.load(open(f"{tmp}/rey.json"))["records"]
assert len(recs) == 7, len(recs)
for r in recs:
    assert [b["body"] for b in r["bodies"]][:2] == ["Moon", "Mercury"] and len(r["bodies"]) == 8, r
    assert r["night"] == "no_astronomical_night", r["night"]
    for n in names[1:7]:  # the Sun stays above -6° (-2° at its lowest)
        assert r[n + "_utc"] is None and r[n + "_local"] is None, (r["date"], n)
    for n in ["sunset", "sunrise"]:
        u = datetime.datetime.fromisoformat(r[n + "_utc"].replace("Z", "+00:00"))
        assert datetime.datetime.fromisoformat(r[n + "_local"]) == u, (r["date"], n)
rows = list(csv.DictReader(open(f"{tmp}/syd.csv", encoding="utf-8")))
assert rows[-1]["body"] == "Car Alpha,Canopus", rows[-1]["body"]
want = {"sunset": "2026-06-20T06:53:34", "astronomical_dusk": "2026-06-20T08:23:05", "astronomical_dawn": "2026-06-20T19:30:40", "sunrise": "2026-06-20T21:00:11"}
for n, t in want.items():
    got = datetime.datetime.fromisoformat(rows[0][n + "_utc"].replace("Z", ""))
    assert abs((got - datetime.datetime.fromisoformat(t)).total_seconds()) < 60, (n, got, t)
# Canopus culminates at noon and sinks all night: best seen as the night begins.
assert rows[-1]["best_utc"] == rows[-1]["astronomical_dusk_utc"], rows[-1]
EOF
echo "report formats: ok"
