#!/usr/bin/env python3
"""Draws the program's own pictures into res/: the application icon
(nimbul.ico: 16, 32 and 48 pixels, 32-bit with alpha), the tool bar strip
(toolbar.bmp: ten 16x16 images side by side, magenta where transparent), the
dialogs' button pictures in the same style (glyphs.bmp: a strip like the tool
bar's, in the order of src/ui/glyphs.h), the About picture (about.jpg, 346x225), the credits background (credits.jpg) and
the update window's animation (update_frames.bmp: eight 32x32 frames side by
side, magenta where transparent).

Only the standard library is used, so the pictures can be redrawn on any
machine: python3 scripts/draw_pictures.py
"""

import os
import math
import struct
import sys

import jpeg_writer

MAGENTA = (255, 0, 255)
OUTLINE = (40, 48, 64)
BODY = (255, 255, 255)
TITLE = (36, 92, 196)
GHOST_OUTLINE = (150, 156, 168)
GHOST_TITLE = (176, 190, 214)
GHOST_BODY = (232, 234, 238)
GREEN = (32, 150, 56)
RED = (200, 40, 40)
BLUE = (30, 90, 200)
SCREEN = (70, 130, 200)
BEZEL = (90, 96, 110)
ROOF = (180, 60, 40)
WALL = (240, 220, 170)


