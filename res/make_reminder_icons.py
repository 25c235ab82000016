#!/usr/bin/env python3
"""Draws the reminder pop-up's two 32 x 32 icons: close.ico (a red cross)
and snooze.ico (a clock). Run from anywhere: python3 res/make_reminder_icons.py.
The output is committed; run this again only when a picture changes.
"""
import math
import os
import struct

SIZE = 32
CROSS = (200, 30, 30)
FACE = (255, 255, 255)
RIM = (46, 34, 255)
HANDS = (40, 40, 90)


def cross():
    px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            # Two bars, 5 pixels thick, corner to corner with a 5-pixel margin.
            if 5 <= x < SIZE - 5 and 5 <= y < SIZE - 5 and (abs(x - y) <= 2 or abs(x + y - (SIZE - 1)) <= 2):
                px[y][x] = CROSS + (255,)
    return px


def clock():
    px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    c = (SIZE - 1) / 2.0
    for y in range(SIZE):
        for x in range(SIZE):
            r = math.hypot(x - c, y - c)
            if r <= 14.5:
                px[y][x] = (RIM if r > 12 else FACE) + (255,)
    # The hour hand up, the minute hand to three.
    for d in range(0, 9):
        for w in (-1, 0, 1):
            px[int(c) - d][int(c) + w] = HANDS + (255,)
    for d in range(0, 11):
        for w in (-1, 0, 1):
            px[int(c) + w][int(c) + d] = HANDS + (255,)
    return px


def icon_image(px):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(4)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + mask


def write_ico(path, px):
    data = icon_image(px)
    out = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(data), 22)
    with open(path, 'wb') as f:
        f.write(out + data)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, 'close.ico'), cross())
    write_ico(os.path.join(here, 'snooze.ico'), clock())
