#!/usr/bin/env python3
"""Draws the bloom dialog's icons as text grids (icons.txt); make_icons.sh turns the grids
into .ico files at build time. Each direction icon shows the wipe half way: the new scene
(blue) where the transition has passed, a white blooming border, the old scene (sand)
where it has not begun, and dark arrows along the motion. Run it again after changing a
picture here; the grids are what the build reads."""
import math
import sys

SIZE = 32
PALETTE = [
    ('.', None),              # transparent
    ('K', (0x20, 0x20, 0x28)),  # outline
    ('N', (0x28, 0x58, 0xB8)),  # new scene
    ('W', (0xFF, 0xFF, 0xFF)),  # the blooming border
    ('O', (0xEE, 0xD8, 0x98)),  # old scene
    ('A', (0x90, 0x10, 0x18)),  # arrows
    ('P', (0xE8, 0x60, 0xA0)),  # petals (dialog icon)
    ('Y', (0xF8, 0xD0, 0x30)),  # flower heart
    ('G', (0x30, 0x90, 0x40)),  # stem and leaves
]

INNER = 26.0  # the picture inside the outline, 3..28 pixels


# Each direction with its counterpart that runs the other way.
REVERSED = {
    'rightleft': 'leftright', 'topbottom': 'bottomtop', 'circlein': 'circleout',
    'horzin': 'horzout', 'vertin': 'vertout', 'topright': 'bottomleft',
    'bottomright': 'topleft', 'rightin': 'leftout', 'leftin': 'rightout',
}


def order_of(direction, u, v):
    """Share of the transition before the point (u, v) starts, 0..1; u right, v up."""
    if direction in REVERSED:
        return 1 - order_of(REVERSED[direction], u, v)
    if direction in ('rotright', 'rotcounterclockwise'):
        angle = math.degrees(math.atan2(u - 0.5, v - 0.5)) % 360  # clockwise from 12 o'clock
        share = angle / 360
        return share if direction == 'rotright' else (1 - share) % 1
    rising = (u + v) / 2        # 0 at bottom left, 1 at top right
    falling = (u + 1 - v) / 2   # 0 at top left, 1 at bottom right
    return {
        'leftright': u,
        'bottomtop': v,
        'circleout': math.hypot(u - 0.5, v - 0.5) / math.hypot(0.5, 0.5),
        'horzout': abs(u - 0.5) * 2,
        'vertout': abs(v - 0.5) * 2,
        'bottomleft': rising,
        'topleft': falling,
        'leftout': abs(rising - 0.5) * 2,
        'rightout': abs(falling - 0.5) * 2,
    }[direction]


# Arrows: (from, to) in picture coordinates 0..1 (u right, v up).
def arrows_of(direction):
    c = 0.5
    table = {
        'leftright': [((0.12, 0.5), (0.42, 0.5))],
        'rightleft': [((0.88, 0.5), (0.58, 0.5))],
        'topbottom': [((0.5, 0.88), (0.5, 0.58))],
        'bottomtop': [((0.5, 0.12), (0.5, 0.42))],
        'circleout': [((c, c), (0.86, c)), ((c, c), (0.14, c))],
        'circlein': [((0.95, c), (0.72, c)), ((0.05, c), (0.28, c))],
        'horzout': [((0.42, c), (0.12, c)), ((0.58, c), (0.88, c))],
        'horzin': [((0.04, c), (0.3, c)), ((0.96, c), (0.7, c))],
        'vertout': [((c, 0.58), (c, 0.88)), ((c, 0.42), (c, 0.12))],
        'vertin': [((c, 0.96), (c, 0.7)), ((c, 0.04), (c, 0.3))],
        'bottomleft': [((0.1, 0.1), (0.36, 0.36))],
        'topright': [((0.9, 0.9), (0.64, 0.64))],
        'topleft': [((0.1, 0.9), (0.36, 0.64))],
        'bottomright': [((0.9, 0.1), (0.64, 0.36))],
        'leftout': [((0.46, 0.46), (0.16, 0.16)), ((0.54, 0.54), (0.84, 0.84))],
        'rightin': [((0.02, 0.02), (0.26, 0.26)), ((0.98, 0.98), (0.74, 0.74))],
        'rightout': [((0.46, 0.54), (0.16, 0.84)), ((0.54, 0.46), (0.84, 0.16))],
        'leftin': [((0.02, 0.98), (0.26, 0.74)), ((0.98, 0.02), (0.74, 0.26))],
    }
    return table.get(direction, [])


def to_pixel(u, v):
    return 3 + u * (INNER - 1), 28 - v * (INNER - 1)


