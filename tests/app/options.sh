#!/bin/bash
# noctaris's own options: --help prints them and ends, a bad --lang ends with status 2 and one
# line on stderr before any window opens (so neither needs a display).
prog="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=none-such  # a window would fail to start: nothing here may open one

out=$("$prog" --help) || fail "--help exited $?"
grep -q -- "--lang de|en" <<<"$out" || fail "--help does not offer --lang: $out"
[ "$("$prog" -h)" = "$out" ] || fail "-h differs from --help"

expect_error() {
    local err rc
    err=$("$prog" "$@" 2>&1 >/dev/null)
    rc=$?
    [ $rc -eq 2 ] || fail "'$*' exited $rc, not 2"
    [ "$(wc -l <<<"$err")" -eq 1 ] || fail "'$*' printed more than one line: $err"
    grep -q "^noctaris: .*lang" <<<"$err" || fail "'$*' says: $err"
}
expect_error --lang fr
expect_error --lang=EN
expect_error --lang
expect_error -style fusion --lang deutsch
echo "options: ok"
