#!/usr/bin/env bash
# Builds Noctaris (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DNOCTARIS_TESTS=OFF -DNOCTARIS_BENCH=OFF >/dev/null
cmake --build build/release --target noctaris noctaris-cli -j"$(nproc)"
exec build/release/app/noctaris "$@"
