#!/bin/sh
# A receiver on the network end to end: the simulator served over TCP, the engine reading it,
# recording its raw bytes and sharing them with a client; then the recording plays back and
# decodes like any binary file. A refused connection and a shared address in use end the run
# with the reason.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/run.err" 2>/dev/null || true; exit 1; }
wait_for() {  # a file with content, for at most ten seconds
    for attempt in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

"$cli" simulate --listen tcp://127.0.0.1:0 >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null || true; wait $simulator 2>/dev/null || true' EXIT
wait_for "$work/sim.out" || fail "the simulator did not listen"
address=$(head -n 1 "$work/sim.out")
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\n' "$address" >"$work/tcp.ini"

"$cli" run --ini "$work/tcp.ini" --seconds 6 --record "$work/rec.bin" --serve tcp://127.0.0.1:0 \
    --log "$work/run.gps" 2>"$work/run.err" &
run=$!
for attempt in $(seq 100); do
    grep -q '^kestrion-cli run: sharing the receiver on ' "$work/run.err" && break
    sleep 0.1
done
shared=$(sed -n 's/^kestrion-cli run: sharing the receiver on tcp:\/\/127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/run.err")
[ -n "$shared" ] || fail "no shared address"
timeout 4 bash -c "exec 3<>/dev/tcp/127.0.0.1/$shared && cat <&3" >"$work/shared.bin" || true
status=0
wait "$run" || status=$?
[ "$status" -eq 0 ] || fail "the run on $address ended with status $status"
grep -Eq '^Share: client 127\.0\.0\.1:[0-9]+ connected' "$work/run.gps" || fail "no client in the log"

# The recording holds what the receiver sent: it decodes, and what the client got is part of it.
[ -s "$work/rec.bin.times" ] || fail "no time index beside the recording"
"$cli" decode "$work/rec.bin" >"$work/rec.log"
[ "$(grep -c '^2,' "$work/rec.log")" -ge 4 ] || fail "too few navigation records in the recording"
"$cli" decode "$work/shared.bin" >"$work/shared.log"
[ "$(grep -c '^2,' "$work/shared.log")" -ge 2 ] || fail "too few navigation records shared"
missing=$(grep '^2,' "$work/shared.log" | grep -cvxF -f "$work/rec.log" || true)
[ "$missing" -eq 0 ] || fail "$missing shared navigation records are not in the recording"

# The recording plays as a file.
printf '[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=%s\n' "$work/rec.bin" >"$work/play.ini"
"$cli" run --ini "$work/play.ini" --fast --log "$work/play.gps" 2>"$work/play.err" || fail "the recording did not play"
[ "$(grep -c '^2,' "$work/play.gps")" -ge 4 ] || fail "too few navigation records played"

# Nobody listening: the run says so and fails.
kill "$simulator"
wait "$simulator" 2>/dev/null || true
trap - EXIT
status=0
"$cli" run --ini "$work/tcp.ini" --seconds 3 2>"$work/refused.err" || status=$?
[ "$status" -ne 0 ] || fail "a refused connection gave status 0"
grep -q "Connection refused" "$work/refused.err" || fail "$(cat "$work/refused.err")"

# A file source cannot be recorded or shared.
status=0
"$cli" run --ini "$work/play.ini" --fast --record "$work/again.bin" 2>"$work/file.err" || status=$?
[ "$status" -eq 2 ] || fail "--record of a file gave status $status"
grep -q "^kestrion-cli run: --record takes the bytes of a receiver on a port" "$work/file.err" || fail "$(cat "$work/file.err")"