def draw_arrow(grid, start, end):
    x0, y0 = to_pixel(*start)
    x1, y1 = to_pixel(*end)
    length = math.hypot(x1 - x0, y1 - y0)
    steps = int(length * 3) + 1
    for i in range(steps + 1):
        t = i / steps
        plot_thick(grid, x0 + (x1 - x0) * t, y0 + (y1 - y0) * t)
    arrow_head(grid, x1, y1, math.atan2(y1 - y0, x1 - x0))


def arrow_head(grid, x, y, heading):
    for side in (-1, 1):
        a = heading + math.pi + side * math.radians(35)
        for i in range(13):
            t = i / 12 * 5
            plot_thick(grid, x + math.cos(a) * t, y + math.sin(a) * t)


def plot_thick(grid, x, y):
    for dx, dy in ((0, 0), (0.5, 0), (0, 0.5), (0.5, 0.5)):
        px, py = int(round(x + dx - 0.25)), int(round(y + dy - 0.25))
        if 3 <= px <= 28 and 3 <= py <= 28:
            grid[py][px] = 'A'


def arc_arrow(grid, clockwise):
    # Three quarters of a circle round the centre, head at the end.
    cx, cy, r = 15.5, 15.5, 8.0
    points = []
    for i in range(0, 271, 5):
        a = math.radians(-90 + (i if clockwise else -i))
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    for x, y in points:
        plot_thick(grid, x, y)
    (xa, ya), (xb, yb) = points[-2], points[-1]
    arrow_head(grid, xb, yb, math.atan2(yb - ya, xb - xa))


def direction_icon(direction):
    grid = [['.'] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if x in (2, 29) and 2 <= y <= 29 or y in (2, 29) and 2 <= x <= 29:
                grid[y][x] = 'K'
            elif 3 <= x <= 28 and 3 <= y <= 28:
                u = (x - 3) / (INNER - 1)
                v = (28 - y) / (INNER - 1)
                m = order_of(direction, u, v)
                band = 0.02 if direction.startswith('rot') else 0.07  # turning borders are thin
                grid[y][x] = 'N' if m < 0.49 - band else ('W' if m < 0.49 + band else 'O')
    if direction in ('rotright', 'rotcounterclockwise'):
        arc_arrow(grid, direction == 'rotright')
    for start, end in arrows_of(direction):
        draw_arrow(grid, start, end)
    return grid


def flower_icon():
    grid = [['.'] * SIZE for _ in range(SIZE)]
    cx, cy = 15.5, 11.5
    for y in range(SIZE):
        for x in range(SIZE):
            r = math.hypot(x - cx, y - cy)
            a = math.atan2(y - cy, x - cx)
            if r <= 3.6:
                grid[y][x] = 'Y'
            elif r <= 7.5 + 3.5 * math.cos(5 * a + math.pi / 2):
                grid[y][x] = 'P'
            elif y >= 19 and abs(x - 15.5) <= 1:
                grid[y][x] = 'G'
    for y in range(22, 29):
        for x in range(SIZE):
            ly = (y - 25.0) / 2.2
            for lx in ((x - 10.0) / 4.8, (x - 21.0) / 4.8):
                if grid[y][x] == '.' and lx * lx + ly * ly <= 1:
                    grid[y][x] = 'G'
    # A dark rim round the flower head.
    rim = []
    for y in range(SIZE):
        for x in range(SIZE):
            if grid[y][x] != '.':
                continue
            near = [grid[j][i] for i, j in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1))
                    if 0 <= i < SIZE and 0 <= j < SIZE]
            if 'P' in near:
                rim.append((x, y))
    for x, y in rim:
        grid[y][x] = 'K'
    return grid


DIRECTIONS = [
    (102, 'bottomtop'), (103, 'circlein'), (104, 'circleout'), (105, 'leftright'),
    (106, 'rightleft'), (107, 'topbottom'), (108, 'horzin'), (109, 'vertin'),
    (110, 'horzout'), (111, 'vertout'), (112, 'rotright'), (113, 'rotcounterclockwise'),
    (114, 'bottomleft'), (115, 'topright'), (116, 'topleft'), (117, 'bottomright'),
    (118, 'leftout'), (119, 'rightout'), (120, 'rightin'), (121, 'leftin'),
]


def main(path):
    lines = ['# The bloom dialog icons: 32 x 32 grids, one character a pixel, top row first.',
             '# Written by draw_icons.py; make_icons.sh builds the .ico files from them.',
             '# palette CHAR RRGGBB ("." is transparent)']
    for ch, rgb in PALETTE:
        if rgb is not None:
            lines.append('palette %s %02X%02X%02X' % (ch, *rgb))
    for number, name in DIRECTIONS:
        lines.append('icon %d %s' % (number, name))
        lines.extend(''.join(row) for row in direction_icon(name))
    lines.append('icon 122 bloom')
    lines.extend(''.join(row) for row in flower_icon())
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'icons.txt')
