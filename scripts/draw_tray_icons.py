#!/usr/bin/env python3
"""The 28 built-in tray icons, 16x16 with transparency, written to
res/tray/trayNN.ico in the chooser's order. Called by draw_pictures.py."""

import os

from draw_pictures import (BEZEL, BLUE, BODY, GREEN, OUTLINE, RED, SCREEN, TITLE, Canvas, app_icon,
                           icon_image, window)

SILVER = (200, 204, 212)
GOLD = (230, 190, 60)
DARK = (60, 60, 70)
YELLOW = (250, 210, 60)
BROWN = (150, 100, 50)
SEA = (40, 110, 210)
LAND = (60, 170, 70)
GREY = (150, 150, 160)
LIGHT = (235, 235, 240)
ORANGE = (240, 140, 40)
PURPLE = (140, 80, 190)


def disc(c, body, label=None):
    c.disc(8, 8, 7.4, OUTLINE)
    c.disc(8, 8, 6.7, body)
    c.disc(5.5, 5.5, 1.6, LIGHT)
    c.disc(8, 8, 2.2, OUTLINE)
    c.disc(8, 8, 1.4, None)
    if label:
        c.ring(8, 8, 4.6, 3.0, label)


def standard(c):
    for y, row in enumerate(app_icon(16)):
        for x, (r, g, b, a) in enumerate(row):
            if a >= 128:
                c.put(x, y, (r, g, b))


def sound(c):
    c.rect(1, 6, 4, 10, DARK)
    for i in range(4):
        c.vline(5 + i, 5 - i, 11 + i, DARK)
    for r in (4.5, 7.0):
        c.ring(8, 8, r + 0.8, r, BLUE, skip=lambda x, y: x < 10 or abs(y - 7.5) > 5)


def plug(c):
    c.rect(4, 1, 5, 5, SILVER)
    c.rect(10, 1, 11, 5, SILVER)
    c.rect(2, 5, 13, 10, DARK)
    c.rect(3, 6, 12, 9, GREY)
    c.rect(6, 11, 9, 12, DARK)
    c.rect(7, 13, 8, 15, DARK)


def screen(c):
    c.rect(1, 2, 14, 11, BEZEL)
    c.rect(2, 3, 13, 10, SCREEN)
    c.rect(3, 4, 7, 5, LIGHT)
    c.rect(6, 12, 9, 12, BEZEL)
    c.rect(4, 13, 11, 14, BEZEL)


def cd1(c):
    disc(c, SILVER)


def cd2(c):
    disc(c, GOLD)


def palm(c):
    c.rect(3, 0, 12, 15, DARK)
    c.rect(4, 2, 11, 10, (170, 190, 150))
    c.hline(5, 9, 4, DARK)
    c.hline(5, 8, 6, DARK)
    for x in (4, 7, 10):
        c.rect(x, 12, x + 1, 13, GREY)


def globe(c, sea, land):
    c.disc(8, 8, 7.4, OUTLINE)
    c.disc(8, 8, 6.7, sea)
    for x, y, w, h in ((4, 3, 4, 3), (3, 6, 3, 4), (9, 5, 4, 2), (10, 7, 3, 4), (6, 11, 3, 2)):
        c.rect(x, y, x + w - 1, y + h - 1, land)


def world1(c):
    globe(c, SEA, LAND)


def world2(c):
    globe(c, (90, 170, 230), (210, 180, 90))
    c.ring(8, 8, 6.9, 6.2, LIGHT, skip=lambda x, y: y not in (7, 8))


