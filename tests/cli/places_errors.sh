#!/bin/bash
# noctaris-cli places, every command's --help, and bad input for every command: one line on
# stderr, exit status 2 and no output file.
cli="$1"
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C
py=/usr/bin/python3; [ -x "$py" ] || py=python3

# Places: all of them, or those containing a text, as text, CSV and JSON.
"$cli" places >"$tmp/all.txt" || fail "places exited $?"
[ "$(wc -l <"$tmp/all.txt")" -eq 3400 ] || fail "$(wc -l <"$tmp/all.txt") places, not 3400"
"$cli" places WIEN --format csv >"$tmp/wien.csv" || fail "places csv exited $?"
"$cli" places wien --format json >"$tmp/wien.json" || fail "places json exited $?"
grep -q "^Chemnitz, D	50.8367	12.8544	UTC+01:00$" "$tmp/all.txt" || fail "Chemnitz line: $(grep Chemnitz "$tmp/all.txt")"
"$py" - "$tmp" <<'EOF' || exit 1
import csv, json, sys
tmp = sys.argv[1]
rows = list(csv.DictReader(open(f"{tmp}/wien.csv", newline="", encoding="utf-8")))
doc = json.load(open(f"{tmp}/wien.json", encoding="utf-8"))["records"]
names = [r["name"] for r in rows]
# Wien by its German name, listed by its English one (the exports' names are English).
if "Vienna, A" not in names or any("wien" not in n.lower() for n in names if n != "Vienna, A") or [d["name"] for d in doc] != names:
    sys.exit(f"FAIL: places containing 'wien': {names}")
w = next(d for d in doc if d["name"] == "Vienna, A")
# Vienna: 48.21 N, 16.37 E, one hour east of UT.
if abs(w["latitude_deg"] - 48.208) > 0.01 or abs(w["longitude_deg"] - 16.372) > 0.01 or w["zone_h"] != 1 or w["utc_offset"] != "+01:00":
    sys.exit(f"FAIL: Wien {w}")
EOF
# A place's exact spelling is what every --place takes, in any case.
while IFS=$'\t' read -r name _; do
    "$cli" moon --place "$name" --date 2026-06-21 --time 12:00 >/dev/null || fail "listed place '$name' refused"
done < <("$cli" places "ü" | head -3; "$cli" places WIENER)

# Every command answers --help with its own options.
for c in "chart --out" "calendar --year" "ephemeris --range" "moon --step" "sun --format" \
         "planet --place" "star --format" "moon-calendar --month" "orbits --zoom" \
         "terminator --no-summer-time" "places --format"; do
    set -- $c
    "$cli" "$1" --help >"$tmp/help" || fail "$1 --help exited $?"
    grep -q -- "$2 " "$tmp/help" || fail "$1 --help does not list $2"
    grep -q "^Usage: noctaris-cli $1 " "$tmp/help" || fail "$1 --help: $(head -1 "$tmp/help")"
done

expect_error() {
    local pattern="$1"; shift
    rm -f "$tmp/out"
    "$cli" "$@" 2>"$tmp/err" >"$tmp/stdout"
    local rc=$?
    [ $rc -eq 2 ] || fail "status $rc for: $*"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "not one line of error for: $* ($(cat "$tmp/err"))"
    grep -qF -- "$pattern" "$tmp/err" || fail "message '$(cat "$tmp/err")' lacks '$pattern'"
    ! grep -q '[[:cntrl:]]' "$tmp/err" || fail "control characters in the message for: $*"
    [ ! -e "$tmp/out" ] || fail "a file was written for: $*"
    [ ! -s "$tmp/stdout" ] || fail "output on stdout for: $*"
}
out=(--out "$tmp/out")
at=(--date 2026-12-07 --time 21:30)

