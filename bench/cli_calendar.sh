#!/bin/bash
# The command line's cost for a century of calendars: `calendar --range Y..Y+99` in one process
# against 100 runs of `calendar --year Y`, and one short run's start-up. Run on a Release build:
#   bench/cli_calendar.sh [build/release/cli/noctaris-cli] [first year]
set -euo pipefail
cli=${1:-build/release/cli/noctaris-cli}
first=${2:-2000}
last=$((first + 99))
export LC_ALL=C QT_QPA_PLATFORM=offscreen

now() { date +%s%N; }
ms() { awk -v a="$1" -v b="$2" -v n="${3:-1}" 'BEGIN { printf "%.1f", (b - a) / n / 1e6 }'; }

"$cli" calendar --year "$first" >/dev/null  # warm the file cache

t0=$(now)
"$cli" calendar --range "$first..$last" --format csv >/dev/null
t1=$(now)
for ((y = first; y <= last; y++)); do "$cli" calendar --year "$y" --format csv >/dev/null; done
t2=$(now)
for ((i = 0; i < 20; i++)); do "$cli" calendar --year "$first" >/dev/null; done
t3=$(now)
for ((i = 0; i < 20; i++)); do "$cli" places wien >/dev/null; done
t4=$(now)

echo "calendar $first..$last, one --range run:  $(ms "$t0" "$t1") ms"
echo "calendar $first..$last, 100 separate runs: $(ms "$t1" "$t2") ms"
echo "one calendar year (mean of 20 runs):     $(ms "$t2" "$t3" 20) ms"
echo "one places lookup (mean of 20 runs):     $(ms "$t3" "$t4" 20) ms"
