#!/bin/bash
# Runs the test suite several times while two busy loops keep both cores of
# the machine loaded, so that a test that leans on timing fails or hangs here
# and not on a busy machine elsewhere. Every test has a timeout, so a hang is
# reported as that test's failure and the run goes on. Prints pass or fail
# for each run, with the tests that failed, and exits with status 1 when any
# run failed.
#
# Usage: tools/load-check.sh [--runs N] [--preset asan|release] [--timeout SECONDS]
#                            [--jobs J] [-- CTEST-ARGUMENTS...]
#   --runs     how many runs of the suite (5)
#   --preset   which build is tested (asan); it is configured and built first
#   --timeout  seconds each test may take before it counts as hung (300)
#   --jobs     tests run side by side (2)
# Arguments after -- go to ctest, for example -R 'Editor|FileDialogs' to run
# only some tests. The load is `stress-ng --cpu 2` when stress-ng is
# installed, else two shell loops; it ends with the script.
set -eu
cd "$(dirname "$0")/.."

runs=5
preset=asan
timeout=300
jobs=2
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --preset) preset="$2"; shift 2 ;;
    --timeout) timeout="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    --) shift; break ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" >/dev/null

load_pids=()
stop_load() {
  for pid in "${load_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${load_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop_load EXIT
trap 'exit 130' INT TERM
if command -v stress-ng >/dev/null; then
  stress-ng --cpu 2 --quiet &
  load_pids+=($!)
  load="stress-ng --cpu 2"
else
  for _ in 1 2; do
    sh -c 'while :; do :; done' &
    load_pids+=($!)
  done
  load="two busy shell loops"
fi

logs=$(mktemp -d "${TMPDIR:-/tmp}/korvane-load-check.XXXXXX")
echo "Load: $load. Logs: $logs"
failed_runs=0
for run in $(seq 1 "$runs"); do
  log="$logs/run-$run.log"
  start=$(date +%s)
  if ctest --preset "$preset" --timeout "$timeout" -j "$jobs" "$@" >"$log" 2>&1; then
    result=pass
  else
    result=fail
    failed_runs=$((failed_runs + 1))
  fi
  summary=$(grep -E '^[0-9]+% tests passed' "$log" || echo "no summary")
  echo "run $run of $runs: $result ($summary, $(($(date +%s) - start)) s)"
  if [ "$result" = fail ]; then
    sed -n '/The following tests FAILED/,$p' "$log" | grep -E '^[[:space:]]+[0-9]+ - ' || true
  fi
done

echo "$((runs - failed_runs)) of $runs runs passed under load"
[ "$failed_runs" -eq 0 ]
