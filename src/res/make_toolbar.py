#!/usr/bin/env python3
"""Draws the toolbar's image strips: 23 pictures side by side, at 16, 24 and
32 pixels (100 %, 150 % and 200 %).

Writes toolbar.bmp (368x16), toolbar24.bmp (552x24) and toolbar32.bmp
(736x32), 16 colours on a light grey background, next to this script. Image n
belongs to toolbar button n. Each picture is described once on a 16-unit grid
and drawn at each size from that description (boxes, lines, discs and
polygons drawn in the target's own pixels), so the larger sets are sharp, not
the small one blown up. Run it again after changing a picture.
"""
import math
import os
import struct

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
(BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE) = range(16)
BACKGROUND = SILVER  # the toolbar maps light grey to the button face
GRID = 16            # the units every picture is described in
SIZES = (16, 24, 32)


class Picture:
    """One picture at `size` pixels. Coordinates are grid cells: cell (x, y)
    covers [x, x + 1) of the 16-unit grid; outlines are one cell wide at 16
    pixels and a whole number of pixels (1 at 24, 2 at 32) above."""

    def __init__(self, size):
        self.size = size
        self.s = size / GRID
        self.edge = max(1, int(self.s))  # outline width in pixels
        self.px = [[BACKGROUND] * size for _ in range(size)]

    def _set(self, X, Y, c):
        if 0 <= X < self.size and 0 <= Y < self.size:
            self.px[Y][X] = c

    def _span(self, a, b):
        """Pixels covering cells a..b (inclusive)."""
        return range(int(math.floor(a * self.s + 1e-9)), int(math.floor((b + 1) * self.s + 1e-9)))

    def dot(self, x, y, c):
        self.fill(x, y, x, y, c)

    def fill(self, x0, y0, x1, y1, c):
        for Y in self._span(y0, y1):
            for X in self._span(x0, x1):
                self._set(X, Y, c)

    def frame(self, x0, y0, x1, y1, c):
        xs, ys = self._span(x0, x1), self._span(y0, y1)
        if not xs or not ys:
            return
        e = self.edge
        for Y in ys:
            for X in xs:
                if X < xs[0] + e or X > xs[-1] - e or Y < ys[0] + e or Y > ys[-1] - e:
                    self._set(X, Y, c)

    def box(self, x0, y0, x1, y1, inside, edge=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        """A line of cells from cell (x0, y0) to cell (x1, y1), one cell thick:
        a square pen of one cell moved in steps of the target's pixels."""
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        n = steps * max(1, int(math.ceil(self.s)))
        pen = max(1, int(round(self.s)))
        for i in range(n + 1):
            fx = x0 + (x1 - x0) * i / n
            fy = y0 + (y1 - y0) * i / n
            if self.s == 1:
                fx, fy = round(fx), round(fy)
            X0, Y0 = int(round(fx * self.s)), int(round(fy * self.s))
            for Y in range(Y0, Y0 + pen):
                for X in range(X0, X0 + pen):
                    self._set(X, Y, c)

    def _grid(self, X, Y):
        """The grid point at the centre of pixel (X, Y), cells centred on integers."""
        return (X + 0.5) / self.s - 0.5, (Y + 0.5) / self.s - 0.5

    def disc(self, cx, cy, r, inside, edge=BLACK):
        rim = self.edge / self.s
        for Y in range(self.size):
            for X in range(self.size):
                u, v = self._grid(X, Y)
                d = (u - cx) ** 2 + (v - cy) ** 2
                if d <= r * r:
                    self._set(X, Y, edge if d > (r - rim) ** 2 else inside)

    def ring(self, cx, cy, r_out, r_in, a0, a1, c):
        """The part of a ring between angles a0 and a1 (degrees, 0 to the
        right, counting clockwise as the y axis points down)."""
        for Y in range(self.size):
            for X in range(self.size):
                u, v = self._grid(X, Y)
                d = math.hypot(u - cx, v - cy)
                if r_in <= d <= r_out:
                    a = math.degrees(math.atan2(v - cy, u - cx)) % 360
                    if (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1):
                        self._set(X, Y, c)

    def polygon(self, points, inside, edge=None):
        """A polygon through grid points given as cell edges: (0, 0) is the
        top left corner of the picture, (16, 16) its bottom right."""
        def contains(u, v):
            hit = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > v) != (by > v) and u < ax + (v - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit

        def near_edge(u, v, width):
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                dx, dy = bx - ax, by - ay
                t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy or 1)))
                if math.hypot(u - ax - t * dx, v - ay - t * dy) < width:
                    return True
            return False

        width = self.edge / self.s
        for Y in range(self.size):
            for X in range(self.size):
                u, v = (X + 0.5) / self.s, (Y + 0.5) / self.s
                if contains(u, v):
                    self._set(X, Y, edge if edge is not None and near_edge(u, v, width) else inside)


