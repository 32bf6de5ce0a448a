#!/bin/sh
# Installs what is needed, builds, and starts the console on a simulated receiver: the
# simulator talks on a pseudo-terminal for as long as the console runs. Without a display the
# same receiver is shown headless, its log lines on the terminal.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kestrion-demo kestrion-cli
build=build/release
cli="$build/src/cli/kestrion-cli"
demo="$build/src/gui/kestrion-demo"

runtime="${XDG_RUNTIME_DIR:-/tmp}/kestrion-demo-$(id -u)"
mkdir -p "$runtime"
receiver="$runtime/receiver"
"$cli" simulate --link "$receiver" >/dev/null &
simulator=$!
trap 'kill $simulator 2>/dev/null || true' EXIT INT TERM
for attempt in $(seq 50); do
    [ -e "$receiver" ] && break
    sleep 0.1
done

# The console's settings live beside it; a first start points them at the simulator, puts the
# map's origin where the simulated receiver starts (its drive stays within 500 m of it) and
# opens all eight views.
ini="$build/src/gui/kestrion-demo.ini"
if [ ! -e "$ini" ]; then
    printf '[Data Sources]\nDataSource=1\nMeasSource=1\nMeasSerialPort=%s\nMeasSerialBaud=38400\n' "$receiver" >"$ini"
    printf 'MeasSerialDBits=8\nMeasSerialParity=NONE\nMeasSerialSBits=1\n[Main]\nOpenViews=11111111\n' >>"$ini"
    printf '[Map View]\nLat=47.376887\nLon=8.541694\nScale=5.00\nRing 1=100\nRing 2=200\nRing 3=400\n' >>"$ini"
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$demo"
else
    echo "No display: the simulated receiver's log for 30 s (kestrion-cli run), then the end." >&2
    "$cli" run --ini "$ini" --seconds 30 --log /dev/stdout
fi
