#!/usr/bin/env bash
# The AppStream metadata validate (offline) together with the installed tree they describe; the
# release entry carries the program's version, and every screenshot names a picture that is in
# the repository.
source "$(dirname "$0")/common.bash"
skip_without appstreamcli
install_tree

meta=$prefix/share/metainfo/$app_id.metainfo.xml
[ -f "$meta" ] || fail "no metainfo file $app_id.metainfo.xml"
appstreamcli validate --no-net "$meta" || fail "appstreamcli rejects $meta"
# The tree check also finds the desktop entry named by <launchable> and the icon.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"

grep -q "<id>$app_id</id>" "$meta" || fail "the component id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$meta" ||
  fail "the launchable is not $app_id.desktop"

version=$(cd "$work" && "$prefix/bin/noctaris-cli" --version | cut -d' ' -f2)
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"" "$meta" ||
  fail "no release entry for version $version"

shots=$(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$meta")
[ -n "$shots" ] || fail "no screenshot"
for url in $shots; do
  file=${url#"$homepage"/raw/main/}
  [ "$file" != "$url" ] || fail "screenshot $url is not a file of the repository"
  [ -f "$source_dir/$file" ] || fail "screenshot $file is not in the repository"
  [ "$(head -c 8 "$source_dir/$file" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "screenshot $file is not a PNG file"
done
echo "AppStream metadata OK"
