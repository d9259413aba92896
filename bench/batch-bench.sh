#!/bin/sh
# Batch conversion of a folder of phone-size GIFs to BMX strips, timed as
# whole runs by hyperfine, three ways:
#   - korvane-cli gif2bmx -o DIR with every file in one process;
#   - a shell loop starting one korvane-cli gif2bmx per file;
#   - xargs -P2 running the gifsicle + netpbm pipeline (bench/peer-gif2bmx.sh)
#     on each file.
# It prints each way's mean time, files per second, and how many times longer
# the loop and the peers take than the batch. The folder is made by
# bench/make-batch-gifs.py (2,000 files) unless it exists already.
#
#   bench/batch-bench.sh [FOLDER] [RUNS]   (defaults: build/batch-gifs, 3 runs; the peers run once)
set -eu
. "$(dirname "$0")/process-bench-setup.sh"
folder="${1:-build/batch-gifs}"
runs="${2:-3}"
identified hyperfine hyperfine hyperfine --version || exit 1
have_peers=no
identified gifsicle Gifsicle gifsicle --version && identified netpbm Netpbm giftopnm --version && have_peers=yes

[ -d "$folder" ] || python3 bench/make-batch-gifs.py "$folder"
folder="$(cd "$folder" && pwd)"
files=$(find "$folder" -maxdepth 1 -name '*.gif' | wc -l)
echo "$files GIFs in $folder"

# mean NAME RUNS COMMAND: the mean in seconds of the command's runs, each
# starting with an empty output folder.
mean() {
  hyperfine --style none --ignore-failure --runs "$2" --prepare "rm -rf $work/out && mkdir $work/out" \
    --export-csv "$work/$1.csv" "$3" >/dev/null 2>&1
  awk -F, 'NR == 2 { printf "%.3f", $2 }' "$work/$1.csv"
}
# report WAY SECONDS [BASE]: files per second, and the ratio to BASE seconds.
report() {
  printf '%-28s %9s s %10s files/s' "$1" "$2" "$(echo "$files $2" | awk '{ printf "%.1f", $1 / $2 }')"
  [ -n "${3:-}" ] && printf ' %8.1fx the batch' "$(echo "$2 $3" | awk '{ print $1 / $2 }')"
  printf '\n'
}

batch=""
mkdir -p "$work/out"
if "$cli" gif2bmx -o "$work/out" "$(find "$folder" -maxdepth 1 -name '*.gif' | head -n 1)" >/dev/null 2>&1; then
  batch="$(mean batch "$runs" "$cli gif2bmx -o $work/out $folder/*.gif")"
  report "korvane-cli -o (one process)" "$batch"
else
  echo "skipped: korvane-cli gif2bmx does not take -o DIR yet" >&2
fi

cat >"$work/loop.sh" <<LOOP
for f in "$folder"/*.gif; do
  name="\${f##*/}"
  "$cli" gif2bmx "\$f" "$work/out/\${name%.gif}.bmx" || true
done
LOOP
loop="$(mean loop "$runs" "sh $work/loop.sh")"
report "korvane-cli per file" "$loop" "$batch"

if [ "$have_peers" = yes ]; then
  cat >"$work/peer.sh" <<PEER
name="\${1##*/}"
sh "$PWD/bench/peer-gif2bmx.sh" "\$1" "$work/out/\${name%.gif}.bmp"
PEER
  peers="$(mean peers 1 "find $folder -maxdepth 1 -name '*.gif' -print0 | xargs -0 -P2 -n1 sh $work/peer.sh")"
  report "gifsicle + netpbm, xargs -P2" "$peers" "$batch"
fi
