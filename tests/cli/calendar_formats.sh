#!/bin/bash
# noctaris-cli calendar: the year as text, CSV, JSON and iCalendar, each read back with a real
# parser and checked against the text lines and against published instants of 2026.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C
py=/usr/bin/python3; [ -x "$py" ] || py=python3  # Debian's, with python3-icalendar

place=(--place "Wien, A")
"$cli" calendar --year 2026 "${place[@]}" >"$tmp/year.txt" || fail "text exited $?"
"$cli" calendar --year 2026 "${place[@]}" --format ics --out "$tmp/year.ics" || fail "ics exited $?"
"$cli" calendar --year 2026 "${place[@]}" --format ics >"$tmp/again.ics" || fail "second ics exited $?"
"$cli" calendar --year 2026 "${place[@]}" --format csv >"$tmp/year.csv" || fail "csv exited $?"
"$cli" calendar --year 2026 "${place[@]}" --format json >"$tmp/year.json" || fail "json exited $?"
"$cli" calendar --range 2025..2027 "${place[@]}" --format csv >"$tmp/range.csv" || fail "range exited $?"
for y in 2025 2026 2027; do
    "$cli" calendar --year $y "${place[@]}" --format csv >"$tmp/$y.csv" || fail "$y exited $?"
done

"$py" - "$tmp" <<'EOF' || fail "formats do not agree"
import csv, datetime, json, sys, zoneinfo
import icalendar

tmp = sys.argv[1]
def die(msg):
    print("FAIL:", msg, file=sys.stderr)
    sys.exit(1)

# The window's lines: five header lines, then "We 1.1.26<TAB>hh:mm:ss<TAB>text".
text = open(f"{tmp}/year.txt", encoding="utf-8").read().split("\n")
assert text[-1] == ""
lines = [l.split("\t") for l in text[5:-1]]
if len(lines) < 80 or any(len(f) != 3 for f in lines):
    die(f"{len(lines)} calendar lines, or a line without three fields")

# iCalendar: CR LF line ends, no line longer than 75 octets, one event per calendar line.
raw = open(f"{tmp}/year.ics", "rb").read()
if b"\n" in raw.replace(b"\r\n", b""):
    die("a line of the ICS does not end in CR LF")
if max(len(l) for l in raw.split(b"\r\n")) > 75:
    die("an ICS line is longer than 75 octets")
cal = icalendar.Calendar.from_ical(raw)
if not str(cal.get("prodid", "")) or str(cal.get("version")) != "2.0":
    die("PRODID or VERSION missing")
events = list(cal.walk("VEVENT"))
if len(events) != len(lines):
    die(f"{len(events)} events for {len(lines)} calendar lines")
uids = [str(e["uid"]) for e in events]
if len(set(uids)) != len(uids):
    die("UIDs are not unique")
again = [str(e["uid"]) for e in icalendar.Calendar.from_ical(open(f"{tmp}/again.ics", "rb").read()).walk("VEVENT")]
if again != uids:
    die("a second export gives other UIDs")

vienna = zoneinfo.ZoneInfo("Europe/Vienna")  # the legal clock, summer time included
for line, ev in zip(lines, events):
    day, clock, summary = line
    if str(ev["summary"]) != summary:
        die(f"summary {ev['summary']!r} for line {line!r}")
    if "dtstamp" not in ev:
        die("an event without DTSTAMP")
    start = ev["dtstart"].dt
    d, m, y = day.split(" ")[1].split(".")
    if not clock:  # a summer-time change: a whole day
        if isinstance(start, datetime.datetime) or (start.day, start.month, start.year % 100) != (int(d), int(m), int(y)):
            die(f"{start!r} for the dateless line {line!r}")
        continue
    if start.tzinfo is None or start.utcoffset() != datetime.timedelta(0):
        die(f"DTSTART {start!r} is not in UTC")
    local = start.astimezone(vienna)
    if (local.day, local.month, local.year % 100, local.strftime("%H:%M:%S")) != (int(d), int(m), int(y), clock):
        die(f"DTSTART {start} does not match the line {line!r}")

# CSV (RFC 4180: header row, CR LF) and JSON hold the same records.
rawcsv = open(f"{tmp}/year.csv", "rb").read()
if not rawcsv.endswith(b"\r\n") or b"\n" in rawcsv.replace(b"\r\n", b""):
    die("CSV rows do not end in CR LF")
