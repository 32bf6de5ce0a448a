#!/bin/sh
# The simulator served over TCP: it prints where it listens, serves one client and then the
# next, and refuses an address in use or one it cannot listen on with the reason.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/sim.err"; exit 1; }

"$cli" simulate --listen tcp://127.0.0.1:0 >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null || true; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 100); do
    [ -s "$work/sim.out" ] && break
    sleep 0.1
done
address=$(head -n 1 "$work/sim.out")
echo "$address" | grep -Eq '^tcp://127\.0\.0\.1:[1-9][0-9]*$' || fail "not an address with its port: $address"
port=${address##*:}

# A client reads for a few seconds (enough on a loaded machine) and leaves; then the next.
for client in first second; do
    timeout 4 bash -c "exec 3<>/dev/tcp/127.0.0.1/$port && cat <&3" >"$work/$client.bin" || true
    "$cli" decode "$work/$client.bin" >"$work/$client.log"
    [ "$(grep -c '^2,' "$work/$client.log")" -ge 2 ] || fail "too few navigation records for the $client client"
done
for attempt in $(seq 50); do
    [ "$(grep -c ' left$' "$work/sim.err")" -ge 2 ] && break
    sleep 0.1
done
[ "$(grep -Ec '^client 127\.0\.0\.1:[0-9]+ connected$' "$work/sim.err")" -eq 2 ] || fail "not two clients connected"
[ "$(grep -Ec '^client 127\.0\.0\.1:[0-9]+ left$' "$work/sim.err")" -eq 2 ] || fail "not two clients left"

status=0
"$cli" simulate --listen "$port" >/dev/null 2>"$work/taken.err" || status=$?
[ "$status" -eq 1 ] || fail "an address in use gave status $status"
grep -qx "kestrion-cli simulate: $address: Address already in use" "$work/taken.err" || fail "$(cat "$work/taken.err")"

status=0
"$cli" simulate --listen tcp://gps.example:5000 >/dev/null 2>"$work/bad.err" || status=$?
[ "$status" -eq 2 ] || fail "a bad address gave status $status"
grep -q "^kestrion-cli simulate: --listen tcp://gps.example:5000: the address is localhost or an IPv4 address" "$work/bad.err" ||
    fail "$(cat "$work/bad.err")"

kill "$simulator"
status=0
wait "$simulator" || status=$?
trap - EXIT
[ "$status" -eq 0 ] || fail "SIGTERM ended the simulator with status $status"