# Unknown places name the three closest spellings.
expect_error "unknown place 'Wein, A' (closest: 'Vienna, A', " sun --place "Wein, A" "${at[@]}" "${out[@]}"
expect_error "unknown place 'chemnitz' (closest: 'Chemnitz, D'" calendar --place chemnitz --year 2026 "${out[@]}"
grep -o "'[^']*'" "$tmp/err" | sed -n '2,4p' | wc -l | grep -q '^3$' || fail "not three spellings: $(cat "$tmp/err")"
expect_error "unknown place" ephemeris --place Atlantis "${at[@]}" "${out[@]}"
expect_error "unknown place" moon --place Atlantis "${at[@]}" "${out[@]}"
expect_error "unknown place" planet venus --place Atlantis "${at[@]}" "${out[@]}"
expect_error "unknown place" chart --place Atlantis "${at[@]}" "${out[@]}"
# A place of one's own: coordinates in either form, the zone given or the nearest listed
# place's. Published sunrises: Sydney 15 Jan 2026 05:59 AEDT, New York 20 Mar 2026 06:59 EDT.
"$cli" sun --lat "33 52 S" --lon "151°12′E" --date 2026-01-15 --time 12:00 >"$tmp/own.txt" || fail "own place exited $?"
grep -q "^Sunrise.*05:59:.. AEDT$" "$tmp/own.txt" || fail "Sydney by coordinates: $(grep Sunrise "$tmp/own.txt")"
"$cli" sun --place "My roof" --lat 40.7128 --lon -74.006 --zone America/New_York --date 2026-03-20 --time 12:00 \
    --format csv >"$tmp/own.csv" || fail "own place with zone exited $?"
grep -q ",2026-03-20T06:59:..-04:00," "$tmp/own.csv" || fail "New York by coordinates: $(cat "$tmp/own.csv")"
"$cli" sun --lat 40.7128 --lon -74.006 --zone America/New_York --date 2026-03-20 --time 12:00 | grep -q "^Sunrise.*06:59:.. EDT$" \
    || fail "New York sunrise by coordinates"
expect_error "bad --lat '95': beyond 90" sun --lat 95 --lon 10 "${at[@]}" "${out[@]}"
expect_error "bad --lon '12 N': a longitude takes E or W" moon --lat 50 --lon "12 N" "${at[@]}" "${out[@]}"
expect_error "bad --lat 'Moscow'" calendar --lat Moscow --lon 37 --year 2026 "${out[@]}"
expect_error "minutes and seconds must be below 60" chart --lat "50 61" --lon 10 "${at[@]}" "${out[@]}"
expect_error "--lat and --lon go together" ephemeris --lat 50 "${at[@]}" "${out[@]}"
expect_error "unknown time zone 'Mars/Olympus'" planet venus --place "Wien, A" --zone Mars/Olympus "${at[@]}" "${out[@]}"
expect_error "unknown star 'Sirus' (closest: 'CMa Alpha,Sirius'" star Sirus "${out[@]}"
expect_error "unknown planet 'pluto'" planet pluto "${at[@]}" "${out[@]}"
expect_error "no place contains" places Atlantis "${out[@]}"
expect_error "unknown object 'Vulcan'" orbits --date 2026-12-07 --objects earth,Vulcan "${out[@]}"

# The user's text comes back with its control characters shown, never sent to the terminal.
expect_error "unknown place '\x1b]2;X\x07'" sun --place $'\e]2;X\a' "${at[@]}" "${out[@]}"
expect_error "unknown command 'x\x1b[2J'" $'x\e[2J'
expect_error "cannot write '$tmp/no/\x0a\u202e'" star vega --out "$tmp/no/"$'\n\xe2\x80\xae'
expect_error "invalid time '1\x9b2'" moon --date 2026-12-07 --time $'1\xc2\x9b2' "${out[@]}"
"$cli" sun --lat 50 --lon 10 --place $'Own\eroof' --date 2026-03-29 --time 02:30 2>&1 >/dev/null | grep -qF 'at Own\x1broof does not occur' \
    || fail "a note repeats the place's name unescaped"

# Bad dates: one parser for every command; no year 0, no negative years, no days of the
# calendar reform, no 31st of April, no 29 February of a Gregorian common year.
for cmd in "sun" "moon" "ephemeris" "planet mars" "chart"; do
    expect_error "invalid date" $cmd --date 2026-04-31 --time 12:00 "${out[@]}"
    expect_error "years run from 1 to 9999" $cmd --date 0000-01-01 --time 12:00 "${out[@]}"
    expect_error "years run from 1 to 9999" $cmd --date -0044-03-15 --time 12:00 "${out[@]}"
    expect_error "1582-10-15" $cmd --date 1582-10-10 --time 12:00 "${out[@]}"
    expect_error "no such day" $cmd --date 1700-02-29 --time 12:00 "${out[@]}"
    expect_error "invalid time" $cmd --date 2026-12-07 --time 24:00 "${out[@]}"
    expect_error "unknown option '--colour'" $cmd --colour red "${at[@]}" "${out[@]}"
