#!/bin/sh
# Whole-process timing of the GIF to BMX conversion: korvane-cli gif2bmx beside
# ImageMagick and a gifsicle + netpbm pipeline doing the same job, on a
# phone-size 4-frame 100 x 64 animation and on a 100-frame 640 x 480 one:
# - the defaults: frames 0 to 3 one under the other, pure white kept white
#   and every other colour black, written as a 1-bit BMP;
# - "choices" on the big file: four frames spread through the animation, each
#   fitted into 101 x 64 on white, Floyd-Steinberg dithered
#   (--frames spread --size 101x64 --fit fit --mono floyd).
# hyperfine runs every command many times; the script prints each median and
# how many times longer each peer takes than we do.
# Every program is identified by its version output; one that does not say
# what it is counts as absent and is skipped, saying why.
#
#   bench/gif2bmx-process-bench.sh [RUNS]    (RUNS for the phone-size file, default 300)
set -eu
. "$(dirname "$0")/process-bench-setup.sh"
runs="${1:-300}"

identified hyperfine hyperfine hyperfine --version || exit 1
# Debian's own binary: another "convert" may come first in PATH.
magick=convert-im6.q16
have_magick=no
identified ImageMagick ImageMagick "$magick" -version && have_magick=yes
have_netpbm=no
identified gifsicle Gifsicle gifsicle --version && identified netpbm Netpbm giftopnm --version && have_netpbm=yes
if [ "$have_magick" = no ]; then
  echo "ImageMagick makes the input animations; without it there is nothing to time" >&2
  exit 1
fi

# The inputs: a black-and-white phone animation (a dithered gradient with a
# moving disc) and a 64-colour 640 x 480 animation of 100 frames.
make_phone_gif() {
  set --
  for x in 20 45 70 90; do
    set -- "$@" '(' -size 100x64 gradient: -fill black -draw "circle $x,32 $x,12" ')'
  done
  "$magick" -delay 10 "$@" -monochrome -loop 0 "$work/phone.gif"
}
make_big_gif() {
  set --
  for i in $(seq 0 99); do
    set -- "$@" '(' -size 640x480 gradient:navy-orange -fill white -draw "circle $((i * 6)),240 $((i * 6)),140" ')'
  done
  "$magick" -delay 10 "$@" +dither -colors 64 -loop 0 "$work/big.gif"
}
make_phone_gif
make_big_gif

cat >"$work/gifsicle-netpbm-choices.sh" <<'PIPE'
#!/bin/sh
# Frames 0, 25, 50 and 75 as whole screens, each fitted into 101 x 64 on
# white and dithered, stacked, as a 1-bit BMP.
set -e
d="$(mktemp -d)"
gifsicle --unoptimize --explode "$1" '#0' '#25' '#50' '#75' -o "$d/f"
for i in 000 025 050 075; do
  giftopnm "$d/f.$i" | pamscale -xyfit 101 64 | pnmpad -white -width 101 -height 64 -halign 0.5 -valign 0.5 |
    ppmtopgm | pamditherbw -floyd >"$d/$i.pam"
done
pamcat -topbottom "$d/000.pam" "$d/025.pam" "$d/050.pam" "$d/075.pam" | pamtopnm | ppmtobmp >"$2" 2>/dev/null
rm -r "$d"
PIPE

# median NAME RUNS COMMAND: the median in milliseconds of the command's runs.
median() {
  hyperfine -N --style none --warmup 5 --runs "$2" --export-csv "$work/$1.csv" "$3" >/dev/null 2>&1
  awk -F, 'NR == 2 { printf "%.3f", $4 * 1000 }' "$work/$1.csv"
}

# same_pixels FILE: whether the file's pixel rows are ours (headers may differ).
same_pixels() {
  tail -c +63 "$1" >"$work/theirs.rows" 2>/dev/null || true
  if cmp -s "$work/theirs.rows" "$work/ours.rows"; then echo "same pixels"; else echo "pixels differ"; fi
}

status=0
choices="--frames spread --size 101x64 --fit fit --mono floyd"
for input in phone big choices; do
  n="$runs"
  [ "$input" != phone ] && n=$((runs / 10 > 10 ? runs / 10 : 10))
  gif="$work/$input.gif"
  options=""
  magick_job="$gif[0-3] -coalesce -append -fill black +opaque white -type bilevel"
  pipeline="$PWD/bench/peer-gif2bmx.sh"
  if [ "$input" = choices ]; then
    gif="$work/big.gif"
    options="$choices"
    magick_job="$gif -coalesce ( -clone 0 -clone 25 -clone 50 -clone 75 ) -delete 0-99 -resize 101x64
      -background white -gravity center -extent 101x64 -dither FloydSteinberg -monochrome -append"
    pipeline="$work/gifsicle-netpbm-choices.sh"
  fi
  ours="$(median "$input-korvane" "$n" "$cli gif2bmx $options $gif $work/$input-korvane.bmx")"
  printf '%-7s %-18s %10s ms\n' "$input" "korvane-cli" "$ours"
  tail -c +63 "$work/$input-korvane.bmx" >"$work/ours.rows"
  fastest=""
  if [ "$have_magick" = yes ]; then
    # shellcheck disable=SC2086 # the job is words on purpose
    theirs="$(median "$input-magick" "$n" "$magick $(echo $magick_job) BMP3:$work/$input-magick.bmp")"
    printf '%-7s %-18s %10s ms %8.1fx  %s\n' "$input" "ImageMagick" "$theirs" \
      "$(echo "$theirs $ours" | awk '{ print $1 / $2 }')" "$(same_pixels "$work/$input-magick.bmp")"
    fastest="$theirs"
  fi
  if [ "$have_netpbm" = yes ]; then
    theirs="$(median "$input-netpbm" "$n" "sh $pipeline $gif $work/$input-netpbm.bmp")"
    printf '%-7s %-18s %10s ms %8.1fx  %s\n' "$input" "gifsicle + netpbm" "$theirs" \
      "$(echo "$theirs $ours" | awk '{ print $1 / $2 }')" "$(same_pixels "$work/$input-netpbm.bmp")"
    if [ -z "$fastest" ] || [ "$(echo "$theirs $fastest" | awk '{ print ($1 < $2) }')" = 1 ]; then fastest="$theirs"; fi
  fi
  if [ "$input" = phone ]; then
    echo "$ours" | awk '{ exit !($1 <= 3) }' || { echo "target missed: more than 3 ms per phone-size file" >&2; status=1; }
    if [ -n "$fastest" ]; then
      echo "$fastest $ours" | awk '{ exit !($1 / $2 >= 8) }' || { echo "target missed: less than 8x the fastest peer" >&2; status=1; }
    fi
  fi
  if [ "$input" = choices ] && [ -n "$fastest" ]; then
    echo "$fastest $ours" | awk '{ exit !($1 / $2 >= 10) }' || { echo "target missed: choices less than 10x the fastest peer" >&2; status=1; }
  fi
done
exit "$status"
