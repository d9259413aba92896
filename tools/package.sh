#!/bin/sh
# Installs what is missing, builds the optimised programs (without the tests
# and benchmarks) and makes the Debian package
# build/package/package/korvane_VERSION_ARCH.deb.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset package >/dev/null
cmake --build --preset package
cd build/package
cpack -G DEB
