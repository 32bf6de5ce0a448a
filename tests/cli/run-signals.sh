#!/bin/sh
# SIGINT, SIGTERM and SIGHUP (a closed terminal) each end a live run as its end would: the log
# gets its closing line and the status is 0.
set -eu
cli="$1"
work="$2"
data="$3"
rm -rf "$work"
mkdir -p "$work"
for signal in INT TERM HUP; do
    log="$work/$signal.gps"
    : >"$log"
    "$cli" run --ini "$data/run-random.ini" --seconds 60 --log "$log" 2>"$work/$signal.err" &
    run=$!
    for attempt in $(seq 100); do
        grep -q 'log file opened' "$log" && break
        sleep 0.1
    done
    kill -s "$signal" $run
    status=0
    wait $run || status=$?
    [ "$status" -eq 0 ] || { echo "SIG$signal: status $status"; cat "$work/$signal.err"; exit 1; }
    tail -n 1 "$log" | grep -q '^Log file closed ' || { echo "SIG$signal: no closing line"; exit 1; }
done
