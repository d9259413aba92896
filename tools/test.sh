#!/bin/sh
# Installs what is missing (the test-only packages too), builds everything
# under AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh --tests
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
