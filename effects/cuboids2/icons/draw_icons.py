#!/usr/bin/env python3
"""Draws the twenty direction icons of the block transition's dialog (resources 103-122).

White figures on a dark ground: arrows for the straight and diagonal directions, a centre
or middle line with arrows for the inward and outward ones, a circular arrow for the two
turning orders. Every figure is described once in unit coordinates (x right, y down) and
rasterised with 4 x 4 supersampling at 32 x 32, and at 16 x 16 where the dialog also
offers a small icon. Writes cuboids2_icon_NNN.ico next to the module's .rc file.

Run: python3 effects/cuboids2/icons/draw_icons.py
"""
import math
import os
import struct

GROUND = (56, 40, 32)  # blue, green, red: a dark slate
FIGURE = (255, 255, 255)
SUPERSAMPLE = 4


def seg_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def in_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    d1 = side((px, py), a, b)
    d2 = side((px, py), b, c)
    d3 = side((px, py), c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


class Figure:
    """A set of shapes; inside(x, y) tells whether a unit-square point is covered."""

    def __init__(self):
        self.shapes = []

    def line(self, ax, ay, bx, by, width=0.09):
        self.shapes.append(lambda x, y: seg_distance(x, y, ax, ay, bx, by) <= width / 2)
        return self

    def arrow(self, ax, ay, bx, by, head=0.2, width=0.09):
        length = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / length, (by - ay) / length
        base = (bx - ux * head, by - uy * head)
        self.line(ax, ay, base[0], base[1], width)
        nx, ny = -uy, ux
        a = (bx, by)
        b = (base[0] + nx * head * 0.6, base[1] + ny * head * 0.6)
        c = (base[0] - nx * head * 0.6, base[1] - ny * head * 0.6)
        self.shapes.append(lambda x, y: in_triangle(x, y, a, b, c))
        return self

    def arc_arrow(self, clockwise):
        # Three quarters of a circle about the centre, the head at the open end.
        cx, cy, r, w = 0.5, 0.5, 0.3, 0.09
        start, sweep = -80.0, 280.0

        def on_arc(x, y):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) > w / 2:
                return False
            ang = (math.degrees(math.atan2(y - cy, x - cx)) - start) % 360.0
            return ang <= sweep
        self.shapes.append(on_arc)
        end = math.radians(start + sweep)
        ex, ey = cx + r * math.cos(end), cy + r * math.sin(end)
        tx, ty = -math.sin(end), math.cos(end)  # direction of growing angle (y down: clockwise)
        if not clockwise:
            ex, ey = cx + r * math.cos(math.radians(start)), cy + r * math.sin(math.radians(start))
            tx, ty = math.sin(math.radians(start)), -math.cos(math.radians(start))
        head = 0.2
        a = (ex + tx * head * 0.6, ey + ty * head * 0.6)
        nx, ny = -ty, tx
        b = (ex - tx * head * 0.4 + nx * head * 0.6, ey - ty * head * 0.4 + ny * head * 0.6)
        c = (ex - tx * head * 0.4 - nx * head * 0.6, ey - ty * head * 0.4 - ny * head * 0.6)
        self.shapes.append(lambda x, y: in_triangle(x, y, a, b, c))
        return self

    def inside(self, x, y):
        return any(s(x, y) for s in self.shapes)


