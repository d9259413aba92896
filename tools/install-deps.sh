#!/bin/sh
# Installs, on Debian 12, whatever the build needs and is missing; with
# --tests, also what only the tests use; with bench, also the peer programs of
# the whole-process benchmarks. dpkg-dev gives cpack the dependencies of the
# Debian package (dpkg-shlibdeps).
set -eu
packages="build-essential cmake git pkg-config qt6-base-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libgif-dev xvfb xauth dpkg-dev"
# Test-only: ImageMagick is the independent oracle of the BMP cross-checks
# (tests/support/ImageOracle.h), so that they run on every machine; Netpbm,
# ImageMagick and gammu cross-check the 1-bit picture files of other phones
# (tests/raster/files); ImageMagick and gifsicle write the GIFs that the
# strip's composition is checked on; the package's tests validate the desktop
# entry, the metainfo and the .bmx type.
test_packages="imagemagick gifsicle netpbm gammu desktop-file-utils appstream shared-mime-info"
case "${1:-}" in
  --tests) packages="$packages $test_packages" ;;
  bench) packages="$packages $test_packages hyperfine" ;;
esac
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