done
expect_error "invalid date" orbits --date 2026-02-29 "${out[@]}"
expect_error "invalid date" terminator --date 2026-13-01 --time 12:00 "${out[@]}"
expect_error "invalid month" moon-calendar --month 2026-13 "${out[@]}"
expect_error "invalid year" moon-calendar --month 0-05 "${out[@]}"
expect_error "invalid month" moon-calendar --month -12-05 "${out[@]}"
expect_error "invalid day" moon-calendar --month 2027-02 --day 29 "${out[@]}"
expect_error "invalid day '10' (the calendar went" moon-calendar --month 1582-10 --day 10 "${out[@]}"
expect_error "invalid year" calendar --year 9999 "${out[@]}"
expect_error "the range ends before it begins" calendar --range 2027..2026 "${out[@]}"
expect_error "the range ends before it begins" sun --range 2026-12-08..2026-12-07 "${out[@]}"
expect_error "invalid step" moon --range 2026-12-01..2026-12-31 --step 0d "${out[@]}"
expect_error "invalid step" moon --range 2026-12-01..2026-12-31 --step 1week "${out[@]}"
expect_error "invalid step '1d\x0a'" moon --range 2026-12-01..2026-12-31 --step $'1d\n' "${out[@]}"
# An option of one value given twice is refused, not half obeyed.
expect_error "option --out is given more than once" sun "${at[@]}" --out "$tmp/first" "${out[@]}"
[ ! -e "$tmp/first" ] || fail "the first of two --out was written"
expect_error "option --date is given more than once" orbits --date 2026-12-07 --date 2026-12-08 "${out[@]}"
expect_error "option --lang is given more than once" places --lang de --lang en
expect_error "more than 100000 steps" sun --range 2000-01-01..2026-01-01 --step 1min "${out[@]}"
expect_error "replaces --date" sun --range 2026-12-01..2026-12-02 --date 2026-12-01 "${out[@]}"
expect_error "--step needs --range" sun "${at[@]}" --step 1h "${out[@]}"
expect_error "missing --date" moon --time 12:00 "${out[@]}"
expect_error "unknown format 'ics'" sun "${at[@]}" --format ics "${out[@]}"
expect_error "unexpected argument 'extra'" sun "${at[@]}" extra "${out[@]}"
expect_error "missing argument" star "${out[@]}"
expect_error "needs a value" sun "${at[@]}" --out
expect_error "missing --out" terminator --date 2026-12-07 --time 12:00
expect_error "unknown command" frobnicate

# Outputs that cannot be written: a missing folder, a read-only folder, a folder as the file.
mkdir "$tmp/ro" && chmod a-w "$tmp/ro"
targets=("$tmp/no/such/out" "$tmp")
[ "$(id -u)" -ne 0 ] && targets+=("$tmp/ro/out")  # root writes into read-only folders anyway
for target in "${targets[@]}"; do
    for cmd in "calendar --year 2026 --format ics" "sun ${at[*]}" "star vega" "places wien" \
               "moon-calendar --month 2026-12" "orbits --date 2026-12-07" "terminator ${at[*]}" "chart ${at[*]}"; do
        expect_error "cannot write" $cmd --out "$target"
    done
done
[ -z "$(ls -A "$tmp/ro")" ] || fail "something was left in the read-only folder"

# Standard output on a full device: one line on stderr and a failing status, for a short
# report, one longer than the stream's buffer, and help and version texts.
if [ -w /dev/full ]; then
    for cmd in "sun ${at[*]}" "places" "calendar --year 2026 --format json" "sun --help" "--version" "--help"; do
        "$cli" $cmd >/dev/full 2>"$tmp/err"
        rc=$?
        [ $rc -ne 0 ] || fail "status 0 for '$cmd' on a full device"
        [ "$(wc -l <"$tmp/err")" -eq 1 ] && grep -q "cannot write to standard output: No space left" "$tmp/err" \
            || fail "'$cmd' on a full device: $(cat "$tmp/err")"
    done
fi

# An existing file is replaced whole, and only once the new content is complete.
echo old >"$tmp/keep.csv"
"$cli" sun "${at[@]}" --format csv --out "$tmp/keep.csv" || fail "overwrite exited $?"
head -1 "$tmp/keep.csv" | grep -q "^utc,local," || fail "the old file was not replaced"
[ "$(ls "$tmp" | grep -c keep)" -eq 1 ] || fail "a temporary file was left: $(ls "$tmp")"
echo "places and errors: ok"
