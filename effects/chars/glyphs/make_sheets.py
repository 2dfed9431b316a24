#!/usr/bin/env python3
"""Builds the character-map bitmaps from the text grids beside this script.

Each NAME.txt holds one sheet: "sheet ID", "cell W H", then ten blocks "glyph K" of H rows
of W characters ("#" ink, "." paper). The sheet is the ten glyphs stacked top to bottom,
written as NAME.bmp: a 4-bit bitmap with the 16-colour palette, ink as index 15 (white)
and paper as index 0 (black), rows bottom-up as a bitmap file stores them.

Run it after editing a grid and commit the .bmp files with the grids; the test suite
checks that every committed bitmap shows exactly its grid.
"""
import glob
import os
import struct

# The 16-colour palette, (red, green, blue): index 0 black, index 15 white.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INK, PAPER = 15, 0


def read_grid(path):
    cell, glyphs = None, []
    for number, line in enumerate(open(path, encoding='ascii'), 1):
        line = line.rstrip('\n')
        if not line or line.startswith('#'):
            continue
        word = line.split()[0]
        if word == 'sheet':
            continue
        if word == 'cell':
            cell = tuple(int(v) for v in line.split()[1:3])
        elif word == 'glyph':
            glyphs.append([])
        elif glyphs and set(line) <= {'#', '.'}:
            glyphs[-1].append(line)
        else:
            raise SystemExit(f'{path}:{number}: cannot read "{line}"')
    width, height = cell
    if len(glyphs) != 10:
        raise SystemExit(f'{path}: {len(glyphs)} glyphs, expected 10')
    for k, rows in enumerate(glyphs):
        if len(rows) != height or any(len(r) != width for r in rows):
            raise SystemExit(f'{path}: glyph {k} is not {width} x {height}')
    return width, [row for rows in glyphs for row in rows]


def bitmap_bytes(width, rows):
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, c in enumerate(row):
            index = INK if c == '#' else PAPER
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        pixels += line
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, len(rows), 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for path in sorted(glob.glob(os.path.join(here, '*.txt'))):
        width, rows = read_grid(path)
        target = path[:-4] + '.bmp'
        with open(target, 'wb') as f:
            f.write(bitmap_bytes(width, rows))
        print(os.path.basename(target), f'{width} x {len(rows)}')


if __name__ == '__main__':
    main()