def defrag(c):
    colours = [BLUE, RED, BLUE, LIGHT, RED, BLUE, BLUE, LIGHT, BLUE, RED, BLUE, BLUE, LIGHT, BLUE, RED, BLUE]
    for i, col in enumerate(colours):
        x, y = (i % 4) * 4, (i // 4) * 4
        c.rect(x, y, x + 2, y + 2, col)


def audio_cd(c):
    disc(c, SILVER)
    c.vline(12, 9, 14, DARK)
    c.rect(10, 13, 11, 14, DARK)
    c.rect(13, 9, 14, 10, DARK)


def video1(c):
    c.rect(0, 2, 15, 13, DARK)
    for x in range(1, 16, 3):
        c.put(x, 3, LIGHT)
        c.put(x, 12, LIGHT)
    c.rect(2, 5, 6, 10, SCREEN)
    c.rect(9, 5, 13, 10, SCREEN)


def video2(c):
    c.rect(1, 5, 10, 12, DARK)
    c.rect(2, 6, 9, 11, GREY)
    for i in range(4):
        c.vline(11 + i, 7 - i, 10 + i, DARK)
    c.disc(4, 3, 2.2, DARK)
    c.disc(8, 3, 2.2, DARK)


def sound_mixer(c):
    c.rect(0, 1, 15, 14, BEZEL)
    for i, pos in enumerate((4, 9, 6, 11)):
        x = 2 + i * 4
        c.vline(x, 3, 12, DARK)
        c.rect(x - 1, pos, x + 1, pos + 1, LIGHT)


def drive_box(c, y0=5):
    c.rect(0, y0, 15, y0 + 6, OUTLINE)
    c.rect(1, y0 + 1, 14, y0 + 5, SILVER)
    c.rect(11, y0 + 3, 12, y0 + 3, GREEN)


def drvspace(c):
    drive_box(c, 8)
    for i in range(3):
        c.hline(3 - i, 3 + i, 1 + i, BLUE)
        c.hline(12 - i, 12 + i, 1 + i, BLUE)
    c.rect(3, 4, 3, 6, BLUE)
    c.rect(12, 4, 12, 6, BLUE)


def compress(c):
    c.rect(4, 4, 11, 11, ORANGE)
    c.frame(4, 4, 11, 11, OUTLINE)
    for i in range(3):
        c.vline(1 + i, 7 - i, 8 + i, BLUE)
        c.vline(14 - i, 7 - i, 8 + i, BLUE)


def rcman(c):
    c.rect(4, 0, 11, 15, DARK)
    c.rect(6, 2, 9, 3, RED)
    for y in (6, 9, 12):
        c.rect(5, y, 6, y + 1, GREY)
        c.rect(9, y, 10, y + 1, GREY)


def scandisk(c):
    drive_box(c, 9)
    c.ring(6, 6, 4.6, 3.0, DARK)
    c.disc(6, 6, 3.0, (200, 230, 250))
    for i in range(3):
        c.rect(9 + i, 9 + i, 10 + i, 9 + i, DARK)


def sysmon(c):
    c.rect(0, 1, 15, 14, OUTLINE)
    c.rect(1, 2, 14, 13, (20, 40, 30))
    points = [(1, 10), (3, 8), (5, 11), (7, 5), (9, 7), (11, 3), (14, 6)]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        for x in range(x0, x1 + 1):
            c.put(x, y0 + (y1 - y0) * (x - x0) // max(1, x1 - x0), (80, 230, 90))


def printer(c):
    c.rect(4, 0, 11, 5, BODY)
    c.frame(4, 0, 11, 5, OUTLINE)
    c.rect(0, 5, 15, 11, GREY)
    c.frame(0, 5, 15, 11, OUTLINE)
    c.rect(3, 11, 12, 15, BODY)
    c.frame(3, 11, 12, 15, OUTLINE)
    c.rect(12, 7, 13, 7, GREEN)


def drive(c):
    drive_box(c, 5)


def waste_basket(c):
    c.rect(2, 2, 13, 3, DARK)
    c.rect(6, 0, 9, 1, DARK)
    for y in range(4, 16):
        c.hline(3 + (y - 4) // 6, 12 - (y - 4) // 6, y, GREY)
    for x in (5, 8, 11):
        c.vline(x - (1 if x == 11 else 0), 5, 14, DARK)


def folder(c, tint=YELLOW):
    c.rect(0, 2, 6, 4, tint)
    c.rect(0, 4, 15, 14, tint)
    c.frame(0, 4, 15, 14, BROWN)
    c.hline(0, 6, 2, BROWN)


def p_group(c):
    folder(c)
    window(c, 3, 6, 9, 12)
    window(c, 8, 8, 14, 13)


def rich_text(c):
    c.rect(2, 0, 13, 15, BODY)
    c.frame(2, 0, 13, 15, OUTLINE)
    for y, col, w in ((3, RED, 8), (5, BLUE, 6), (7, OUTLINE, 8), (9, GREEN, 7), (11, OUTLINE, 8), (13, PURPLE, 5)):
        c.hline(4, 4 + w - 1, y, col)


def shut_down(c):
    c.disc(8, 8, 7.4, (170, 30, 30))
    c.ring(8, 8.5, 4.8, 3.4, BODY, skip=lambda x, y: 6 <= x <= 9 and y < 7)
    c.rect(7, 2, 8, 8, BODY)


def windows(c):
    window(c, 0, 0, 10, 9)
    window(c, 5, 5, 15, 15)


def chip(c):
    c.rect(3, 3, 12, 12, DARK)
    c.disc(5, 5, 1.0, GREY)
    for i in range(4, 12, 2):
        c.vline(i, 0, 2, SILVER)
        c.vline(i, 13, 15, SILVER)
        c.hline(0, 2, i, SILVER)
        c.hline(13, 15, i, SILVER)


# The chooser's order: "Standard", "Sound", ... "Chip".
TRAY = [standard, sound, plug, screen, cd1, cd2, palm, world1, defrag, audio_cd, video1, video2, sound_mixer,
        drvspace, compress, rcman, scandisk, sysmon, printer, world2, drive, waste_basket, folder, p_group,
        rich_text, shut_down, windows, chip]


def tray_ico(draw):
    c = Canvas(16, None)
    draw(c)
    pixels = [[(p + (255,)) if p else (0, 0, 0, 0) for p in row] for row in c.px]
    data = icon_image(pixels)
    import struct
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, len(data), 22) + data


def write_all(res):
    folder_path = os.path.join(res, "tray")
    os.makedirs(folder_path, exist_ok=True)
    assert len(TRAY) == 28
    for i, draw in enumerate(TRAY):
        with open(os.path.join(folder_path, "tray%02d.ico" % i), "wb") as f:
            f.write(tray_ico(draw))
