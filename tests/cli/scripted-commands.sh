#!/bin/sh
# Scripted receiver commands end to end: two hot starts against the simulator, each followed
# by its time to first fix, and a command that is disabled at its time, which fails the run.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
"$cli" simulate --link "$work/rx" --trace >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 50); do
    [ -e "$work/rx" ] && break
    sleep 0.1
done
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n[ReceiverInit]\nResetMode=3\n' \
    "$work/rx" >"$work/rx.ini"
status=0
"$cli" run --ini "$work/rx.ini" --seconds 22 --set "Hot Start" --set "Enable Development Data=1" \
    --command 32792@1 --command 32788@2 --command 32788@12 2>"$work/run.err" || status=$?
fail() { echo "$1"; cat "$work/run.err"; exit 1; }
# The disabled command is told when its time comes, and again at the end, which fails the run.
disabled='32792 Switch to &Orvo Protocol was disabled at 1.0 s: the display is not in NMEA mode'
grep -qxF "command: $disabled" "$work/run.err" || fail "no disabled command line"
[ "$(tail -n 1 "$work/run.err")" = "kestrion-cli run: command $disabled" ] || fail "the run does not end on it"
[ "$status" -eq 1 ] || fail "status $status, expected 1"
[ "$(grep -c '^dialog: Receiver Initialization$' "$work/run.err")" -eq 2 ] || fail "two dialogs expected"
[ "$(grep -c '^set: Hot Start=Hot Start$' "$work/run.err")" -eq 2 ] || fail "the hot start was not chosen"
[ "$(grep -c '^ttff: ' "$work/run.err")" -eq 2 ] || fail "two times to first fix expected"
# Hot start with development data: flags 0x20, and the INI keeps what was sent.
[ "$(grep -c '^A0 A2 00 19 80 .* 0C 20 .. .. B0 B3$' "$work/sim.err")" -eq 2 ] || fail "two hot starts expected on the wire"
grep -q '^ResetMode=0' "$work/rx.ini" || fail "the reset mode was not stored"