class Canvas:
    """A square RGB(A) raster with the few shapes the pictures need."""

    def __init__(self, size, fill=None):
        self.size = size
        self.px = [[fill for _ in range(size)] for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def ring(self, cx, cy, r_out, r_in, colour, skip=None):
        for y in range(self.size):
            for x in range(self.size):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if r_in * r_in <= d <= r_out * r_out and not (skip and skip(x, y)):
                    self.put(x, y, colour)

    def hline(self, x0, x1, y, colour):
        self.rect(x0, y, x1, y, colour)

    def vline(self, x, y0, y1, colour):
        self.rect(x, y0, x, y1, colour)


def window(c, x0, y0, x1, y1, ghost=False):
    """A small application window: outline, title bar, white client area."""
    outline, title, body = (GHOST_OUTLINE, GHOST_TITLE, GHOST_BODY) if ghost else (OUTLINE, TITLE, BODY)
    c.rect(x0, y0, x1, y1, body)
    c.rect(x0, y0, x1, y0 + 2, title)
    c.frame(x0, y0, x1, y1, outline)


def arrow_up(c, cx, top, colour):
    """A 7-pixel-wide arrow pointing up, with its tip at (cx, top)."""
    for i in range(4):
        c.hline(cx - i, cx + i, top + i, colour)
    c.rect(cx - 1, top + 4, cx + 1, top + 6, colour)


def arrow_down(c, cx, bottom, colour):
    for i in range(4):
        c.hline(cx - i, cx + i, bottom - i, colour)
    c.rect(cx - 1, bottom - 6, cx + 1, bottom - 4, colour)


def cross(c, cx, cy, colour):
    for d in range(-2, 3):
        for t in (0, 1):
            c.put(cx + d + t, cy + d, colour)
            c.put(cx + d + t, cy - d, colour)


def monitor(c):
    c.rect(1, 2, 14, 11, BEZEL)
    c.rect(2, 3, 13, 10, SCREEN)
    c.rect(6, 12, 9, 12, BEZEL)
    c.rect(4, 13, 11, 13, BEZEL)


def show_selected(c):
    window(c, 0, 1, 11, 11)
    arrow_up(c, 12, 8, GREEN)


def hide_selected(c):
    window(c, 0, 1, 11, 11, ghost=True)
    arrow_down(c, 12, 15, RED)


def refresh(c):
    """A ring open at the top right, with an arrowhead turning clockwise."""
    c.ring(8, 8, 6.5, 4.0, GREEN, skip=lambda x, y: x >= 8 and y < 8)
    for i in range(4):
        c.vline(8 + i, i, 6 - i, GREEN)


def about(c):
    c.disc(8, 8, 7.2, BLUE)
    c.rect(7, 3, 8, 4, BODY)
    c.rect(7, 6, 8, 12, BODY)
    c.hline(6, 7, 6, BODY)
    c.hline(6, 9, 12, BODY)


def desktop_icons(c):
    monitor(c)
    for x, y in ((3, 4), (3, 7), (6, 4)):
        c.rect(x, y, x + 1, y + 1, BODY)


def minimize_to_tray(c):
    window(c, 0, 0, 10, 8)
    arrow_down(c, 12, 11, GREEN)
    c.rect(0, 13, 15, 15, BEZEL)
    c.rect(10, 14, 14, 14, SCREEN)


def home_page(c):
    for i in range(7):
        c.hline(7 - i, 8 + i, 1 + i, ROOF)
    c.rect(3, 8, 12, 15, WALL)
    c.frame(3, 8, 12, 15, OUTLINE)
    c.rect(7, 11, 9, 15, TITLE)
    c.rect(11, 2, 12, 5, OUTLINE)


def show_all(c):
    window(c, 3, 0, 14, 8)
    window(c, 0, 4, 10, 12)
    arrow_up(c, 12, 9, GREEN)


def hide_all(c):
    window(c, 3, 0, 14, 8, ghost=True)
    window(c, 0, 4, 10, 12, ghost=True)
    cross(c, 12, 12, RED)


def taskbar(c):
    monitor(c)
    c.rect(2, 9, 13, 10, OUTLINE)
    c.rect(3, 9, 4, 10, GREEN)
    c.rect(6, 9, 8, 10, GHOST_OUTLINE)


# Index order of the tool bar's image list.
TOOLBAR = [show_selected, hide_selected, refresh, about, desktop_icons,
           minimize_to_tray, home_page, show_all, hide_all, taskbar]

FOLDER = (236, 188, 64)
FOLDER_EDGE = (150, 104, 24)
FOLDER_LIGHT = (250, 214, 110)
LABEL = (220, 224, 232)


def finished(c):
    """A tick: the dialog is done with."""
    for i in range(4):
        c.rect(2 + i, 7 + i, 3 + i, 8 + i, GREEN)
    for i in range(8):
        c.rect(6 + i, 9 - i, 7 + i, 10 - i, GREEN)


def open_file(c):
    """An open folder, its front flap tilted forward."""
    c.rect(1, 3, 5, 4, FOLDER_EDGE)
    c.rect(1, 4, 12, 13, FOLDER)
    c.frame(1, 4, 12, 13, FOLDER_EDGE)
    for y in range(8, 14):
        shift = (13 - y) * 3 // 5
        c.hline(1 + shift, 12 + shift, y, FOLDER_LIGHT)
        c.put(1 + shift, y, FOLDER_EDGE)
        c.put(12 + shift, y, FOLDER_EDGE)
    c.hline(4, 15, 8, FOLDER_EDGE)
    c.hline(1, 12, 13, FOLDER_EDGE)


def save_icon(c):
    """A diskette: label at the top, shutter at the bottom."""
    c.rect(1, 1, 14, 14, BLUE)
    c.frame(1, 1, 14, 14, OUTLINE)
    c.rect(3, 2, 12, 7, LABEL)
    c.hline(4, 11, 4, GHOST_OUTLINE)
    c.hline(4, 9, 6, GHOST_OUTLINE)
    c.rect(4, 10, 11, 14, BEZEL)
    c.rect(8, 11, 9, 13, LABEL)


RESET_ARROW = ["..X.....",
               ".XXXXXX.",
               "XXXXXXXX",
               ".XX...XX",
               "..X...XX",
               "......XX",
               "...XXXX."]


def reset_arrow(c):
    """A green arrow turning back, in the bottom right corner: back to the default."""
    for row, line in enumerate(RESET_ARROW):
        for col, cell in enumerate(line):
            if cell == "X":
                c.put(8 + col, 9 + row, GREEN)


def default_color(c):
    """A list in the window colour with the reset turn: the lists' default background."""
    window(c, 0, 0, 12, 10)
    for y in (5, 7):
        c.hline(2, 10, y, GHOST_OUTLINE)
    reset_arrow(c)


def default_text_color(c):
    """A letter in the window text colour with the reset turn."""
    letter = [".XX.", "X..X", "X..X", "XXXX", "X..X", "X..X"]
    for row, line in enumerate(letter):
        for col, cell in enumerate(line):
            if cell == "X":
                c.rect(1 + col * 2, 1 + row * 2, 2 + col * 2, 2 + row * 2, OUTLINE)
    reset_arrow(c)


def program(c):
    """The application icon at 16 pixels, its soft edge cut to the mask."""
    for y, row in enumerate(app_icon(16)):
        for x, (r, g, b, a) in enumerate(row):
            if a >= 128:
                c.put(x, y, (r, g, b))


# Index order of the button pictures (src/ui/glyphs.h).
GLYPHS = [finished, open_file, save_icon, about, default_color, default_text_color, program]


def update_frame(c, k):
    """Frame k of 8: a program window with an arrow coming down into it,
    and a ring of dots whose bright dot walks round once in 8 frames."""
    import math
    window(c, 6, 14, 25, 29)
    drop = 2 + (k % 4) * 2
    for y in range(drop, drop + 6):
        c.rect(14, y, 17, y, GREEN)
    for i in range(5):
        c.hline(11 + i, 20 - i, drop + 6 + i, GREEN)
    for i in range(8):
        a = 2 * math.pi * i / 8 - math.pi / 2
        x = 27 + 3.2 * math.cos(a)
        y = 5 + 3.2 * math.sin(a)
        c.disc(x, y, 1.2, BLUE if i == k else GHOST_OUTLINE)


def update_frames_bmp():
    """256x32: the eight animation frames of the update window."""
    images = []
    for k in range(8):
        c = Canvas(32, MAGENTA)
        update_frame(c, k)
        images.append(c)
    return strip_bmp(images, 32)


def toolbar_bmp(pictures=TOOLBAR):
    """16 pixels high, 16 wide per picture, 24 bits."""
    images = []
    for draw in pictures:
        c = Canvas(16, MAGENTA)
        draw(c)
        images.append(c)
    return strip_bmp(images, 16)


def strip_bmp(images, size):
    """Square images side by side in one 24-bit bitmap, bottom-up rows
    padded to 4 bytes."""
    width, height = size * len(images), size
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for img in images:
            for x in range(size):
                r, g, b = img.px[y][x]
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def app_icon(size):
    """A window half hidden behind a cloud, on transparent ground. Drawn at
    four times the size and averaged down, so the edges are smooth."""
    s = 4
    n = size * s
    c = Canvas(n, None)
    u = n / 16.0

    def r(v):
        return int(round(v * u))

    c.rect(r(1), r(1), r(13), r(11), BODY)
    c.rect(r(1), r(1), r(13), r(3.5), TITLE)
    for k in range(max(1, r(0.75))):
        c.frame(r(1) + k, r(1) + k, r(13) - k, r(11) - k, OUTLINE)
    cloud = (215, 230, 248)
    edge = (120, 150, 190)
    for cx, cy, rad in ((6, 12, 3.2), (10, 10.5, 3.8), (13, 12.5, 2.8), (8.5, 13.2, 2.8)):
        c.disc(cx * u, cy * u, rad * u + u * 0.6, edge)
    for cx, cy, rad in ((6, 12, 3.2), (10, 10.5, 3.8), (13, 12.5, 2.8), (8.5, 13.2, 2.8)):
        c.disc(cx * u, cy * u, rad * u, cloud)

    out = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0]
            covered = 0
            for dy in range(s):
                for dx in range(s):
                    p = c.px[y * s + dy][x * s + dx]
                    if p is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += p[i]
            if covered:
                row.append(tuple(a // covered for a in acc) + (255 * covered // (s * s),))
            else:
                row.append((0, 0, 0, 0))
        out.append(row)
    return out


def icon_image(pixels):
    """One icon directory entry's data: a 32-bit DIB with its AND mask."""
    size = len(pixels)
    xor = bytearray()
    for y in reversed(range(size)):
        for r, g, b, a in pixels[y]:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if pixels[y][x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def app_ico():
    sizes = (16, 32, 48)
    images = [icon_image(app_icon(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


# Block letters, 5x7, for the About picture's title.
LETTERS = {
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "I": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "XXXXX"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "B": ["XXXX.", "X...X", "X...X", "XXXX.", "X...X", "X...X", "XXXX."],
    "U": ["X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
}


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Scene:
    """A width x height RGB raster; shapes are painted over the background."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.px = [[background(x, y) for x in range(width)] for y in range(height)]

    def blend(self, x, y, colour, alpha=1.0):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = mix(self.px[y][x], colour, alpha)

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.blend(x, y, colour, alpha)

    def blob(self, cx, cy, r, colour, alpha):
        """A disc with a soft edge."""
        for y in range(int(cy - r - 2), int(cy + r + 3)):
            for x in range(int(cx - r - 2), int(cx + r + 3)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d < r + 1.5:
                    self.blend(x, y, colour, alpha * min(1.0, (r + 1.5 - d) / 3))

    def text(self, left, top, word, scale, colour):
        for i, ch in enumerate(word):
            for row, line in enumerate(LETTERS[ch]):
                for col, cell in enumerate(line):
                    if cell == "X":
                        x = left + (i * 6 + col) * scale
                        y = top + row * scale
                        self.rect(x, y, x + scale - 1, y + scale - 1, colour)

    def window(self, x0, y0, x1, y1, alpha):
        self.rect(x0, y0, x1, y1, (40, 48, 64), alpha)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 6, (36, 92, 196), alpha)
        self.rect(x0 + 1, y0 + 7, x1 - 1, y1 - 1, (255, 255, 255), alpha)
        self.rect(x1 - 6, y0 + 2, x1 - 2, y0 + 5, (200, 40, 40), alpha)

    def jpeg(self):
        return jpeg_writer.jpeg_bytes(self.width, self.height, lambda x, y: self.px[y][x])


NIGHT = (12, 20, 60)
DUSK = (52, 84, 150)


def about_picture():
    """346x225: windows drifting into a cloud under the program's name. The
    top and bottom bands stay dark, as white text lies on them."""
    w, h = 346, 225
    scene = Scene(w, h, lambda x, y: mix(NIGHT, DUSK, math.sin(math.pi * y / h) * 0.8))
    for cx, cy, r in ((250, 160, 24), (282, 152, 30), (316, 164, 22), (232, 172, 17), (298, 176, 22)):
        scene.blob(cx, cy, r, (225, 232, 245), 0.85)
    for i, alpha in enumerate((1.0, 0.75, 0.5, 0.3)):
        x = 28 + i * 52
        y = 150 + i * 4
        scene.window(x, y, x + 36, y + 26, alpha)
    scene.text(64, 108, "NIMBULON", 4, (250, 250, 255))
    for i in range(60):
        x = (i * 97) % w
        y = 8 + (i * 53) % 26 if i % 2 else 192 + (i * 31) % 12
        scene.blend(x, y, (255, 255, 220), 0.7)
    return scene.jpeg()


def credits_picture():
    """The credits window's background, stretched over its client area."""
    w, h = 135, 40
    scene = Scene(w, h, lambda x, y: mix(NIGHT, DUSK, x / w))
    for cx, cy, r in ((20, 30, 12), (110, 10, 10), (70, 36, 9)):
        scene.blob(cx, cy, r, (225, 232, 245), 0.6)
    return scene.jpeg()


def main():
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res")
    with open(os.path.join(res, "toolbar.bmp"), "wb") as f:
        f.write(toolbar_bmp())
    with open(os.path.join(res, "glyphs.bmp"), "wb") as f:
        f.write(toolbar_bmp(GLYPHS))
    with open(os.path.join(res, "nimbul.ico"), "wb") as f:
        f.write(app_ico())
    with open(os.path.join(res, "about.jpg"), "wb") as f:
        f.write(about_picture())
    with open(os.path.join(res, "credits.jpg"), "wb") as f:
        f.write(credits_picture())
    with open(os.path.join(res, "update_frames.bmp"), "wb") as f:
        f.write(update_frames_bmp())
    import draw_tray_icons
    draw_tray_icons.write_all(res)


if __name__ == "__main__":
    main()
