#!/bin/sh
# Installs what is missing, builds the optimised program and starts it.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target korvane
exec build/release/src/app/korvane "$@"
