#!/usr/bin/env python3
"""Draws the program's icons: a monitor whose screen shows a small star field.

Writes zelvista.ico (16, 24, 32, 48 and 256 pixels) and zelvista_small.ico
(16, 24 and 32: the small icon at 100 %, 150 % and 200 %), 16 colours each,
next to this script. Each size is drawn from the same 32-unit description in
its own pixels, never enlarged from a smaller one. Run it again after
changing the pictures.
"""
import os
import struct

# The standard 16-colour palette (B, G, R order is applied when writing).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GRAY, SILVER, YELLOW, WHITE, CYAN = 0, 4, 8, 7, 11, 15, 14
CLEAR = None


def monitor(size):
    img = [[CLEAR] * size for _ in range(size)]
    s = size / 32.0

    def span(a, b):  # at least one pixel
        lo = int(a * s)
        return range(lo, max(lo + 1, int(b * s)))

    def rect(x0, y0, x1, y1, c):
        for y in span(y0, y1):
            for x in span(x0, x1):
                img[y][x] = c

    rect(1, 2, 31, 25, BLACK)      # bezel outline
    rect(2, 3, 30, 24, SILVER)     # bezel
    rect(4, 5, 28, 21, BLACK)      # screen edge
    rect(5, 6, 27, 20, NAVY)       # screen
    rect(13, 25, 19, 28, GRAY)     # neck
    rect(8, 28, 24, 31, SILVER)    # foot
    rect(8, 30, 24, 31, GRAY)
    stars = [(7, 8, WHITE), (12, 7, YELLOW), (20, 9, WHITE), (24, 7, CYAN), (9, 13, YELLOW),
             (16, 12, WHITE), (22, 15, YELLOW), (11, 17, WHITE), (18, 17, CYAN), (25, 18, WHITE)]
    for x, y, c in stars:
        rect(x, y, x + 1, y + 1, c)
    if size >= 32:  # a brighter star in the middle
        x, y = 16, 12
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            rect(x + dx, y + dy, x + dx + 1, y + dy + 1, YELLOW)
    return img


def image(img):
    size = len(img)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):  # bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, c in enumerate(row):
            v = 0 if c is None else c
            line[x // 2] |= v << (4 if x % 2 == 0 else 0)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def ico(sizes):
    images = [image(monitor(size)) for size in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        side = size if size < 256 else 0  # 0 stands for 256
        directory += struct.pack('<BBBBHHII', side, side, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b''.join(images)


here = os.path.dirname(os.path.abspath(__file__))
for name, sizes in (('zelvista.ico', (16, 24, 32, 48, 256)), ('zelvista_small.ico', (16, 24, 32))):
    with open(os.path.join(here, name), 'wb') as f:
        f.write(ico(sizes))
