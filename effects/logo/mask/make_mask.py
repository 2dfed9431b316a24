#!/usr/bin/python3
"""Draws the built-in logo mask: YOUR / LOGO / HERE in heavy white capitals on black,
one word per third of a 408 x 308 picture, each word stretched to fill its band.

Writes default_mask.bmp: 1 bit per pixel, palette entry 0 black and 1 white, no
compression, bottom row first. Needs python3-pil and the DejaVu fonts (Debian packages
python3-pil and fonts-dejavu-core); only this generator needs them, the build uses the
committed bitmap.
"""
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 408, 308
WORDS = ("YOUR", "LOGO", "HERE")
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
MARGIN_X = 6  # pixels left and right of every word
GAP_Y = 6     # pixels above and below every word inside its band
DRAW_SIZE = 400  # glyphs are drawn large, then scaled down into their band


def word_picture(word, font):
    """The word's ink, cropped to its bounding box, as an 8-bit grey picture."""
    left, top, right, bottom = font.getbbox(word)
    picture = Image.new("L", (right - left + 8, bottom - top + 8), 0)
    ImageDraw.Draw(picture).text((4 - left, 4 - top), word, fill=255, font=font)
    return picture.crop(picture.getbbox())


def draw_mask():
    font = ImageFont.truetype(FONT, DRAW_SIZE)
    mask = Image.new("L", (WIDTH, HEIGHT), 0)
    band = HEIGHT // len(WORDS)
    for line, word in enumerate(WORDS):
        top = line * band + GAP_Y
        height = (band if line < len(WORDS) - 1 else HEIGHT - line * band) - 2 * GAP_Y
        ink = word_picture(word, font).resize((WIDTH - 2 * MARGIN_X, height), Image.LANCZOS)
        mask.paste(ink, (MARGIN_X, top))
    return mask.point(lambda v: 255 if v >= 128 else 0)


def bmp_bytes(mask):
    """A 1-bit BMP file of the two-tone picture, bottom row first."""
    row_bytes = (WIDTH + 7) // 8
    stride = (row_bytes + 3) // 4 * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray(stride)
        for x in range(WIDTH):
            if mask.getpixel((x, y)):
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "default_mask.bmp"
    with open(out, "wb") as f:
        f.write(bmp_bytes(draw_mask()))


if __name__ == "__main__":
    main()
