#!/usr/bin/python3
"""Draws gallery_mask.bmp, a user mask for the gallery: a five-pointed star with soft grey
edges on black, 96 x 64, 8 bits per pixel with a grey palette (grey pixels cover partly).
Plain Python, no packages needed."""
import math
import struct

WIDTH, HEIGHT = 96, 64


def star_level(x, y):
    """0..255: how far inside the star the picture point (x, y), top row 0, lies."""
    cx, cy = WIDTH / 2, HEIGHT / 2 + 2
    dx, dy = (x + 0.5 - cx) / (HEIGHT * 0.46), (y + 0.5 - cy) / (HEIGHT * 0.46)
    r = math.hypot(dx, dy)
    angle = math.atan2(dx, -dy) % (2 * math.pi / 5)
    # The star's edge: radius 1 at the points, 0.45 between them, straight in between.
    t = abs(angle - math.pi / 5) / (math.pi / 5)
    edge = 0.45 + (1 - 0.45) * t ** 1.6
    return max(0, min(255, int((edge - r) * 900 + 128)))


def main():
    stride = (WIDTH + 3) // 4 * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom row first
        row = bytearray(stride)
        for x in range(WIDTH):
            row[x] = star_level(x, y)
        pixels += row
    palette = b"".join(bytes((v, v, v, 0)) for v in range(256))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open("../gallery_mask.bmp", "wb") as f:
        f.write(header + info + palette + bytes(pixels))


if __name__ == "__main__":
    main()
