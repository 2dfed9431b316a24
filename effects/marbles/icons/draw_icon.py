#!/usr/bin/env python3
"""Draws the marbles dialog's icon (resource 102): three glass marbles, each shaded the way
the transition shades its marbles (the colour pulled towards white where the surface faces
a light at the upper left, darkened on the far side), with a soft one-pixel rim.

Rendered with 4 x 4 supersampling at 32 x 32 and 16 x 16, 32 bits a pixel with alpha.
Writes marbles_icon_102.ico next to the module's .rc file.

Run: python3 effects/marbles/icons/draw_icon.py
"""
import math
import os
import struct

SUPERSAMPLE = 4
LIGHT = (-1.0, -1.0, 1.2)  # x right, y down, z towards the viewer
# (centre x, centre y, radius) in unit coordinates and colour (red, green, blue).
MARBLES = [
    ((0.33, 0.62, 0.27), (230, 90, 40)),
    ((0.70, 0.64, 0.25), (70, 120, 220)),
    ((0.50, 0.30, 0.24), (240, 200, 60)),
]


def normalised(v):
    n = math.sqrt(sum(c * c for c in v))
    return tuple(c / n for c in v)


def shade(colour, nx, ny, nz):
    lx, ly, lz = normalised(LIGHT)
    q = nx * lx + ny * ly + nz * lz
    if q >= 0:
        v = q ** 3
        return tuple(c * (1 - v) + 255 * v for c in colour)
    v = (-q) ** 3
    return tuple(c * (1 - v) for c in colour)


def sample(x, y):
    """Colour and coverage at unit point (x, y): the last marble drawn that covers it."""
    hit = None
    for (cx, cy, r), colour in MARBLES:
        dx, dy = (x - cx) / r, (y - cy) / r
        rho2 = dx * dx + dy * dy
        if rho2 < 1:
            hit = shade(colour, dx, dy, math.sqrt(1 - rho2))
    return hit


def render(size):
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            total = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (col + (sx + 0.5) / SUPERSAMPLE) / size
                    y = (row + (sy + 0.5) / SUPERSAMPLE) / size
                    c = sample(x, y)
                    if c is not None:
                        covered += 1
                        for k in range(3):
                            total[k] += c[k]
            alpha = covered / (SUPERSAMPLE * SUPERSAMPLE)
            if covered:
                rgb = tuple(int(round(t / covered)) for t in total)
            else:
                rgb = (0, 0, 0)
            line.append((rgb, int(round(alpha * 255))))
        pixels.append(line)
    return pixels


def dib(size):
    """BITMAPINFOHEADER, 32-bit pixels bottom row first, then the AND mask."""
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b""
    for line in reversed(pixels):
        for (r, g, b), a in line:
            colour += bytes((b, g, r, a))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = b""
    for line in reversed(pixels):
        row = bytearray(mask_row_bytes)
        for col, (_, a) in enumerate(line):
            if a == 0:
                row[col // 8] |= 0x80 >> (col % 8)
        mask += bytes(row)
    return header + colour + mask


def main():
    images = [dib(32), dib(16)]
    sizes = [32, 16]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "..", "marbles_icon_102.ico"), "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
