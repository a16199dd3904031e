#!/bin/bash
# Cold start of the main window against a minimal Qt Widgets window (bench/minimal_window.cpp),
# in interleaved rounds, each start with a fresh HOME: the time from launching the process to the
# first paint of its window (the chart, for the program) and the peak resident memory, as medians
# and as ratios to the minimal window. Both programs end at their first paint
# (NOCTARIS_FIRST_PAINT_EXIT). A third argument, another build of the program (an earlier
# version), joins the same rounds. Run on a Release build (built here when missing):
#   bench/cold_start.sh [build/bench] [rounds] [earlier noctaris]
set -euo pipefail
build=${1:-build/bench}
rounds=${2:-15}
earlier=${3:-}
program=$build/app/noctaris
minimal=$build/bench/minimal_window
if [[ ! -x $program || ! -x $minimal ]]; then
    cmake --build "$build" -j2 --target noctaris minimal_window >/dev/null
fi
export LC_ALL=C QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} NOCTARIS_FIRST_PAINT_EXIT=1
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start() {  # name, executable: appends "milliseconds KiB" to $work/name
    local home
    home=$(mktemp -d "$work/home.XXXXXX")
    local t0=${EPOCHREALTIME/./}
    HOME=$home /usr/bin/time -f "%M" -o "$work/rss" "$2" >"$work/paint" 2>/dev/null
    local t1
    t1=$(<"$work/paint")
    echo "$(((t1 - t0) / 1000)).$(printf '%03d' $(((t1 - t0) % 1000))) $(<"$work/rss")" >>"$work/$1"
    rm -rf "$home"
}

start minimal "$minimal"  # warm the file cache
start program "$program"
: >"$work/minimal"; : >"$work/program"; : >"$work/earlier"
for ((r = 0; r < rounds; r++)); do
    start minimal "$minimal"
    start program "$program"
    if [[ -n $earlier ]]; then start earlier "$earlier"; fi
done

median() {  # file, column
    sort -g -k "$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
mt=$(median "$work/minimal" 1); mm=$(median "$work/minimal" 2)
pt=$(median "$work/program" 1); pm=$(median "$work/program" 2)
echo "cold start, median of $rounds interleaved rounds ($QT_QPA_PLATFORM):"
awk -v mt="$mt" -v mm="$mm" -v pt="$pt" -v pm="$pm" 'BEGIN {
    printf "  minimal window  first paint %7.1f ms   peak RSS %6.1f MiB\n", mt, mm / 1024
    printf "  noctaris        first paint %7.1f ms   peak RSS %6.1f MiB\n", pt, pm / 1024
    printf "  ratio           first paint %7.2fx     peak RSS %6.2fx\n", pt / mt, pm / mm
}'
if [[ -n $earlier ]]; then
    et=$(median "$work/earlier" 1); em=$(median "$work/earlier" 2)
    awk -v mt="$mt" -v mm="$mm" -v et="$et" -v em="$em" 'BEGIN {
        printf "  earlier build   first paint %7.1f ms   peak RSS %6.1f MiB\n", et, em / 1024
        printf "  its ratio       first paint %7.2fx     peak RSS %6.2fx\n", et / mt, em / mm
    }'
fi
