#!/usr/bin/env bash
# Builds the Debian package of a Release build with CPack and checks it with lintian.
# The package lands in build/release/ (noctaris_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh package
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DNOCTARIS_TESTS=OFF -DNOCTARIS_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
rm -f build/release/noctaris_*.deb
(cd build/release && cpack -G DEB)
deb=$(echo build/release/noctaris_*.deb)
lintian --fail-on error "$deb"
echo "Built $deb"
