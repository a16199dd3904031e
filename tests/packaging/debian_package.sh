#!/usr/bin/env bash
# CPack makes a Debian package of the build that lintian finds no error in, whose Depends come
# from dpkg-shlibdeps and whose files are the installed layout under /usr.
source "$(dirname "$0")/common.bash"
skip_without lintian dpkg-shlibdeps dpkg-deb
install_tree

# gzip instead of the release's xz: the same package for lintian, in a fraction of the time.
"$cpack" -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip --config "$build_dir/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(echo "$work"/deb/noctaris_*.deb)
[ -f "$deb" ] || fail "cpack made no noctaris_*.deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = noctaris ] || fail "Package: $(field Package)"
[ "$(field Section)" = science ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
# dpkg-shlibdeps writes versioned dependencies on the Qt and C++ runtime packages.
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends" == *", $lib (>= "* ]] || fail "Depends lacks a versioned $lib: $depends"
done

# The package holds what cmake --install lays out, under /usr.
diff <(cd "$prefix" && find . -type f | sed 's|^\.|./usr|' | LC_ALL=C sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort) >&2 ||
  fail "package contents differ from the installed layout (< installed, > package)"

# Errors fail; warnings and notes are printed for the record.
lintian --fail-on error "$deb" 2>&1 | tee "$work/lintian.log" ||
  fail "lintian reports errors"
echo "Debian package OK: $(basename "$deb")"
