#!/usr/bin/env python3
"""File sizes of the GIFs korvane-cli bmx2gif makes of phone strips, beside
what gifsicle -O3 makes of the default GIF.

For each strip: the default GIF (the 216-colour cube on every frame, frames
whole), --palette compact, --palette compact --optimise, and gifsicle -O3 of
the default GIF. The target: compact + optimise is no larger than gifsicle's
on every strip. gifsicle is identified by its version output; without it the
last column is left out and the target is not judged.

The strips: those of tests/data/strip, and pictures drawn here at the Logo
editor's sizes (101 x 64 screen saver, 101 x 46 logo, 72 x 32 and 16 x 16
EMS pictures): a walking figure, a bouncing ball, a clock whose hands move
on a fixed face, a scrolling banner.

    apt-get install --no-install-recommends gifsicle

usage: bench/gif_out_sizes.py [path/to/korvane-cli]
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data", "strip")


def write_strip(path, width, height, black):
    """A 1-bit BMP strip of four frames of width x height; black(k, x, y) says which pixels are black."""
    strip_height = 4 * height
    row_bytes = ((width + 31) // 32) * 4
    rows = bytearray()
    for sy in range(strip_height - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(width):
            if not black(sy // height, x, sy % height):
                row[x >> 3] |= 0x80 >> (x & 7)
        rows += row
    table = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, strip_height, 1, 1, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + table + rows)


def walker(k, x, y):
    """A stick figure stepping to the right on a ground line, 101 x 46."""
    cx, top = 20 + 12 * k, 8
    if y == 40 or (abs(x - cx) ** 2 + (y - top - 4) ** 2 <= 16 and abs(x - cx) ** 2 + (y - top - 4) ** 2 >= 6):
        return True
    if x == cx and top + 8 <= y <= top + 20:
        return True
    swing = (2 - k) * 3 if k % 2 == 0 else (k - 2) * 3
    for sign in (-1, 1):
        # arms and legs as lines from the body
        if top + 10 <= y <= top + 16 and x == cx + sign * (y - top - 10) * (1 + abs(swing) // 6):
            return True
        if top + 20 <= y <= 39 and x == cx + sign * ((y - top - 20) * (4 + sign * swing) // 10):
            return True
    return False


def ball(k, x, y):
    """A ball bouncing in a framed 101 x 64 screen saver."""
    if x in (0, 100) or y in (0, 63):
        return True
    bx, by = 15 + 22 * k, 50 - [0, 30, 38, 30][k]
    d = (x - bx) ** 2 + (y - by) ** 2
    return d <= 64


def clock(k, x, y):
    """A clock face with moving hands, 72 x 32."""
    d = math.hypot(x - 36, y - 15.5)
    if 13.5 <= d <= 14.5:
        return True
    for angle, length in ((k * math.pi / 2, 11), (k * math.pi / 8, 7)):
        ux, uy = math.sin(angle), -math.cos(angle)
        t = (x - 36) * ux + (y - 15.5) * uy
        if 0 <= t <= length and abs((x - 36) * uy - (y - 15.5) * ux) < 0.7:
            return True
    return x < 6 and (y + 3 * k) % 8 < 3


def banner(k, x, y):
    """A checker pattern scrolling one column a frame, 16 x 16."""
    return ((x + k) // 3 + y // 3) % 2 == 0 and 2 <= y <= 13


def make_strips(folder):
    strips = []
    for name in ("phone-101x64.bmx", "ems-16x16-6frames.bmx", "colour-72x32.bmx", "ball-optimised.as-stored.bmx"):
        strips.append((name, os.path.join(DATA, name)))
    for name, size, black in (("ball-101x64", (101, 64), ball), ("walker-101x46", (101, 46), walker),
                              ("clock-72x32", (72, 32), clock), ("banner-16x16", (16, 16), banner)):
        path = os.path.join(folder, name + ".bmx")
        write_strip(path, size[0], size[1], black)
        strips.append((name, path))
    return strips


def gifsicle():
    path = shutil.which("gifsicle")
    if not path:
        return None
    version = subprocess.run([path, "--version"], capture_output=True, text=True).stdout
    return path if version.startswith("LCDF Gifsicle") else None


def size_of(cli, strip, out, options):
    subprocess.run([cli, "bmx2gif", *options, strip, out], check=True)
    return os.path.getsize(out)


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "release", "tools", "korvane-cli")
    peer = gifsicle()
    met = True
    with tempfile.TemporaryDirectory() as folder:
        print("| strip | default | compact | compact + optimise | gifsicle -O3 of default |")
        print("|---|---:|---:|---:|---:|")
        for name, strip in make_strips(folder):
            out = os.path.join(folder, "out.gif")
            default = size_of(cli, strip, out, [])
            gifsicled = ""
            if peer:
                squeezed = os.path.join(folder, "squeezed.gif")
                subprocess.run([peer, "-O3", out, "-o", squeezed], check=True)
                gifsicled = os.path.getsize(squeezed)
            compact = size_of(cli, strip, out, ["--palette", "compact"])
            optimised = size_of(cli, strip, out, ["--palette", "compact", "--optimise"])
            if peer and optimised > gifsicled:
                met = False
            print(f"| {name} | {default} | {compact} | {optimised} | {gifsicled} |")
    if peer:
        print("target (compact + optimise no larger than gifsicle -O3):", "met" if met else "MISSED")
    else:
        print("gifsicle is missing: the target is not judged")


if __name__ == "__main__":
    main()
