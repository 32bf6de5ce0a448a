#!/bin/sh
# The command line as the usual tools have it: -h, --help and help at the top and for every
# command (help on stdout, usage and errors on stderr), --version, --option=value, -- ending
# the options, - as standard input, and a whole NMEA sentence given to nmea.
set -eu
cli="$1"
work="$2"
data="$3"
sample="$4"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; cat "$work/out" "$work/err"; exit 1; }
# The status of the command; its output goes to $work/out, its errors to $work/err.
status_of() {
    status=0
    "$@" >"$work/out" 2>"$work/err" || status=$?
}
# Help: status 0, on stdout only, starting with the usage line given.
expect_help() {
    [ "$status" -eq 0 ] || fail "help: status $status"
    [ ! -s "$work/err" ] || fail "help: stderr"
    head -n 1 "$work/out" | grep -q "^$1" || fail "help does not start with: $1"
}
# A usage error: status 2, nothing on stdout, the message on stderr.
expect_usage_error() {
    [ "$status" -eq 2 ] || fail "status $status, expected 2"
    [ ! -s "$work/out" ] || fail "a usage error on stdout"
    grep -q -- "$1" "$work/err" || fail "stderr does not say: $1"
}

for ask in -h --help help; do
    status_of "$cli" $ask
    expect_help "usage:"
done
status_of "$cli"
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && grep -q '^usage:' "$work/err" || fail "no arguments: usage on stderr"
status_of "$cli" --version
[ "$status" -eq 0 ] && grep -qx 'kestrion-cli [0-9][0-9.]*' "$work/out" || fail "--version"

for command in decode lines frame nmea run simulate stats export ttff; do
    for ask in "$command -h" "$command --help" "help $command" "$command $sample -h"; do
        status_of "$cli" $ask
        expect_help "usage: kestrion-cli $command "
    done
done
status_of "$cli" help resolve
expect_usage_error "unknown command resolve"

# --option=value, and - for the standard input.
"$cli" decode --chunk 977 "$sample" >"$work/expected"
status_of sh -c "\"$cli\" decode --chunk=977 - <\"$sample\""
[ "$status" -eq 0 ] && cmp -s "$work/out" "$work/expected" || fail "decode --chunk=977 -"
"$cli" lines --week 1200 --tow=100 "$data/lines.csv" >"$work/expected"
status_of sh -c "\"$cli\" lines --week=1200 --tow 100 -- - <\"$data/lines.csv\""
[ "$status" -eq 0 ] && cmp -s "$work/out" "$work/expected" || fail "lines -- -"
# After --, -h is a file.
status_of "$cli" decode -- -h
[ "$status" -eq 2 ] && grep -qx 'kestrion-cli decode: cannot read -h: No such file or directory' "$work/err" ||
    fail "decode -- -h"
status_of "$cli" decode --playback=yes "$sample"
expect_usage_error "option --playback takes no value"
status_of "$cli" decode -x "$sample"
expect_usage_error "unknown option -x"
status_of "$cli" simulate extra
expect_usage_error "takes no arguments besides its options: extra"

# A sentence given whole loses its $ and checksum; a star not followed by two hex digits stays.
"$cli" nmea 'PORV100,1' >"$work/expected"
for sentence in '$PORV100,1*37' 'PORV100,1*00' '$PORV100,1'; do
    status_of "$cli" nmea "$sentence"
    [ "$status" -eq 0 ] && cmp -s "$work/out" "$work/expected" || fail "nmea $sentence"
done
status_of "$cli" nmea 'PORV100,1*'
[ "$(cat "$work/out")" = "$(printf '\r\n$PORV100,1**1D\r\n')" ] || fail "nmea with a lone star"
