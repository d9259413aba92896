#!/usr/bin/env python3
"""Makes a folder of varied phone-size animated GIFs for the batch benchmark.

Each file has 4 to 20 frames of 16x16 to 128x128 pixels: black-and-white,
four greys or sixteen colours, with shapes that move over a plain or striped
background. About a third are optimised by gifsicle -O2 (frames cropped to
what changed, transparency), the rest keep whole frames. The same seed gives
the same files. Python's standard library draws the frames; ImageMagick
writes them as GIF.

    bench/make-batch-gifs.py FOLDER [--count 2000] [--seed 1]
"""
import argparse
import concurrent.futures
import os
import random
import shutil
import subprocess
import sys

PALETTES = {
    "mono": [(0, 0, 0), (255, 255, 255)],
    "grey": [(0, 0, 0), (85, 85, 85), (170, 170, 170), (255, 255, 255)],
    "colour": [(r, g, b) for r in (0, 255) for g in (0, 128, 255) for b in (0, 255)]
    + [(128, 0, 0), (0, 0, 128), (128, 128, 0), (64, 64, 64)],
}


def identified(program, argument, mark):
    """The program when its version output carries the mark; None otherwise."""
    path = shutil.which(program)
    if path is None:
        return None
    run = subprocess.run([path, argument], capture_output=True, text=True, check=False)
    return path if mark in run.stdout + run.stderr else None


class Frame:
    """An RGB picture drawn a row span at a time."""

    def __init__(self, width, height, background, stripe=None):
        self.width, self.height = width, height
        self.pixels = bytearray(bytes(background) * (width * height))
        if stripe is not None:
            for y in range(0, height, 4):
                self.span(y, 0, width, stripe)

    def span(self, y, x0, x1, colour):
        x0, x1 = max(x0, 0), min(x1, self.width)
        if 0 <= y < self.height and x0 < x1:
            start = 3 * (y * self.width + x0)
            self.pixels[start : start + 3 * (x1 - x0)] = bytes(colour) * (x1 - x0)

    def box(self, x, y, w, h, colour):
        for row in range(y, y + h):
            self.span(row, x, x + w, colour)

    def disc(self, cx, cy, r, colour):
        for row in range(cy - r, cy + r + 1):
            half = int((r * r - (row - cy) ** 2) ** 0.5)
            self.span(row, cx - half, cx + half + 1, colour)

    def ppm(self):
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + bytes(self.pixels)


def frames_of(rng):
    """The frames of one animation as concatenated PPM pictures."""
    width, height = rng.randint(16, 128), rng.randint(16, 128)
    palette = PALETTES[rng.choice(["mono", "mono", "grey", "colour"])]
    background = palette[-1] if rng.random() < 0.7 else rng.choice(palette)
    stripe = rng.choice(palette) if rng.random() < 0.3 else None
    # Every frame differs from the one before (the first shape always moves
    # and no shape has the background's colour), so optimising keeps them all.
    shapes = []
    for n in range(rng.randint(1, 5)):
        shapes.append(
            {
                "kind": rng.choice(["box", "disc"]),
                "x": rng.randint(0, width),
                "y": rng.randint(0, height),
                "size": rng.randint(2, max(3, min(width, height) // 2)),
                "dx": rng.choice([-6, -4, -3, -2, -1, 1, 2, 3, 4, 6]) if n == 0 else rng.randint(-6, 6),
                "dy": rng.randint(-6, 6),
                "colour": rng.choice([c for c in palette if c != background]),
            }
        )
    out = bytearray()
    for k in range(rng.randint(4, 20)):
        frame = Frame(width, height, background, stripe)
        for s in shapes:
            x, y = (s["x"] + k * s["dx"]) % width, (s["y"] + k * s["dy"]) % height
            if s["kind"] == "box":
                frame.box(x, y, s["size"], s["size"], s["colour"])
            else:
                frame.disc(x, y, s["size"] // 2, s["colour"])
        out += frame.ppm()
    return bytes(out)


def make_one(magick, gifsicle, folder, seed, index):
    rng = random.Random(seed * 1_000_003 + index)
    name = os.path.join(folder, "anim-%04d.gif" % index)
    delay = str(rng.choice([10, 20, 30, 50]))
    subprocess.run([magick, "-delay", delay, "ppm:-", "+dither", "+map", "-loop", "0", name],
                   input=frames_of(rng), check=True)
    if gifsicle is not None and rng.random() < 0.35:
        subprocess.run([gifsicle, "-O2", "--batch", name], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    # Debian's own binary: another "convert" may come first in PATH.
    magick = identified("convert-im6.q16", "-version", "ImageMagick")
    gifsicle = identified("gifsicle", "--version", "Gifsicle")
    if magick is None or gifsicle is None:
        sys.exit("make-batch-gifs: needs ImageMagick (convert-im6.q16) and gifsicle")
    os.makedirs(args.folder, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        jobs = [pool.submit(make_one, magick, gifsicle, args.folder, args.seed, i) for i in range(args.count)]
        for job in jobs:
            job.result()


if __name__ == "__main__":
    main()
