#!/bin/sh
# Installs what is needed, builds, and runs the main job: the bundled recording decoded into
# the text the log would receive.
set -e
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kestrion-cli
build/release/src/cli/kestrion-cli decode samples/receiver-38400.bin
