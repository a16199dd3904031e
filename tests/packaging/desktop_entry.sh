#!/usr/bin/env bash
# The installed desktop entry is valid, carries the application id as its name and its icon,
# starts an installed program, and the icon exists in the theme in every size it claims.
source "$(dirname "$0")/common.bash"
skip_without desktop-file-validate
install_tree

entry=$prefix/share/applications/$app_id.desktop
[ -f "$entry" ] || fail "no desktop entry $app_id.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"

key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Icon)" = "$app_id" ] || fail "Icon=$(key Icon), expected the application id $app_id"
exec_prog=$(key Exec | cut -d' ' -f1)
[ -x "$prefix/bin/$exec_prog" ] || fail "Exec=$exec_prog is not an installed program"
[ "$(key Terminal)" = false ] || fail "the planetarium must not start in a terminal"

# Each PNG is as large as the folder it is in says (width and height from the PNG header).
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w x $h" = "$size x $size" ] || fail "the ${size}x${size} icon is $w x $h"
done
svg=$prefix/share/icons/hicolor/scalable/apps/$app_id.svg
grep -q '<svg[^>]*viewBox="0 0 256 256"' "$svg" || fail "the scalable icon is no square SVG"
echo "desktop entry OK"
