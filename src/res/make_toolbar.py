#!/usr/bin/env python3
"""Draws the toolbar's image strip: 23 pictures of 16x16 pixels side by side.

Writes toolbar.bmp (368x16, 16 colours, light grey background) next to this
script. Image n belongs to toolbar button n. Run it again after changing a
picture.
"""
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
SIZE = 16


class Picture:
    def __init__(self):
        self.px = [[BACKGROUND] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, c)
            self.dot(x, y1, c)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, c)
            self.dot(x1, y, c)

    def box(self, x0, y0, x1, y1, inside, edge=BLACK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def disc(self, cx, cy, r, inside, edge=BLACK):
        for y in range(SIZE):
            for x in range(SIZE):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if d <= r * r:
                    self.dot(x, y, edge if d > (r - 1) ** 2 else inside)

    def rows(self, x0, y0, art, colours):
        """Pixel art: one string per row, each letter a key of colours."""
        for dy, row in enumerate(art):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.dot(x0 + dx, y0 + dy, colours[ch])


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


def spanner(p, dx=0, dy=0):
    p.rows(dx, dy, [
        "........GG..",
        ".......G.G..",
        "......G.G..G",
        "......GG..GG",
        ".....GWWWGG.",
        "....GWWWG...",
        "...GWWG.....",
        "..GWWG......",
        ".GWWG.......",
        "GWWG........",
        "GGG.........",
    ], {"G": BLACK, "W": GRAY})


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
    p.rows(11, 4, ["R...", "RR..", "RRR.", "RRRR", "RRRR", "RRR.", "RR..", "R..."], {"R": RED})


def draw_tray(p):  # red arrow pointing down into a bar
    p.fill(6, 0, 9, 6, RED)
    p.rows(3, 7, ["RRRRRRRRRR", ".RRRRRRRR.", "..RRRRRR..", "...RRRR...", "....RR...."], {"R": RED})
    p.box(0, 12, 15, 15, NAVY)
    p.fill(1, 13, 14, 14, BLUE)
    p.fill(11, 13, 13, 14, CYAN)


def draw_new(p):  # blank open pages with a sparkle
    page(p, 1, 3, 8, 15)
    page(p, 7, 3, 14, 15)
    p.line(8, 4, 8, 15, GRAY)
    p.rows(10, 0, [".Y.", "YYY", ".Y."], {"Y": YELLOW})
    p.dot(13, 0, YELLOW)
    p.dot(14, 2, YELLOW)


def draw_open(p):  # open yellow folder with a curved arrow
    folder(p, open_=True)
    p.rows(7, 0, [".BBB....", "B...B...", "....B.B.", ".....BB.", "....BBB."], {"B": BLUE})


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
    p.rows(1, 1, [
        "......KK......", ".....KCCK.....", "....KCCCCK....", "...KCCCCCCK...",
        "..KCCCCCCCCK..", ".KCCCCCCCCCCK.", "KKKKKCCCCKKKKK",
    ], {"K": TEAL, "C": CYAN})
    p.box(5, 8, 10, 14, CYAN, TEAL)


def draw_down(p):  # cyan arrow down
    p.box(5, 1, 10, 7, CYAN, TEAL)
    p.rows(1, 8, [
        "KKKKKCCCCKKKKK", ".KCCCCCCCCCCK.", "..KCCCCCCCCK..", "...KCCCCCCK...",
        "....KCCCCK....", ".....KCCK.....", "......KK......",
    ], {"K": TEAL, "C": CYAN})


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
    p.rows(2, 2, ["..R", ".RR", "RRR", "RRR", ".RR", "..R"], {"R": RED})
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
    p.rows(3, 1, [
        "..KKKKKK..", ".KYYYYYYK.", "KYYKKKKYYK", "KYYK..KYYK", ".KK..KYYK.", "....KYYK..",
        "...KYYK...", "...KYYK...", "....KK....", "...KYYK...", "...KYYK...", "....KK....",
    ], {"K": BLACK, "Y": YELLOW})


PICTURES = [
    draw_exit, draw_tray, draw_new, draw_open, draw_save, draw_standard, draw_add_file,
    draw_folder_search, draw_delete, draw_duplicates, draw_missing, draw_up, draw_down,
    draw_configure, draw_preview, draw_seconds, draw_set_standard, draw_archive,
    draw_play_full, draw_play_window, draw_display, draw_settings, draw_help,
]


def bitmap(images):
    width = SIZE * len(images)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray(stride)
        for x in range(width):
            c = images[x // SIZE].px[y][x % SIZE]
            row[x // 2] |= c << (4 if x % 2 == 0 else 0)
        pixels += row
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, width, SIZE, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


images = []
for draw in PICTURES:
    p = Picture()
    draw(p)
    images.append(p)
assert len(images) == 23
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'toolbar.bmp'), 'wb') as f:
    f.write(bitmap(images))
