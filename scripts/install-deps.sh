#!/bin/sh
# Installs the Debian packages the build and the tests need (as root; skipped when present).
set -e
packages="g++ dpkg-dev cmake ninja-build ccache clang libclang-rt-14-dev qt6-base-dev libqt6svg6 libgtest-dev libgmock-dev libbenchmark-dev"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q $missing
fi
