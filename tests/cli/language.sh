#!/bin/bash
# noctaris-cli --lang: every command takes de or en (anything else is a usage error), the default
# follows the system locale, English is the output as it always was, and the machine formats
# (CSV, JSON, iCalendar) are English, byte for byte the same, in both languages.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export LC_ALL=C LANG=C
at=(--place "Wien, A" --date 2026-12-24 --time 20:00)

expect_usage_error() {
    local err rc
    err=$("$cli" "$@" 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] || fail "'$*' exited $rc, not 2"
    [ "$(wc -l <<<"$err")" -eq 1 ] || fail "'$*' printed more than one line: $err"
    grep -q "lang\|language" <<<"$err" || fail "'$*' does not name the option: $err"
}
for c in chart calendar ephemeris moon sun planet star moon-calendar orbits terminator places; do
    expect_usage_error "$c" --lang fr
    "$cli" "$c" --help | grep -q -- "--lang <de|en>" || fail "$c --help does not offer --lang"
done
expect_usage_error moon "${at[@]}" --lang DE
expect_usage_error moon "${at[@]}" --lang=
expect_usage_error moon "${at[@]}" --lang
"$cli" --help | grep -q -- "--lang de|en" || fail "noctaris-cli --help does not mention --lang"

# --lang en is the output as it was; without the option a German locale chooses German.
for cmd in "moon ${at[*]@Q}" "sun ${at[*]@Q}" "ephemeris ${at[*]@Q}" "planet Mars ${at[*]@Q}" \
           "calendar --year 2026 --place 'Wien, A'" "star Sirius"; do
    eval "\"\$cli\" $cmd" >"$tmp/plain" || fail "$cmd exited $?"
    eval "\"\$cli\" $cmd --lang en" >"$tmp/en" || fail "$cmd --lang en exited $?"
    cmp -s "$tmp/plain" "$tmp/en" || fail "$cmd: --lang en changes the output"
    eval "LC_ALL=de_DE.UTF-8 \"\$cli\" $cmd" >"$tmp/de-default" || fail "$cmd under de_DE exited $?"
    eval "LC_ALL=de_DE.UTF-8 \"\$cli\" $cmd --lang de" >"$tmp/de" || fail "$cmd --lang de exited $?"
    cmp -s "$tmp/de-default" "$tmp/de" || fail "$cmd: a German locale does not choose German"
done

# Machine formats: the same bytes in German and English, under a German locale too.
for cmd in "moon ${at[*]@Q} --format csv" "sun ${at[*]@Q} --format json" \
           "ephemeris ${at[*]@Q} --format csv" "ephemeris ${at[*]@Q} --format json" \
           "planet Jupiter ${at[*]@Q} --format json" "calendar --year 2026 --format csv" \
           "calendar --year 2026 --format json" "places wien --format csv" "star Sirius --format json"; do
    eval "LC_ALL=de_DE.UTF-8 \"\$cli\" $cmd --lang de" >"$tmp/de" || fail "$cmd --lang de exited $?"
    eval "LC_ALL=de_DE.UTF-8 \"\$cli\" $cmd --lang en" >"$tmp/en" || fail "$cmd --lang en exited $?"
    [ -s "$tmp/en" ] || fail "$cmd wrote nothing"
    cmp -s "$tmp/de" "$tmp/en" || fail "$cmd: German differs from English"
done
LC_ALL=de_DE.UTF-8 "$cli" calendar --year 2026 --format ics --lang de | grep -v ^DTSTAMP >"$tmp/de" || fail "ics de"
LC_ALL=de_DE.UTF-8 "$cli" calendar --year 2026 --format ics --lang en | grep -v ^DTSTAMP >"$tmp/en" || fail "ics en"
cmp -s "$tmp/de" "$tmp/en" || fail "the iCalendar differs between German and English"

# German text reports: the planets' names, the Moon's and the Sun's labels, the calendar's events.
"$cli" ephemeris "${at[@]}" --lang de | head -1 | grep -q "Merkur.*Neptun" || fail "ephemeris header not German"
"$cli" moon "${at[@]}" --lang de | grep -q "^Mondalter" || fail "the Moon report is not German"
"$cli" sun "${at[@]}" --lang de | grep -q "^Zeitgleichung" || fail "the Sun report is not German"
"$cli" calendar --year 2026 --lang de | grep -q "Vollmond" || fail "the calendar is not German"
"$cli" moon "${at[@]}" --lang en | grep -q "^Moon age" || fail "the English Moon report changed"

echo "language: ok"
