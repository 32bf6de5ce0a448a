#!/bin/sh
# run without --ini reads the console's settings: beside the console when kestrion-cli sits
# beside it (installed) or in the same build tree, else the user's own; a missing file is
# named where it was looked for.
set -eu
cli="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work/bin" "$work/tree/src/cli" "$work/tree/src/gui" "$work/alone" "$work/config/kestrion-demo"
fail() { echo "$1"; cat "$work/err"; exit 1; }
# A settings file whose recording is missing, so that the run names it.
settings() {
    printf '[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=/%s.bin\n' "$2" >"$1"
}
# Runs the copy of kestrion-cli at $1 without --ini; the recording it tried to open must be $2.
expect_settings() {
    status=0
    XDG_CONFIG_HOME="$work/config" "$1" run --fast 2>"$work/err" || status=$?
    [ "$status" -eq 1 ] || fail "$1: status $status"
    [ "$(tail -n 1 "$work/err")" = "kestrion-cli run: Source file could not be opened: /$2.bin: No such file or directory" ] ||
        fail "$1: not the settings $2"
}
cp "$cli" "$work/bin/kestrion-cli"
cp "$cli" "$work/tree/src/cli/kestrion-cli"
cp "$cli" "$work/alone/kestrion-cli"
: >"$work/bin/kestrion-demo"
: >"$work/tree/src/gui/kestrion-demo"
settings "$work/bin/kestrion-demo.ini" installed
settings "$work/tree/src/gui/kestrion-demo.ini" build-tree
settings "$work/config/kestrion-demo/kestrion-demo.ini" per-user
expect_settings "$work/bin/kestrion-cli" installed
expect_settings "$work/tree/src/cli/kestrion-cli" build-tree
expect_settings "$work/alone/kestrion-cli" per-user
# Without a file beside the console, the console reads the user's one too.
rm "$work/bin/kestrion-demo.ini"
expect_settings "$work/bin/kestrion-cli" per-user

rm "$work/config/kestrion-demo/kestrion-demo.ini"
status=0
XDG_CONFIG_HOME="$work/config" "$work/alone/kestrion-cli" run --fast 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "no settings: status $status"
grep -qx "kestrion-cli run: cannot read the settings file $work/config/kestrion-demo/kestrion-demo.ini: No such file or directory" \
    "$work/err" || fail "no settings: message"
