#!/usr/bin/env bash
# Both installed manual pages render without a single roff warning, and the page of noctaris-cli
# lists every command its --help lists.
source "$(dirname "$0")/common.bash"
skip_without man
install_tree

export LC_ALL=C.UTF-8 MANWIDTH=80
for page in noctaris noctaris-cli; do
  file=$prefix/share/man/man1/$page.1.gz
  [ -f "$file" ] || fail "no manual page $page.1.gz"
  man --warnings -l -Tutf8 "$file" >"$work/$page.txt" 2>"$work/$page.err" || fail "man cannot render $page.1"
  if [ -s "$work/$page.err" ]; then
    cat "$work/$page.err" >&2
    fail "roff warnings in $page.1"
  fi
  # Strip the overstriking of bold and underlined text.
  sed -i 's/.\x08//g' "$work/$page.txt"
  grep -q "^NAME" "$work/$page.txt" || fail "$page.1 has no NAME section"
  grep -qE "^ +$page - " "$work/$page.txt" || fail "$page.1 does not name $page"
  grep -q "^SEE ALSO" "$work/$page.txt" || fail "$page.1 has no SEE ALSO section"
done

commands=$(cd "$work" && "$prefix/bin/noctaris-cli" --help | sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p')
[ -n "$commands" ] || fail "noctaris-cli --help lists no commands"
for c in $commands; do
  grep -qE "^       $c( |$)" "$work/noctaris-cli.txt" || fail "noctaris-cli.1 does not describe the command '$c'"
done
echo "manual pages OK"
