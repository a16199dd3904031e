#!/usr/bin/env bash
# `cmake --install` lays out exactly the programs, the desktop integration, the manual pages and
# the copyright notice; the installed programs run from any folder and nothing in them points
# back into the build or source folder.
source "$(dirname "$0")/common.bash"
install_tree

expected="bin/noctaris
bin/noctaris-cli
share/applications/$app_id.desktop
share/doc/noctaris/changelog.gz
share/doc/noctaris/copyright
share/icons/hicolor/128x128/apps/$app_id.png
share/icons/hicolor/16x16/apps/$app_id.png
share/icons/hicolor/256x256/apps/$app_id.png
share/icons/hicolor/32x32/apps/$app_id.png
share/icons/hicolor/48x48/apps/$app_id.png
share/icons/hicolor/64x64/apps/$app_id.png
share/icons/hicolor/scalable/apps/$app_id.svg
share/man/man1/noctaris-cli.1.gz
share/man/man1/noctaris.1.gz
share/metainfo/$app_id.metainfo.xml"
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$(LC_ALL=C sort <<<"$expected")" ]; then
  diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual") >&2 || true
  fail "installed files differ from the expected layout (< expected, > installed)"
fi
for p in bin/noctaris bin/noctaris-cli; do
  [ -x "$prefix/$p" ] || fail "$p is not executable"
done
for f in $(cd "$prefix" && find share -type f); do
  [ "$(stat -c %a "$prefix/$f")" = 644 ] || fail "$f has mode $(stat -c %a "$prefix/$f"), not 644"
done

# Run from an empty folder with a fresh home, so only what is inside the program can serve.
run_dir=$work/elsewhere
mkdir -p "$run_dir/home"
cd "$run_dir"
export HOME=$run_dir/home XDG_CONFIG_HOME=$run_dir/home/.config
version=$("$prefix/bin/noctaris-cli" --version) || fail "noctaris-cli --version failed"
[[ $version =~ ^noctaris-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "unexpected version line '$version'"
"$prefix/bin/noctaris-cli" chart --place "Wien, A" --date 2026-12-24 --time 22:00 --show lines,moon \
  --size 320x200 --out "$run_dir/sky.png" >/dev/null || fail "installed noctaris-cli chart failed"
[ "$(head -c 8 "$run_dir/sky.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  fail "the installed noctaris-cli wrote no PNG file"
moon=$("$prefix/bin/noctaris-cli" moon --place "Wien, A" --date 2026-12-24 --time 22:00) ||
  fail "installed noctaris-cli moon failed"
[ -n "$moon" ] || fail "installed noctaris-cli moon printed nothing"

# No run path, library or string leads into the build or source tree. Debug information
# (and, in sanitized builds, the sanitizer's own file names) names the sources by design, so
# the strings are read from a copy without it.
for p in noctaris noctaris-cli; do
  bin=$prefix/bin/$p
  rpath=$(readelf -d "$bin" | grep -E 'R(UN)?PATH' || true)
  for dir in "$build_dir" "$source_dir"; do
    [[ $rpath != *"$dir"* ]] || fail "$p has a run path into $dir: $rpath"
  done
  libs=$(ldd "$bin") || fail "ldd $p failed"
  ! grep -q "not found" <<<"$libs" || fail "$p misses libraries: $(grep 'not found' <<<"$libs")"
  ! grep -qF "$build_dir" <<<"$libs" || fail "$p loads a library from the build folder"
  objcopy --strip-debug "$bin" "$work/$p.stripped"
  strings "$work/$p.stripped" | grep -v -E '\.(cpp|h|inc|S)\b' >"$work/$p.strings" || true
  for dir in "$build_dir" "$source_dir"; do
    if grep -F "$dir" "$work/$p.strings" >"$work/hits"; then
      fail "$p contains a path into $dir: $(head -3 "$work/hits")"
    fi
  done
done
echo "installed layout and programs OK"
