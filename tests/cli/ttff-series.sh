#!/bin/sh
# Time to first fix against the simulator: two hot starts fix in about 4 s; a cold start does
# not fix within 5 s (it takes about 38) and counts as a failure, with status 1.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/out" "$work/err"; exit 1; }
"$cli" simulate --link "$work/rx" >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 50); do
    [ -e "$work/rx" ] && break
    sleep 0.1
done
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n' "$work/rx" >"$work/rx.ini"

"$cli" ttff --ini "$work/rx.ini" --start hot --count 2 --csv "$work/hot.csv" >"$work/out" 2>"$work/err" ||
    fail "hot starts failed"
grep -q '^run 1: [3-6]\.[0-9] s$' "$work/out" && grep -q '^run 2: [3-6]\.[0-9] s$' "$work/out" ||
    fail "hot starts not about 4 s"
grep -qx 'runs: 2, failures: 0' "$work/out" || fail "no summary"
grep -q '^min [3-6]\.[0-9] s, median [3-6]\.[0-9] s, mean [3-6]\.[0-9] s, 95 %: [3-6]\.[0-9] s, max [3-6]\.[0-9] s$' \
    "$work/out" || fail "no figures"
[ "$(grep -c 'set: Hot Start' "$work/err")" -eq 2 ] || fail "not two hot starts sent"
head -n 1 "$work/hot.csv" | grep -qx 'run,ttff_s' && [ "$(wc -l <"$work/hot.csv")" -eq 3 ] || fail "the runs' CSV"

status=0
"$cli" ttff --ini "$work/rx.ini" --start=cold --count 1 --timeout 5 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a failed cold start: status $status"
grep -qx 'run 1: no fix within 5 s' "$work/out" && grep -qx 'runs: 1, failures: 1' "$work/out" ||
    fail "the cold start is not a failure"
grep -qx 'kestrion-cli ttff: 1 of 1 runs got no fix within 5 s' "$work/err" || fail "the failure is not told"
