#!/bin/bash
# Ranges of the command line against PyEphem (bench/reference_ranges.py), in one run: time and
# peak memory of `ephemeris --range` over 10,000 moments (precise, CSV; classic, JSON) and over
# 10 moments, so that memory can be seen not to grow with the range. Run on a Release build:
#   bench/ranges.sh [build/release/cli/noctaris-cli]
set -euo pipefail
cli=${1:-build/release/cli/noctaris-cli}
here=$(dirname "$0")
export LC_ALL=C QT_QPA_PLATFORM=offscreen
range=(--range 2000-01-01T00:00..2000-01-07T22:39 --step 1min)  # 10,000 moments
short=(--range 2000-01-01T00:00..2000-01-01T00:09 --step 1min)
measure() {  # label, command...
    local label=$1; shift
    /usr/bin/time -f "%U %S %M" "$@" 2>&1 >/dev/null | tail -n 1 |
        awk -v l="$label" '{ printf "%-34s %6.2f s CPU  %7.1f MiB peak\n", l, $1 + $2, $3 / 1024 }'
}
for round in 1 2; do
    measure "noctaris precise csv, 10,000" "$cli" ephemeris "${range[@]}" --precise --format csv
    measure "PyEphem, 10,000" /usr/bin/python3 "$here/reference_ranges.py" 10000
    measure "noctaris classic json, 10,000" "$cli" ephemeris "${range[@]}" --format json
    measure "noctaris classic json, 10" "$cli" ephemeris "${short[@]}" --format json
done
