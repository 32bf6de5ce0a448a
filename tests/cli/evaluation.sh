#!/bin/sh
# Tracks and figures of the bundled recording through the command line: the GPX track read
# back holds the fixes of the per-fix CSV, point for point; stats --csv writes a line per fix
# it counted; a file played faster than its time on a terminal shows a progress line that
# ends erased.
set -eu
cli="$1"
work="$2"
data="$3"
sample="$4"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; exit 1; }
printf '[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileType=Binary\nMeasBFileName=%s\n' "$sample" >"$work/rec.ini"

"$cli" export --ini "$work/rec.ini" --gpx "$work/track.gpx" --csv="$work/track.csv" >"$work/export.out" 2>"$work/export.err" ||
    fail "export failed: $(cat "$work/export.err")"
grep -qx "$work/track.gpx: 89 fixes" "$work/export.out" || fail "export: $(cat "$work/export.out")"
if command -v xmllint >/dev/null; then
    xmllint --noout "$work/track.gpx" || fail "the GPX track is not well-formed"
fi
# Latitude, longitude, height and time of each point, as the CSV has them.
sed -n 's|.*<trkpt lat="\([^"]*\)" lon="\([^"]*\)"><ele>\([^<]*\)</ele><time>\([^<]*\)</time>.*|\4,\1,\2,\3|p' \
    "$work/track.gpx" >"$work/gpx.points"
tail -n +2 "$work/track.csv" | cut -d, -f1-4 >"$work/csv.points"
[ "$(wc -l <"$work/gpx.points")" -eq 89 ] || fail "the GPX track holds $(wc -l <"$work/gpx.points") points"
cmp -s "$work/gpx.points" "$work/csv.points" || fail "the GPX points differ from the fixes"
[ "$(grep -c '<trkseg>' "$work/track.gpx")" -eq 1 ] || fail "a gapless track in more than one segment"
grep -q '<time>2003-12-23T15:06:47.00Z</time>' "$work/track.gpx" || fail "GPS time not in UTC with 13 leap seconds"

"$cli" stats --ini "$work/rec.ini" --csv "$work/fixes.csv" >"$work/stats.out" 2>/dev/null || fail "stats failed"
grep -qx 'Fixes: 89' "$work/stats.out" || fail "stats: $(cat "$work/stats.out")"
[ "$(tail -n +2 "$work/fixes.csv" | wc -l)" -eq 89 ] || fail "stats --csv: not a line per fix"
cmp -s "$work/fixes.csv" "$work/track.csv" || fail "stats --csv differs from export --csv"

# On a terminal (script's pseudo-terminal), x16 of one minute: a few redraws in place.
# The recording's settings name their files from the data folder.
cd "$data"
script -qec "\"$cli\" run --ini run-track.ini --speed 16 >/dev/null" /dev/null >"$work/terminal" ||
    fail "run --speed 16 failed on a terminal"
grep -q '% *0:00:[0-9][0-9] / 0:00:59 *[0-9]* records/s' "$work/terminal" || fail "no progress line: $(cat -v "$work/terminal")"
tr '\r' '\n' <"$work/terminal" | grep -c 'records/s' | { read -r draws; [ "$draws" -ge 3 ]; } || fail "fewer than three redraws"
last=$(tr '\r' '\n' <"$work/terminal" | grep -v '^$' | tail -n 1)
printf '%s' "$last" | grep -q 'source ended: track.csv' || fail "the progress line stays: $last"
# Not on a terminal: no progress line.
"$cli" run --ini run-track.ini --fast 2>"$work/plain.err" >/dev/null
! grep -q 'records/s' "$work/plain.err" || fail "a progress line off the terminal"
