#!/bin/sh
# Installs, on Debian 12, whatever the build and the tests need and is missing;
# with the word "bench", also the peer programs of the whole-process benchmark.
set -eu
packages="build-essential cmake git pkg-config qt6-base-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libgif-dev xvfb xauth"
[ "${1:-}" = bench ] && packages="$packages hyperfine imagemagick gifsicle netpbm"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing:$missing"
$sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends $missing
