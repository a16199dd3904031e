#!/bin/bash
# noctaris-cli chart: PNG output, and a one-line error with status 2 for bad arguments.
cli="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# PNG width and height from the IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'; }

base=(chart --place "Chemnitz, D" --date 2026-12-07 --time 21:30:00)

"$cli" "${base[@]}" --out "$tmp/default.png" || fail "default chart exited $?"
[ "$(head -c 8 "$tmp/default.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "not a PNG"
[ "$(png_size "$tmp/default.png")" = 1029x664 ] || fail "default size is $(png_size "$tmp/default.png")"

"$cli" "${base[@]}" --azimuth -90.5 --size 640x480 --summer-time --star-names 3 \
    --constellation-names 2 --out="$tmp/all.png" \
    --show ecliptic,equator,grid,meridian,altitude,moon,horizon,lines,borders,white,info,zodiac,jupiter,venus \
    || fail "all switches exited $?"
[ "$(png_size "$tmp/all.png")" = 640x480 ] || fail "sized chart is $(png_size "$tmp/all.png")"
cmp -s "$tmp/default.png" "$tmp/all.png" && fail "switches changed nothing"

# Place names are matched without regard to case.
"$cli" chart --place "chemnitz, d" --date 2026-12-07 --time 21:30 --out "$tmp/lower.png" || fail "lower-case place"
cmp -s "$tmp/default.png" "$tmp/lower.png" || fail "same place and moment gave another picture"

# Bad arguments: status 2, exactly one line on stderr, no file.
expect_usage_error() {
    local pattern="$1"; shift
    rm -f "$tmp/bad.png"
    "$cli" "$@" 2>"$tmp/err" >/dev/null
    local rc=$?
    [ $rc -eq 2 ] || fail "status $rc for: $*"
    [ "$(wc -l <"$tmp/err")" -eq 1 ] || fail "not one line of error for: $* ($(cat "$tmp/err"))"
    grep -q -- "$pattern" "$tmp/err" || fail "message '$(cat "$tmp/err")' lacks '$pattern'"
    [ ! -e "$tmp/bad.png" ] || fail "a file was written for: $*"
}
out=(--out "$tmp/bad.png")
expect_usage_error "unknown place 'Atlantis'" chart --place Atlantis --date 2026-12-07 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" "${base[@]/2026-12-07/2026-02-30}" "${out[@]}"
expect_usage_error "invalid date" chart --date 2026-13-01 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" chart --date 1582-10-10 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid date" chart --date 07.12.2026 --time 21:30:00 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 24:00:00 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 21:30:60 "${out[@]}"
expect_usage_error "invalid time" chart --date 2026-12-07 --time 9pm "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 1029 "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 0x664 "${out[@]}"
expect_usage_error "invalid size" "${base[@]}" --size 100000x100000 "${out[@]}"
expect_usage_error "invalid azimuth" "${base[@]}" --azimuth 181 "${out[@]}"
expect_usage_error "invalid azimuth" "${base[@]}" --azimuth nan "${out[@]}"
expect_usage_error "expected 0..3" "${base[@]}" --star-names 4 "${out[@]}"
expect_usage_error "expected 0..3" "${base[@]}" --constellation-names -1 "${out[@]}"
expect_usage_error "unknown --show item 'planets'" "${base[@]}" --show grid,planets "${out[@]}"
expect_usage_error "unknown option '--colour'" "${base[@]}" --colour red "${out[@]}"
expect_usage_error "needs a value" "${base[@]}" --out
expect_usage_error "missing --out" "${base[@]}"
expect_usage_error "missing --date" chart --time 21:30:00 "${out[@]}"
expect_usage_error "unknown command" frobnicate

# A file that cannot be written is a failure, not success.
"$cli" "${base[@]}" --out "$tmp/no/such/dir/x.png" 2>"$tmp/err"
[ $? -eq 2 ] || fail "unwritable output did not fail with status 2"
grep -q "cannot write" "$tmp/err" || fail "no message for an unwritable output"

"$cli" chart --help | grep -q -- "--constellation-names" || fail "chart --help does not describe chart"
"$cli" --version | grep -q "^noctaris-cli " || fail "--version"
echo "chart cli: ok"