def page(p, x0, y0, x1, y1):
    p.box(x0, y0, x1, y1, WHITE)
    p.fill(x1 - 2, y0, x1, y0 + 2, BACKGROUND)
    p.line(x1 - 3, y0, x1, y0 + 3, BLACK)


def folder(p, open_=False):
    p.box(1, 4, 6, 6, YELLOW)
    p.box(1, 5, 13, 13, YELLOW)
    if open_:
        p.fill(3, 8, 15, 13, BACKGROUND)
        for i in range(6):
            p.line(3 - i // 3, 8 + i, 15 - i // 3, 8 + i, YELLOW)
        p.line(3, 8, 15, 8, BLACK)
        p.line(15, 8, 13, 13, BLACK)
        p.line(1, 13, 13, 13, BLACK)


def monitor(p, screen):
    p.box(0, 1, 15, 11, SILVER)
    p.box(2, 3, 13, 9, screen)
    p.fill(6, 12, 9, 12, GRAY)
    p.box(3, 13, 12, 14, SILVER)


def magnifier(p, cx, cy):
    p.disc(cx, cy, 3, CYAN)
    p.line(cx + 2, cy + 2, cx + 5, cy + 5, MAROON)
    p.line(cx + 3, cy + 2, cx + 5, cy + 4, MAROON)


def band(p, x0, y0, x1, y1, width, inside, edge=None):
    """A straight band of the given width from grid point (x0, y0) to (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
    p.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], inside, edge)


def spanner(p, dx=0, dy=0):  # a grey spanner, its open jaw to the top right
    band(p, dx + 0.8, dy + 10.2, dx + 8, dy + 3, 2.6, GRAY, BLACK)
    p.disc(dx + 9, dy + 2.5, 2.8, GRAY)
    band(p, dx + 9.5, dy + 2.5, dx + 13, dy - 1, 2.0, BACKGROUND)


def play_triangle(p, x0, y0, h):
    for i in range(h):
        w = min(i, h - 1 - i)
        p.line(x0, y0 + i, x0 + w, y0 + i, RED)


def diskette(p, x0, y0, body=BLUE):
    p.box(x0, y0, x0 + 11, y0 + 11, body)
    p.fill(x0 + 3, y0 + 1, x0 + 8, y0 + 4, SILVER)
    p.fill(x0 + 6, y0 + 2, x0 + 7, y0 + 3, BLUE)
    p.box(x0 + 2, y0 + 7, x0 + 9, y0 + 11, WHITE)


def draw_exit(p):  # red arrow leaving a blue door
    p.box(1, 1, 8, 14, BLUE)
    p.fill(2, 2, 7, 13, NAVY)
    p.dot(6, 8, YELLOW)
    p.fill(7, 7, 12, 8, RED)
    p.polygon([(11, 3.5), (15.5, 8), (11, 12.5)], RED)


def draw_tray(p):  # red arrow pointing down into a bar
    p.fill(6, 0, 9, 6, RED)
    p.polygon([(3, 7), (13, 7), (8, 12)], RED)
    p.box(0, 12, 15, 15, NAVY)
    p.fill(1, 13, 14, 14, BLUE)
    p.fill(11, 13, 13, 14, CYAN)


def draw_new(p):  # blank open pages with a sparkle
    page(p, 1, 3, 8, 15)
    page(p, 7, 3, 14, 15)
    p.line(8, 4, 8, 15, GRAY)
    p.fill(11, 0, 11, 2, YELLOW)
    p.fill(10, 1, 12, 1, YELLOW)
    p.dot(13, 0, YELLOW)
    p.dot(14, 2, YELLOW)


def draw_open(p):  # open yellow folder with a curved arrow
    folder(p, open_=True)
    p.ring(9.5, 2.5, 2.6, 1.4, 180, 360, BLUE)
    p.polygon([(10.2, 2.5), (14.8, 2.5), (12.5, 5.5)], BLUE)


def draw_save(p):
    diskette(p, 2, 2)


def draw_standard(p):  # blue book with a diskette
    p.box(0, 1, 9, 14, BLUE)
    p.fill(1, 2, 2, 13, NAVY)
    p.fill(4, 4, 7, 5, WHITE)
    p.box(8, 7, 15, 14, BLACK)
    p.fill(9, 8, 14, 13, GRAY)
    p.fill(10, 8, 13, 9, SILVER)
    p.fill(10, 11, 13, 13, WHITE)


def draw_add_file(p):  # page with a pen
    page(p, 1, 1, 10, 15)
    for y in (5, 7, 9, 11):
        p.line(3, y, 7, y, GRAY)
    p.line(15, 3, 8, 10, MAROON)
    p.line(14, 2, 7, 9, YELLOW)
    p.line(15, 4, 9, 10, OLIVE)
    p.dot(6, 11, BLACK)


def draw_folder_search(p):  # yellow folder with a magnifying glass
    folder(p)
    magnifier(p, 9, 9)


def draw_delete(p):  # yellow waste basket
    p.box(2, 2, 13, 4, YELLOW)
    p.fill(6, 1, 9, 1, BLACK)
    p.box(3, 4, 12, 15, YELLOW)
    for x in (5, 8, 10):
        p.line(x, 6, x, 13, OLIVE)


def red_cross(p, x0, y0, n):
    for i in range(n):
        p.dot(x0 + i, y0 + i, RED)
        p.dot(x0 + i + 1, y0 + i, RED)
        p.dot(x0 + n - i, y0 + i, RED)
        p.dot(x0 + n - i - 1, y0 + i, RED)


def draw_duplicates(p):  # two pages with a red cross
    page(p, 0, 0, 8, 10)
    page(p, 4, 4, 12, 14)
    red_cross(p, 7, 7, 8)


def draw_missing(p):  # red cross
    red_cross(p, 1, 1, 13)
    red_cross(p, 2, 1, 12)


def draw_up(p):  # cyan arrow up
    p.polygon([(8, 1), (15, 8), (1, 8)], CYAN, TEAL)
    p.box(5, 7, 10, 14, CYAN, TEAL)
    p.fill(6, 7, 9, 7, CYAN)


def draw_down(p):  # cyan arrow down
    p.box(5, 1, 10, 8, CYAN, TEAL)
    p.fill(6, 8, 9, 8, CYAN)
    p.polygon([(1, 8), (15, 8), (8, 15)], CYAN, TEAL)


def draw_configure(p):  # monitor with a spanner
    monitor(p, NAVY)
    spanner(p, 4, 5)


def draw_preview(p):  # monitor with a magnifying glass
    monitor(p, NAVY)
    magnifier(p, 8, 7)


def draw_seconds(p):  # alarm clock
    p.disc(3, 3, 3, YELLOW)
    p.disc(12, 3, 3, YELLOW)
    p.disc(8, 9, 6, WHITE, RED)
    p.line(8, 9, 8, 5, BLACK)
    p.line(8, 9, 11, 9, BLACK)
    p.dot(4, 15, RED)
    p.dot(12, 15, RED)


def draw_set_standard(p):  # monitor with red marks on a black screen
    monitor(p, BLACK)
    for x, y in ((4, 4), (8, 6), (11, 4), (6, 8), (10, 8)):
        p.dot(x, y, RED)
        p.dot(x + 1, y, RED)


def draw_archive(p):  # yellow box with a red arrow and a page
    page(p, 8, 0, 15, 8)
    p.box(0, 7, 11, 15, YELLOW)
    p.line(0, 10, 11, 10, OLIVE)
    p.line(3, 4, 8, 4, RED)
    p.line(3, 5, 8, 5, RED)
    p.polygon([(2, 5), (5, 2), (5, 8)], RED)
    p.fill(6, 2, 7, 8, RED)


def draw_play_full(p):  # monitor with a red play triangle on a green screen
    monitor(p, GREEN)
    play_triangle(p, 6, 3, 7)


def draw_play_window(p):  # window with a red play triangle
    p.box(0, 1, 15, 14, WHITE)
    p.fill(1, 2, 14, 3, NAVY)
    p.fill(12, 2, 13, 3, SILVER)
    play_triangle(p, 6, 5, 9)


def draw_display(p):  # monitor with a paint brush
    monitor(p, TEAL)
    p.line(14, 0, 8, 6, MAROON)
    p.line(15, 1, 9, 7, MAROON)
    p.fill(5, 7, 7, 9, RED)
    p.dot(4, 10, RED)


def draw_settings(p):
    spanner(p, 2, 2)


def draw_help(p):  # yellow question mark
    rim = p.edge / p.s
    p.ring(8, 5, 4.2 + rim, 1.8 - rim, 165, 100, BLACK)
    p.ring(8, 5, 4.2, 1.8, 170, 95, YELLOW)
    p.box(6, 8, 9, 11, YELLOW)
    p.fill(7, 8, 8, 9, YELLOW)
    p.box(6, 12, 9, 15, YELLOW)


PICTURES = [
    draw_exit, draw_tray, draw_new, draw_open, draw_save, draw_standard, draw_add_file,
    draw_folder_search, draw_delete, draw_duplicates, draw_missing, draw_up, draw_down,
    draw_configure, draw_preview, draw_seconds, draw_set_standard, draw_archive,
    draw_play_full, draw_play_window, draw_display, draw_settings, draw_help,
]


def bitmap(images, size):
    width = size * len(images)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up
        row = bytearray(stride)
        for x in range(width):
            c = images[x // size].px[y][x % size]
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        pixels += row
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


here = os.path.dirname(os.path.abspath(__file__))
for size in SIZES:
    images = []
    for draw in PICTURES:
        p = Picture(size)
        draw(p)
        images.append(p)
    assert len(images) == 23
    name = 'toolbar.bmp' if size == GRID else 'toolbar%d.bmp' % size
    with open(os.path.join(here, name), 'wb') as f:
        f.write(bitmap(images, size))
