#!/bin/bash
# The command line's cost for a century of calendars: `calendar --range Y..Y+99` in one process
# against 100 runs of `calendar --year Y`, and the start-up of one short run. Reports wall time
# and the processes' CPU time (user + system; wall time suffers when the machine is busy).
# Run on a Release build:
#   bench/cli_calendar.sh [build/release/cli/noctaris-cli] [first year]
set -euo pipefail
cli=${1:-build/release/cli/noctaris-cli}
first=${2:-2000}
last=$((first + 99))
export LC_ALL=C QT_QPA_PLATFORM=offscreen
TIMEFORMAT="%R s wall, %U s user, %S s system"

"$cli" calendar --year "$first" >/dev/null  # warm the file cache

echo "calendar $first..$last, one --range run:"
time "$cli" calendar --range "$first..$last" --format csv >/dev/null
echo "calendar $first..$last, 100 separate --year runs:"
time for ((y = first; y <= last; y++)); do "$cli" calendar --year "$y" --format csv >/dev/null; done
echo "20 runs of --version (process start alone):"
time for ((i = 0; i < 20; i++)); do "$cli" --version >/dev/null; done
echo "20 runs of places wien (start plus loading the places):"
time for ((i = 0; i < 20; i++)); do "$cli" places wien >/dev/null; done
