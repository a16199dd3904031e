#!/usr/bin/env bash
# Builds Noctaris with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DNOCTARIS_SANITIZE=ON -DNOCTARIS_BENCH=ON >/dev/null
cmake --build build/asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/asan --output-on-failure -j"$(nproc)"
