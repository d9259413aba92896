#!/usr/bin/env python3
"""Times the readers on the small hostile files that once cost what they
declared rather than what they hold (tests/data/*/fuzz-*), as whole
processes: wall time (median of the runs) and peak resident memory per file
and command.

    bench/fuzz_findings_bench.py [--runs N] [--build build/release]
                                 [--fuzz-build build/fuzz]

Commands: for each GIF `korvane-cli gif2bmx` (with the default choices; its
memory is also given above the size of the 1-bit strip it writes) and
`rewrite`, with --render also `render` (which prints every declared pixel,
so it takes as long as the text it prints); for each BMP `mono-bmp`. With --fuzz-build, each
file is also run once through its fuzz targets (libFuzzer runs the files it
is given and stops). The figures are the machine's and its load's: they are
reported, not judged, so a loaded machine shows as such.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "tests" / "data"
GIF_COMMANDS = ("gif2bmx", "rewrite")
GIF_FUZZ_TARGETS = ("fuzz_gif_load", "fuzz_gif_round_trip")
BMP_FUZZ_TARGETS = ("bmp_reader_fuzzer",)


def run_once(argv, env=None):
    """Runs argv with its output thrown away; gives (seconds, peak KiB, status)."""
    start = time.monotonic()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    return time.monotonic() - start, usage.ru_maxrss, process.returncode


def measure(argv, runs, env=None):
    results = [run_once(argv, env) for _ in range(runs)]
    seconds = statistics.median(r[0] for r in results)
    peak_kib = max(r[1] for r in results)
    return seconds, peak_kib, results[-1][2]


def findings(kind):
    return sorted((DATA / kind).glob("fuzz-*." + kind))


def report(name, command, seconds, peak_kib, status, extra=""):
    print(f"{name:40} {command:22} {seconds * 1000:9.0f} ms {peak_kib / 1024:8.1f} MiB  exit {status}{extra}")


def bench_cli(cli, runs, scratch, commands):
    # What the process takes for nothing: the smallest picture there is.
    tiny = scratch / "tiny.bmp"
    tiny.write_bytes(bytes.fromhex("424d3e000000000000003e00000028000000010000000100000001000100000000000400000000000000"
                                   "0000000000000000000000000000ffffff0080000000"))
    _, base_kib, _ = measure([cli, "mono-bmp", str(tiny), str(scratch / "tiny-out.bmp")], runs)
    print(f"{'(a 1 x 1 picture)':40} {'mono-bmp':22} {'':12} {base_kib / 1024:8.1f} MiB")
    for gif in findings("gif"):
        for command in commands:
            out = scratch / ("out.bmx" if command == "gif2bmx" else "out.gif")
            argv = [cli, command, str(gif)] + ([str(out)] if command != "render" else [])
            seconds, peak_kib, status = measure(argv, runs)
            extra = ""
            if command == "gif2bmx" and status == 0:
                strip_mib = out.stat().st_size / 2**20
                above = (peak_kib - base_kib) / 1024 - strip_mib
                extra = f"  strip {strip_mib:.1f} MiB, {above:.1f} MiB above it"
            report(gif.name, command, seconds, peak_kib, status, extra)
    for bmp in findings("bmp"):
        seconds, peak_kib, status = measure([cli, "mono-bmp", str(bmp), str(scratch / "out.bmp")], runs)
        report(bmp.name, "mono-bmp", seconds, peak_kib, status)


def bench_fuzz_targets(fuzz_dir, runs):
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    for kind, targets in (("gif", GIF_FUZZ_TARGETS), ("bmp", BMP_FUZZ_TARGETS)):
        for target in targets:
            binary = fuzz_dir / "tests" / "fuzz" / target
            if not binary.exists():
                print(f"({binary} is not built)")
                continue
            for finding in findings(kind):
                seconds, peak_kib, status = measure([str(binary), "-rss_limit_mb=4096", str(finding)], runs, env)
                report(finding.name, target, seconds, peak_kib, status)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--build", type=Path, default=ROOT / "build" / "release")
    parser.add_argument("--fuzz-build", type=Path)
    parser.add_argument("--render", action="store_true")
    args = parser.parse_args()
    cli = args.build / "tools" / "korvane-cli"
    if not cli.exists():
        sys.exit(f"{cli} is not built: cmake --preset release && cmake --build --preset release --target korvane-cli")
    print(f"median of {args.runs} runs; peak resident memory is the largest of them")
    with tempfile.TemporaryDirectory() as scratch:
        bench_cli(str(cli), args.runs, Path(scratch), GIF_COMMANDS + (("render",) if args.render else ()))
    if args.fuzz_build:
        bench_fuzz_targets(args.fuzz_build, args.runs)


if __name__ == "__main__":
    main()