rows = list(csv.DictReader(open(f"{tmp}/year.csv", newline="", encoding="utf-8")))
doc = json.load(open(f"{tmp}/year.json", encoding="utf-8"))
if doc["place"] != "Vienna, A" or abs(doc["latitude_deg"] - 48.20849) > 1e-6 or doc["zone_h"] != 1:
    die(f"JSON head {doc}")
if len(rows) != len(lines) or len(doc["records"]) != len(rows):
    die(f"{len(rows)} CSV rows, {len(doc['records'])} JSON records for {len(lines)} lines")
for r, j, ev in zip(rows, doc["records"], events):
    if r["event"] != j["event"] or r["local"] != j["local"] or (r["utc"] or None) != j["utc"]:
        die(f"CSV {r} and JSON {j} differ")
    if r["utc"]:
        utc = datetime.datetime.fromisoformat(r["utc"].replace("Z", "+00:00"))
        if utc != ev["dtstart"].dt or datetime.datetime.fromisoformat(r["local"]) != utc:
            die(f"CSV instants {r} disagree with the ICS {ev['dtstart'].dt}")
        if datetime.datetime.fromisoformat(r["local"]).utcoffset() != utc.astimezone(vienna).utcoffset():
            die(f"local time {r['local']} without Vienna's offset")

# Published instants (UT): equinoxes and solstices, a total lunar and a total solar eclipse.
def near(text, when, minutes):
    t = datetime.datetime.fromisoformat(when + "+00:00")
    hits = [r for r in rows if text in r["event"] and r["utc"] and
            abs(datetime.datetime.fromisoformat(r["utc"].replace("Z", "+00:00")) - t) <= datetime.timedelta(minutes=minutes)]
    if not hits:
        die(f"no '{text}' within {minutes} min of {when}")
near("Spring equinox", "2026-03-20T14:46", 3)
near("Summer solstice", "2026-06-21T08:24", 3)
near("Autumn equinox", "2026-09-23T00:05", 3)
near("Winter solstice", "2026-12-21T20:50", 3)
near("Total lunar eclipse", "2026-03-03T11:33", 5)
near("Total solar eclipse", "2026-08-12T17:46", 5)
near("Full moon", "2026-12-24T01:28", 3)
near("New moon", "2026-12-09T00:52", 3)
dates = [r["local"] for r in rows if "summer time" in r["event"]]
if dates != ["2026-03-29", "2026-10-25"]:
    die(f"summer-time changes on {dates}")

# A range of years is the years one after another.
ranged = list(csv.DictReader(open(f"{tmp}/range.csv", newline="", encoding="utf-8")))
single = sum((list(csv.DictReader(open(f"{tmp}/{y}.csv", newline="", encoding="utf-8"))) for y in (2025, 2026, 2027)), [])
if ranged != single:
    die("--range 2025..2027 differs from the three years")
EOF

# The event texts of the machine formats carry their numbers with a decimal point in any
# locale; the text and the ICS follow the user's locale as the window does (the text's words are
# English here by choice, the ICS's in every language).
LC_ALL=de_DE.UTF-8 "$cli" calendar --year 2026 --lang en | grep -q "Total lunar eclipse, magnitude 1,15$" \
    || fail "the text does not follow the locale"
LC_ALL=de_DE.UTF-8 "$cli" calendar --year 2026 --format csv | grep -q '"Total lunar eclipse, magnitude 1.15"' \
    || fail "CSV numbers depend on the locale"
# The same events keep their UIDs under another locale, so a calendar program does not add them twice.
LC_ALL=de_DE.UTF-8 "$cli" calendar --year 2026 "${place[@]}" --format ics >"$tmp/de.ics" || fail "German ics exited $?"
grep -qF 'SUMMARY:Total lunar eclipse\, magnitude 1\,15' "$tmp/de.ics" || fail "the ICS does not follow the locale"
cmp -s <(grep ^UID "$tmp/year.ics") <(grep ^UID "$tmp/de.ics") || fail "UIDs depend on the locale"
# The seasons are named for the place's hemisphere: in Sydney the June solstice begins the winter.
"$cli" calendar --year 2026 --place "Sydney, AUS" --format csv | grep -q '^2026-06-21T[^,]*,[^,]*,Winter solstice' \
    || fail "Sydney's June solstice is not its winter solstice"
echo "calendar formats: ok"
