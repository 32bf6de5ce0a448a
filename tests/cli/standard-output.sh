#!/bin/sh
# Standard output that cannot be written: a full disk is reported in one line with status 1,
# whether the output fails at the end or midway (more than the 1 MB buffer); a reader that
# goes away (a pipe into head) ends the program quietly with 141. A live run stops at once then,
# with the log's closing line.
set -eu
cli="$1"
work="$2"
data="$3"
sample="$4"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/err"; exit 1; }
# The status of the command, its standard output going to $out; stderr goes to $work/err.
status_of() {
    status=0
    "$@" >"$out" 2>"$work/err" || status=$?
}
for copy in $(seq 40); do
    cat "$sample"
done >"$work/big.bin"

out=/dev/full
status_of "$cli" frame 84 00
[ "$status" -eq 1 ] || fail "frame: status $status"
[ "$(cat "$work/err")" = "kestrion-cli frame: cannot write the standard output: No space left on device" ] || fail "frame: message"
status_of "$cli" decode "$work/big.bin"
[ "$status" -eq 1 ] || fail "decode: status $status"
[ "$(cat "$work/err")" = "kestrion-cli decode: cannot write the standard output: No space left on device" ] || fail "decode: message"
status_of "$cli" --help
[ "$status" -eq 1 ] || fail "--help: status $status"
[ "$(cat "$work/err")" = "kestrion-cli: cannot write the standard output: No space left on device" ] || fail "--help: message"

# Runs the command with stderr to $work/err and its status to $work/status, at the head of a pipe.
piped() {
    status=0
    "$@" 2>"$work/err" || status=$?
    echo $status >"$work/status"
}
first=$(piped "$cli" decode "$work/big.bin" | head -n 1)
[ "$first" = "$("$cli" decode "$sample" | head -n 1)" ] || fail "decode | head: first line"
[ "$(cat "$work/status")" -eq 141 ] || fail "decode | head: status $(cat "$work/status")"
[ ! -s "$work/err" ] || fail "decode | head: not quiet"

: >"$work/run.gps"
piped "$cli" run --ini "$data/run-random.ini" --seconds 30 --trace --log "$work/run.gps" | head -n 1 >/dev/null
[ "$(cat "$work/status")" -eq 141 ] || fail "run --trace | head: status $(cat "$work/status")"
! grep -q '^kestrion-cli' "$work/err" || fail "run --trace | head: not quiet"
tail -n 1 "$work/run.gps" | grep -q '^Log file closed ' || fail "run --trace | head: no closing line"
