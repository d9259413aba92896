# Shared set-up of the whole-process benchmarks, sourced by them: installs the
# peers, builds korvane-cli optimised (in $cli), makes a scratch folder ($work)
# that goes at exit, and defines `identified`.
cd "$(dirname "$0")/.."
tools/install-deps.sh bench
cmake --preset release >/dev/null
cmake --build --preset release --target korvane-cli >/dev/null
cli="$PWD/build/release/tools/korvane-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# identified NAME WORD COMMAND...: true when the command's version output has WORD.
identified() {
  name="$1"
  word="$2"
  shift 2
  if "$@" 2>&1 | grep -q "$word"; then return 0; fi
  echo "skipped: $name ($*) does not identify itself as $word" >&2
  return 1
}
