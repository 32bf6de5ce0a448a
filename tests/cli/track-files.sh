#!/bin/sh
# The track files of export and stats --csv, byte for byte against their golden files: the
# bundled recording about its running mean and about a fixed point, and the one-minute CSV
# recording against its truth (a fix without truth has its errors left empty).
set -eu
cli="$1"
work="$2"
data="$3"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; exit 1; }
same() { cmp -s "$1" "$data/$2" || fail "$2 differs: $(diff "$data/$2" "$1" | head -5)"; }
cd "$data"

"$cli" export --ini run-binary.ini --gpx "$work/s.gpx" --kml "$work/s.kml" --csv "$work/s.csv" >/dev/null ||
    fail "export of the sample failed"
same "$work/s.gpx" track-sample.gpx
same "$work/s.kml" track-sample.kml
same "$work/s.csv" track-sample.csv
"$cli" stats --ini run-binary.ini --ref 48.13743,11.57549,567 --csv "$work/fixed.csv" >/dev/null ||
    fail "stats of the sample failed"
same "$work/fixed.csv" track-sample-fixed.csv
"$cli" export --ini run-track.ini --csv "$work/truth.csv" >/dev/null || fail "export of the truth recording failed"
same "$work/truth.csv" track-truth.csv
