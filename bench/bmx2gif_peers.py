#!/usr/bin/env python3
"""Whole-process timing of korvane-cli bmx2gif beside ImageMagick and netpbm +
gifsicle doing the same job: a BMP strip cut into four frames of a quarter of
its height, each mapped to the 216-colour cube without dithering, written as a
GIF that loops forever with a delay of 30 hundredths per frame.

Inputs: a 101 x 256 1-bit phone strip and a 1024 x 4096 24-bit picture, made
here. Each pipeline runs as whole processes many times; the median counts.
Every peer is identified by its version output; a peer that is missing or
says something else is reported as absent and skipped.

The peers on Debian 12:
  apt-get install --no-install-recommends imagemagick netpbm gifsicle

usage: bench/bmx2gif_peers.py [path/to/korvane-cli] [phone runs] [24-bit runs]
(the peers take seconds to a minute per run on the 24-bit strip, hence
fewer runs there by default)
"""
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

TARGET_RATIO = 4.0      # peers' fastest time / ours on the 24-bit strip
TARGET_PHONE_MS = 3.0   # ours on the phone strip


def write_bmp(path, width, height, bits, pixel):
    """A bottom-up BMP of 1 bit (pixel gives 0 or 1, black then white) or 24 bits (pixel gives r, g, b)."""
    row_bytes = ((width * bits + 31) // 32) * 4
    table = b"\x00\x00\x00\x00\xff\xff\xff\x00" if bits == 1 else b""
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(width):
            if bits == 1:
                if pixel(x, y):
                    row[x >> 3] |= 0x80 >> (x & 7)
            else:
                r, g, b = pixel(x, y)
                row[3 * x:3 * x + 3] = bytes((b, g, r))
        rows += row
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + rows)


def make_inputs(folder):
    phone = os.path.join(folder, "phone.bmp")
    write_bmp(phone, 101, 256, 1, lambda x, y: not (x == y % 64 + 10 * (y // 64) or (x + y) % 17 == 0))
    big = os.path.join(folder, "big.bmp")
    rnd = random.Random(1)
    noise = [rnd.randrange(-24, 24) for _ in range(4096)]
    write_bmp(big, 1024, 4096, 24, lambda x, y: (
        max(0, min(255, x // 4 + noise[(x * 7 + y) % 4096])),
        max(0, min(255, (y % 1024) // 4 - noise[(x + y * 3) % 4096])),
        max(0, min(255, (x + y) // 20 + noise[(x * y) % 4096]))))
    return {"phone 101x256 1-bit": (phone, 64), "24-bit 1024x4096": (big, 1024)}


def runs_for(label, phone_runs, big_runs):
    return phone_runs if label.startswith("phone") else big_runs


def version_says(command, words):
    """The program's path when its version output contains all the words."""
    path = shutil.which(command[0]) if not os.path.isabs(command[0]) else command[0]
    if path is None:
        return None
    try:
        done = subprocess.run([path] + command[1:], capture_output=True, text=True, timeout=20)
    except (OSError, subprocess.TimeoutExpired):
        return None
    output = done.stdout + done.stderr
    return path if all(word in output for word in words) else None


def find_imagemagick():
    for name in ("convert-im6.q16", "magick", "convert"):
        path = version_says([name, "-version"], ["ImageMagick"])
        if path:
            return path
    return None


def median_ms(command, runs, check):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        done = subprocess.run(command, capture_output=True)
        times.append((time.perf_counter() - start) * 1000)
        if done.returncode != 0:
            raise RuntimeError(done.stderr.decode(errors="replace").strip() or "exit status %d" % done.returncode)
    check()
    return statistics.median(times)


def frames_in(gif_path, gifsicle):
    if not gifsicle:
        return None
    info = subprocess.run([gifsicle, "--info", gif_path], capture_output=True, text=True).stdout
    return info.count("+ image #")


def main():
    ours = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "build", "release",
                                                                "tools", "korvane-cli")
    phone_runs = int(sys.argv[2]) if len(sys.argv) > 2 else 51
    big_runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    ours = version_says([os.path.abspath(ours)], ["usage: korvane-cli bmx2gif"])
    magick = find_imagemagick()
    netpbm = version_says(["bmptopnm", "--version"], ["Netpbm"])
    gifsicle = version_says(["gifsicle", "--version"], ["Gifsicle"])
    for name, found in (("korvane-cli", ours), ("ImageMagick", magick), ("netpbm", netpbm), ("gifsicle", gifsicle)):
        print("%-12s %s" % (name, found or "absent (missing, or its version output does not name it)"))

    with tempfile.TemporaryDirectory() as folder:
        inputs = make_inputs(folder)
        cube = os.path.join(folder, "cube.pam")
        if netpbm:
            subprocess.run("pamseq -tupletype=RGB 3 5 | pamdepth 255 > '%s'" % cube, shell=True, check=True)
        results = {}
        for label, (source, frame_height) in inputs.items():
            runs = runs_for(label, phone_runs, big_runs)
            out = os.path.join(folder, "out.gif")
            pipelines = {}
            if ours:
                pipelines["korvane-cli bmx2gif"] = [ours, "bmx2gif", source, out]
            if magick:
                pipelines["ImageMagick"] = [magick, source, "-crop", "1x4@", "+repage", "+dither", "-remap",
                                            "netscape:", "-set", "delay", "30", "-loop", "0", out]
            if netpbm and gifsicle:
                cut = "; ".join(
                    "pamcut -top %d -height %d t.ppm | pnmremap -nofloyd -mapfile='%s' 2>/dev/null | pamtogif > f%d.gif"
                    % (k * frame_height, frame_height, cube, k) for k in range(4))
                script = ("cd '%s' && bmptopnm '%s' > t.ppm 2>/dev/null && %s && "
                          "'%s' --delay 30 --loopcount=forever f0.gif f1.gif f2.gif f3.gif > '%s'"
                          % (folder, source, cut, gifsicle, out))
                pipelines["netpbm + gifsicle"] = ["sh", "-c", script]
            print("\n%s, median of %d runs:" % (label, runs))
            for name, command in pipelines.items():
                def check():
                    count = frames_in(out, gifsicle)
                    if count is not None and count != 4:
                        raise RuntimeError("wrote %d frames, not 4" % count)
                try:
                    ms = median_ms(command, runs, check)
                except RuntimeError as failure:
                    print("  %-22s failed: %s" % (name, failure))
                    continue
                results[(label, name)] = ms
                print("  %-22s %9.2f ms" % (name, ms))
            ours_ms = results.get((label, "korvane-cli bmx2gif"))
            peers = [ms for (l, n), ms in results.items() if l == label and n != "korvane-cli bmx2gif"]
            if ours_ms and peers:
                print("  fastest peer / ours:   %9.2f x" % (min(peers) / ours_ms))
        big = results.get(("24-bit 1024x4096", "korvane-cli bmx2gif"))
        peers = [ms for (l, n), ms in results.items() if l == "24-bit 1024x4096" and n != "korvane-cli bmx2gif"]
        phone = results.get(("phone 101x256 1-bit", "korvane-cli bmx2gif"))
        print("\ntargets: 24-bit ratio >= %.0f x: %s; phone strip <= %.0f ms: %s" % (
            TARGET_RATIO, "n/a" if not (big and peers) else ("met" if min(peers) / big >= TARGET_RATIO else "missed"),
            TARGET_PHONE_MS, "n/a" if phone is None else ("met" if phone <= TARGET_PHONE_MS else "missed")))


if __name__ == "__main__":
    main()
