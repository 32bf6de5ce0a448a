#!/bin/sh
# Serial ports a run cannot use: each ends the run with status 1 and one line naming the port
# and the reason. Refused access (tried as an unprivileged user, so only when root runs this)
# names the group to join when that group may use the device, never for a pseudo-terminal. A
# port lost while playing and not back by the end fails the run; the loss is told when it
# happens.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work"
chmod 755 "$work"
fail() { echo "$1"; cat "$work/run.err"; exit 1; }

# Runs kestrion-cli run on the port as the user $as (empty: this one) with further arguments;
# its status goes to $status.
as=""
run_on() {
    port="$1"
    shift
    printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n' "$port" >"$work/rx.ini"
    chmod 666 "$work/rx.ini"
    status=0
    $as "$cli" run --ini "$work/rx.ini" "$@" 2>"$work/run.err" || status=$?
}
# The run's status and the last line on its standard error.
expect() {
    [ "$status" -eq "$1" ] || fail "status $status, expected $1"
    [ "$(tail -n 1 "$work/run.err")" = "$2" ] || fail "the last line is not: $2"
}

"$cli" simulate --link "$work/rx" >"$work/sim.out" 2>"$work/sim.err" &
simulator=$!
trap 'kill $simulator 2>/dev/null || true; wait $simulator 2>/dev/null || true' EXIT
for attempt in $(seq 50); do
    [ -e "$work/rx" ] && break
    sleep 0.1
done

if [ "$(id -u)" -eq 0 ] && getent group dialout >/dev/null; then
    as="setpriv --reuid=65534 --regid=65534 --clear-groups"
    : >"$work/ttyKX0"
    chgrp dialout "$work/ttyKX0"
    chmod 660 "$work/ttyKX0"
    run_on "$work/ttyKX0" --seconds 1
    expect 1 "kestrion-cli run: $work/ttyKX0: Permission denied; add yourself to the group dialout (sudo usermod -aG dialout \$USER) and log in again"
    run_on "$work/rx" --seconds 1
    expect 1 "kestrion-cli run: $work/rx: Permission denied"
    as=""
fi

# The receiver goes away (and its link with it) once navigation has been logged.
: >"$work/rx.gps"
(
    for attempt in $(seq 100); do
        grep -q '^2,' "$work/rx.gps" && break
        sleep 0.1
    done
    kill $simulator
) &
run_on "$work/rx" --seconds 5 --log "$work/rx.gps"
grep -q '^Comm: Port .* lost$' "$work/rx.gps" || fail "the loss is not logged"
# ... and told as it happens, with the time.
grep -q '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9][.][0-9][0-9][0-9] Comm: Port .* lost$' "$work/run.err" || fail "the loss is not told"
expect 1 "kestrion-cli run: $work/rx: the port was lost and has not come back"
