#!/bin/sh
# Takes PNG screenshots of the Converter window and the Logo editor under a
# virtual X display (Xvfb) into docs/: docs/converter.png and docs/editor.png.
# The build folder is build/release unless KORVANE_BUILD_DIR names another
# configured one.
set -eu
cd "$(dirname "$0")/.."
build="${KORVANE_BUILD_DIR:-build/release}"
if [ "$build" = build/release ]; then
  tools/install-deps.sh
  cmake --preset release >/dev/null
fi
cmake --build "$build" --target korvane-screenshots -j2
mkdir -p docs
export XDG_RUNTIME_DIR="$(mktemp -d)"
# Only read by sanitizer builds.
export LSAN_OPTIONS="suppressions=$(pwd)/tools/screenshot/lsan.supp"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tools/screenshot/korvane-screenshots" docs
echo "Wrote docs/converter.png and docs/editor.png"
