#!/bin/bash
# bench_sunmoon's event benchmarks against astronomy-engine (bench/reference_events.js), in
# interleaved rounds, both as processor time (node on one thread, so that its collector and
# compiler threads are not counted apart). Run on a Release build:
#   NODE_PATH=/path/to/node_modules bench/events_vs_reference.sh [build/release/bench/bench_sunmoon]
set -euo pipefail
bench=${1:-build/release/bench/bench_sunmoon}
here=$(dirname "$0")
for round in 1 2 3; do
    "$bench" --benchmark_filter='MoonEventsMonth|EarthApsidesYear|SeasonsYear' 2>/dev/null |
        awk '/^BM_/ { printf "%-22s %s %s (CPU)\n", $1, $4, $5 }'
    node --single-threaded "$here/reference_events.js"
done