def figures():
    f = {}
    f[103] = Figure().arrow(0.12, 0.5, 0.88, 0.5)  # DLR: left to right
    f[104] = Figure().arrow(0.88, 0.5, 0.12, 0.5)  # DRL
    f[105] = Figure().arrow(0.5, 0.12, 0.5, 0.88)  # DTB: top to bottom
    f[106] = Figure().arrow(0.5, 0.88, 0.5, 0.12)  # DBT
    inward = Figure()
    outward = Figure()
    for sx, sy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        cx, cy = 0.1 + 0.8 * sx, 0.1 + 0.8 * sy
        mx, my = 0.5 + (cx - 0.5) * 0.25, 0.5 + (cy - 0.5) * 0.25
        inward.arrow(cx, cy, mx, my, head=0.17, width=0.08)
        outward.arrow(mx, my, cx, cy, head=0.17, width=0.08)
    f[107] = inward  # DCI: from the border to the centre
    f[108] = outward  # DCO: from the centre outwards
    f[109] = Figure().arrow(0.85, 0.15, 0.15, 0.85)  # DTR: from the top right corner
    f[110] = Figure().arrow(0.15, 0.85, 0.85, 0.15)  # DBL: from the bottom left corner
    f[111] = Figure().arrow(0.85, 0.85, 0.15, 0.15)  # DBR
    f[112] = Figure().arrow(0.15, 0.15, 0.85, 0.85)  # DTL
    # Middle lines: the line the order is measured from, arrows towards it or away.
    f[113] = Figure().line(0.5, 0.15, 0.5, 0.85, 0.07).arrow(0.05, 0.5, 0.4, 0.5, 0.16).arrow(0.95, 0.5, 0.6, 0.5, 0.16)
    f[114] = Figure().line(0.5, 0.15, 0.5, 0.85, 0.07).arrow(0.42, 0.5, 0.05, 0.5, 0.16).arrow(0.58, 0.5, 0.95, 0.5, 0.16)
    f[115] = Figure().line(0.15, 0.5, 0.85, 0.5, 0.07).arrow(0.5, 0.05, 0.5, 0.4, 0.16).arrow(0.5, 0.95, 0.5, 0.6, 0.16)
    f[116] = Figure().line(0.15, 0.5, 0.85, 0.5, 0.07).arrow(0.5, 0.42, 0.5, 0.05, 0.16).arrow(0.5, 0.58, 0.5, 0.95, 0.16)
    f[117] = Figure().arc_arrow(clockwise=False)  # DRC: turning counter-clockwise
    f[118] = Figure().arc_arrow(clockwise=True)  # DRR: turning clockwise
    # Diagonal middle lines. Falling line (top left to bottom right), arrows across it.
    d = 0.33
    f[122] = Figure().line(0.15, 0.15, 0.85, 0.85, 0.07).arrow(0.44, 0.56, 0.44 - d, 0.56 + d, 0.16).arrow(0.56, 0.44, 0.56 + d, 0.44 - d, 0.16)  # DLO
    f[119] = Figure().line(0.15, 0.15, 0.85, 0.85, 0.07).arrow(0.1, 0.9, 0.4, 0.6, 0.16).arrow(0.9, 0.1, 0.6, 0.4, 0.16)  # DRI
    f[120] = Figure().line(0.15, 0.85, 0.85, 0.15, 0.07).arrow(0.44, 0.44, 0.44 - d, 0.44 - d, 0.16).arrow(0.56, 0.56, 0.56 + d, 0.56 + d, 0.16)  # DRO
    f[121] = Figure().line(0.15, 0.85, 0.85, 0.15, 0.07).arrow(0.1, 0.1, 0.4, 0.4, 0.16).arrow(0.9, 0.9, 0.6, 0.6, 0.16)  # DLI
    return f


SMALL_TOO = set(range(103, 109)) | set(range(113, 119))


def render(figure, size):
    """Rows top first, each pixel (b, g, r, a)."""
    rows = []
    n = SUPERSAMPLE
    for y in range(size):
        row = []
        for x in range(size):
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    if figure.inside((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size):
                        hits += 1
            t = hits / (n * n)
            row.append(tuple(int(round(g + (f - g) * t)) for g, f in zip(GROUND, FIGURE)) + (255,))
        rows.append(row)
    return rows


def icon_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(p) for row in reversed(rows) for p in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # every pixel opaque
    return header + pixels + mask


def ico_file(images):
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b''
    for size, blob in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        data += blob
    return out + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.dirname(here)
    for rid, figure in sorted(figures().items()):
        images = [(32, icon_image(render(figure, 32)))]
        if rid in SMALL_TOO:
            images.append((16, icon_image(render(figure, 16))))
        with open(os.path.join(target, 'cuboids2_icon_%d.ico' % rid), 'wb') as f:
            f.write(ico_file(images))


if __name__ == '__main__':
    main()
