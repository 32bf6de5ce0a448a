#!/bin/sh
# A live receiver end to end: the simulator on a pseudo-terminal and the engine on the other
# end for a few seconds (enough on a loaded machine). The log must show the software version
# (asked for, unless the receiver's start-up announcement came first) and navigation records.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
"$cli" simulate --link "$work/rx" >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 50); do
    [ -e "$work/rx" ] && break
    sleep 0.1
done
all=$(printf '1%.0s' $(seq 256))
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n[Logging]\nMessages=%s\n' \
    "$work/rx" "$all" >"$work/rx.ini"
"$cli" run --ini "$work/rx.ini" --seconds 5 --log "$work/rx.gps" 2>"$work/run.err"
if ! head -n 4 "$work/rx.gps" | grep -q '^SW Version: '; then
    grep -q '^UI_Command: MID 0x84$' "$work/rx.gps" || { echo "no version poll in the log"; exit 1; }
fi
grep -q '^SW Version: 2\.1' "$work/rx.gps" || { echo "no software version in the log"; exit 1; }
[ "$(grep -c '^2,' "$work/rx.gps")" -ge 2 ] || { echo "too few navigation records"; exit 1; }
