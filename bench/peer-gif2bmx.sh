#!/bin/sh
# The peers' way of turning a GIF into a BMX strip, with gifsicle and netpbm:
# frames 0 to 3 as whole screens, stacked, pure white kept white and every
# other colour black, written as a 1-bit BMP.
#
#   bench/peer-gif2bmx.sh IN.gif OUT.bmp
set -e
d="$(mktemp -d)"
trap 'rm -rf "$d"' EXIT
gifsicle --unoptimize --explode "$1" '#0-3' -o "$d/f"
for i in 0 1 2 3; do giftopnm "$d/f.00$i" >"$d/$i.ppm"; done
pamcat -topbottom "$d/0.ppm" "$d/1.ppm" "$d/2.ppm" "$d/3.ppm" | ppmtopgm | pgmtopbm -threshold -value 0.999 | ppmtobmp >"$2" 2>/dev/null
