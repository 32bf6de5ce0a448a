#!/bin/sh
# What a run without a window tells on stderr: the end of its source and its message boxes as
# they happen, one line each with the time, no question that nobody asked; and what it refuses
# before anything runs, with status 2: --set values that no dialog of its commands takes,
# --fast on a live receiver.
set -eu
cli="$1"
work="$2"
data="$3"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/err"; exit 1; }
status_of() {
    status=0
    (cd "$data" && "$cli" "$@") >"$work/out" 2>"$work/err" || status=$?
}
stamp='[0-2][0-9]:[0-5][0-9]:[0-5][0-9][.][0-9][0-9][0-9]'

status_of run --ini run-binary.ini --fast --log "$work/run.gps"
[ "$status" -eq 0 ] || fail "binary run: status $status"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "binary run: one line expected"
grep -qx "$stamp source ended: ../../../samples/receiver-38400.bin" "$work/err" || fail "binary run: no end"
status_of run --ini run-track.ini --fast
grep -qx "$stamp source ended: track.csv" "$work/err" || fail "CSV run: no end"

printf '[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=%s\n' "$work/none.bin" \
    >"$work/none.ini"
status_of run --ini "$work/none.ini" --fast
[ "$status" -eq 1 ] || fail "missing recording: status $status"
grep -qx "$stamp message: Source file could not be opened: $work/none.bin: No such file or directory" "$work/err" ||
    fail "missing recording: no message"
[ "$(tail -n 1 "$work/err")" = "kestrion-cli run: Source file could not be opened: $work/none.bin: No such file or directory" ] ||
    fail "missing recording: no failure line"

# Refused before the run: nothing is played (no trace), status 2.
refused() {
    expected="$1"
    shift
    status_of run --ini run-random.ini --fast --seconds 2 --trace "$@"
    [ "$status" -eq 2 ] || fail "$*: status $status"
    [ ! -s "$work/out" ] || fail "$*: it ran"
    [ "$(cat "$work/err")" = "kestrion-cli run: $expected (try --help)" ] || fail "$*: not refused with: $expected"
}
refused '--set Colder Start names no control of the dialogs the commands open' --command 32788@1 --set 'Colder Start'
refused '--set Channels=12 names no control of the dialogs the commands open' --set Channels=12
refused '--set Channels=13: "Receiver Initialization" Channels: Please enter an integer between 1 and 12.' \
    --command 32788@1 --set Channels=13
refused '--set Reset Mode=Hot: "Receiver Initialization" Reset Mode: not one of Hot Start, Warm Start (No Init), Warm Start (Init), Cold Start, Factory Reset' \
    --command 32788@1 --set 'Reset Mode=Hot'
refused '--set Enable Raw Track Data=yes: "Receiver Initialization" Enable Raw Track Data: a check box takes 1 or 0' \
    --command 32788@1 --set 'Enable Raw Track Data=yes'
# Values that fit run.
status_of run --ini run-random.ini --fast --seconds 2 --command 32788@1 --set Channels=12 --set 'Cold Start' \
    --set 'Enable Raw Track Data=1'
[ "$status" -eq 0 ] || fail "fitting values: status $status"
grep -qxF 'command: 32788 &Initialize Data Source... at 1.0 s' "$work/err" || fail "fitting values: not run"

printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=/dev/ttyUSB7\nMeasSerialBaud=38400\n' >"$work/rx.ini"
status_of run --ini "$work/rx.ini" --fast
[ "$status" -eq 2 ] || fail "--fast on a port: status $status"
grep -qx 'kestrion-cli run: --fast runs on a virtual clock, which the live receiver on /dev/ttyUSB7 does not follow (try --help)' \
    "$work/err" || fail "--fast on a port: message"
