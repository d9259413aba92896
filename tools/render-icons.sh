#!/bin/sh
# Renders the program's icon, data/icons/korvane.svg, into the PNG sizes of the
# hicolor theme under data/icons/hicolor/. The PNGs are committed; run this
# again after changing the SVG, and review the pictures before committing.
set -eu
cd "$(dirname "$0")/.."
if ! rsvg-convert --version 2>/dev/null | grep -q "rsvg-convert"; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends librsvg2-bin
fi
for size in 16 22 24 32 48 64 128 256; do
  folder="data/icons/hicolor/${size}x${size}/apps"
  mkdir -p "$folder"
  rsvg-convert --width "$size" --height "$size" --format png --output "$folder/korvane.png" data/icons/korvane.svg
done
