#!/bin/sh
# An NMEA 4.11 receiver of four systems: the simulator on a pseudo-terminal. Its recorded
# sentences make epochs with satellites of every system; run --json prints the same epochs, and
# nothing else, on stdout; ttff resets it with an NMEA sentence (checksum computed anew) and
# finds the fix in its epochs.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }

# Usage errors come before any receiver is needed.
status=0
"$cli" ttff --start hot --reset-sentence '$PORV101,1' --count 1 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q 'takes --start or --reset-sentence, not both' "$work/err" || fail "both resets"
status=0
"$cli" ttff --reset-sentence '$' --count 1 >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q -- '--reset-sentence takes one NMEA sentence' "$work/err" || fail "an empty sentence"
status=0
"$cli" simulate --gnss gps,glonass >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q -- '--gnss needs --protocol nmea' "$work/err" || fail "--gnss of a binary receiver"
status=0
"$cli" simulate --protocol nmea --gnss gps,qzss >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q -- '--gnss takes gps, glonass, galileo and beidou' "$work/err" || fail "an unknown system"
status=0
"$cli" epochs "$work/no-such-file" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q "^kestrion-cli epochs: cannot read $work/no-such-file: No such file" "$work/err" ||
    fail "a missing file"

"$cli" simulate --protocol nmea --gnss beidou,gps,galileo,glonass --trace --link "$work/rx" >"$work/sim.out" \
    2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 50); do
    [ -e "$work/rx" ] && break
    sleep 0.1
done
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n' "$work/rx" >"$work/rx.ini"

# A few seconds of what the receiver sends, and their epochs.
status=0
timeout 5 "$cli" run --ini "$work/rx.ini" --seconds 4 --json --trace >"$work/run.json" 2>"$work/run.err" ||
    status=$?
[ "$status" -eq 0 ] || fail "run --json: status $status"
[ -s "$work/run.json" ] || fail "run --json: no epochs"
! grep -qv '^{.*}$' "$work/run.json" || fail "run --json: not only JSON lines on stdout"
grep -q '^[0-9]* 1 255$' "$work/run.err" || fail "run --json: the trace is not on stderr"

stty -F "$work/rx" raw -echo
timeout 4 cat "$work/rx" >"$work/rx.nmea" || true
for talker in GPGSV GLGSV GAGSV GBGSV GNGSA GNGNS GNRMC GNGGA GNGST; do
    grep -q "^\\\$$talker," "$work/rx.nmea" || fail "no $talker sentence"
done
"$cli" epochs "$work/rx.nmea" >"$work/epochs.json" 2>"$work/err" || fail "epochs failed"
[ "$(wc -l <"$work/epochs.json")" -ge 2 ] || fail "too few epochs"
for letter in G R E C; do
    grep -q "\"sv\":\"$letter[0-9][0-9]\"" "$work/epochs.json" || fail "no $letter satellite in the epochs"
done
# The same stream from standard input gives the same epochs.
"$cli" epochs - <"$work/rx.nmea" | cmp -s - "$work/epochs.json" || fail "epochs of standard input differ"

# A hot restart by sentence: the fix is back in a few seconds.
"$cli" ttff --ini "$work/rx.ini" --reset-sentence '$PORV101,1*00' --count 1 --timeout 30 >"$work/out" \
    2>"$work/err" || fail "ttff by sentence failed"
grep -q '^run 1: [0-9]*\.[0-9] s$' "$work/out" && grep -qx 'runs: 1, failures: 0' "$work/out" || fail "no fix timed"
# Sent with its own checksum, not the one given.
grep -q '^\$PORV101,1\*[0-9A-F][0-9A-F]$' "$work/sim.err" && ! grep -q 'PORV101,1\*00' "$work/sim.err" ||
    fail "the reset sentence did not reach the receiver"
