#!/usr/bin/env bash
# SIGTERM (logout) and SIGINT (Ctrl+C) end the program within a second in every state: with a
# modal window and a message box open, with a settings file that cannot be written (reported on
# stderr, never in a box nobody will click), and with the main thread busy.
# Usage: signals.sh NOCTARIS PROBE  (PROBE starts the program the same way, then sets a state)
set -u
noctaris=$1
probe=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run CASE SIGNAL CONFIG READY COMMAND...: starts COMMAND with its config folder CONFIG, waits until
# it is ready (READY = "ready": it printed so; "handler": it catches SIGTERM), sends SIGNAL and
# waits for the end. Sets rc (exit status) and ms (milliseconds from the signal to the end).
run() {
  local name=$1 sig=$2 config=$3 ready=$4
  shift 4
  out=$tmp/$name.out
  err=$tmp/$name.err
  XDG_CONFIG_HOME=$config "$@" >"$out" 2>"$err" &
  local pid=$!
  local waited=0
  while :; do
    if [ "$ready" = ready ]; then
      grep -q '^ready$' "$out" && break
    else
      local mask
      mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
      [ -n "$mask" ] && [ $(((0x$mask >> 14) & 1)) = 1 ] && break
    fi
    if [ $waited -ge 600 ] || ! [ -e "/proc/$pid" ]; then
      fail "$name: never became ready"
      cat "$err"
      kill -KILL $pid 2>/dev/null
      wait $pid 2>/dev/null
      rc=none ms=0
      return
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  sleep 0.5  # into the message loop
  local t0
  t0=$(date +%s%N)
  kill -"$sig" $pid
  (sleep 10 && kill -KILL $pid 2>/dev/null) &
  local guard=$!
  wait $pid
  rc=$?
  ms=$((($(date +%s%N) - t0) / 1000000))
  kill $guard 2>/dev/null
  wait $guard 2>/dev/null
}

expect() {  # expect CASE RC MAX_MS
  echo "$1: exit status $rc after $ms ms"
  if [ "$rc" != "$2" ] || [ "$ms" -gt "$3" ]; then
    fail "$1: exit status $rc after $ms ms (expected $2 within $3 ms)"
    cat "$tmp/$1.err"
  fi
}

# The real program with a settings file it cannot write (a folder stands at its place): the
# failure goes to stderr and the program ends.
mkdir -p "$tmp/blocked/noctaris.ini"
run blocked TERM "$tmp/blocked" handler "$noctaris"
expect blocked 1 2000
grep -q "noctaris:.*noctaris.ini" "$tmp/blocked.err" || fail "blocked: no report on stderr"

# The real program, all well: the settings are written.
mkdir -p "$tmp/plain"
run plain TERM "$tmp/plain" handler "$noctaris"
expect plain 0 2000
grep -q '^\[Noctaris\]' "$tmp/plain/noctaris.ini" 2>/dev/null || fail "plain: settings not written"

# A modal window with a message box over it: both give way, the settings are written.
mkdir -p "$tmp/modal"
run modal TERM "$tmp/modal" ready "$probe" modal
expect modal 0 2000
grep -q '^\[Noctaris\]' "$tmp/modal/noctaris.ini" 2>/dev/null || fail "modal: settings not written"
mkdir -p "$tmp/modal_int"
run modal_int INT "$tmp/modal_int" ready "$probe" modal
expect modal_int 0 2000

# The same with the settings blocked: reported on stderr, no third box.
mkdir -p "$tmp/modal_blocked/noctaris.ini"
run modal_blocked TERM "$tmp/modal_blocked" ready "$probe" modal
expect modal_blocked 1 2000
grep -q "noctaris:.*noctaris.ini" "$tmp/modal_blocked.err" || fail "modal_blocked: no report on stderr"

# The main thread busy: the program stops after a second, the old settings file untouched.
mkdir -p "$tmp/busy"
printf '[Noctaris]\r\nOrt=Wien, A\r\n' >"$tmp/busy/noctaris.ini"
run busy TERM "$tmp/busy" ready "$probe" busy
expect busy 143 2000
grep -q "not closed within a second" "$tmp/busy.err" || fail "busy: no word on stderr"
[ "$(cat "$tmp/busy/noctaris.ini")" = "$(printf '[Noctaris]\r\nOrt=Wien, A\r\n')" ] || fail "busy: settings file changed"

if [ $failures -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all signal cases passed"
