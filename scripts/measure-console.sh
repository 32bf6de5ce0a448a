#!/bin/sh
# CPU use and memory of the console with all eight views open on the simulated receiver, under
# a virtual X server (apt-get install xvfb xdotool). Builds first; takes about 75 s.
# Usage: scripts/measure-console.sh [SECONDS]
set -e
cd "$(dirname "$0")/.."
seconds="${1:-60}"
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "measure-console: $tool is missing (apt-get install xvfb xdotool)" >&2; exit 1; }
done
cmake --preset release >/dev/null
cmake --build --preset release --target kestrion-demo kestrion-cli >/dev/null
build=build/release
work=$(mktemp -d)
display=:$((90 + $$ % 9))
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
"$build/src/cli/kestrion-cli" simulate --link "$work/receiver" >/dev/null &
simulator=$!
demo=""
trap 'kill $demo $simulator $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM

# The console reads its settings beside its executable: run a copy from the scratch folder.
cp "$build/src/gui/kestrion-demo" "$work/"
ini="$work/kestrion-demo.ini"
printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n' "$work/receiver" >"$ini"
printf 'MeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n[Main]\nOpenViews=11111111\n' >>"$ini"
printf '[Map View]\nLat=47.376887\nLon=8.541694\nScale=5.00\nRing 1=100\nRing 2=200\nRing 3=400\n' >>"$ini"
sleep 2
export DISPLAY="$display"
"$work/kestrion-demo" &
demo=$!

# Accept "Data Source Setup", then Action > Open Data Source.
xdotool search --sync --name "^Data Source Setup" windowfocus --sync key Return
sleep 1
xdotool search --name "^Kestrion Demo" windowfocus --sync key alt+a
sleep 0.5
xdotool key d
sleep 5

ticks() { awk '{print $14 + $15}' "/proc/$demo/stat"; }
t0=$(ticks)
sleep "$seconds"
t1=$(ticks)
hz=$(getconf CLK_TCK)
echo "CPU: $((t1 - t0)) ticks of $hz per second over $seconds s = $(echo "scale=2; 100 * ($t1 - $t0) / ($hz * $seconds)" | bc) % of a core"
grep -E "VmHWM|VmRSS" "/proc/$demo/status"
