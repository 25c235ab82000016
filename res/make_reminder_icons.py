#!/usr/bin/env python3
"""Draws the reminder pop-up's two icons: close.ico (a red cross) and
snooze.ico (a clock), each with an image at 32 x 32 and at the sizes the
pop-up asks for at 120, 144 and 192 DPI, so no scale stretches a picture.
Run from anywhere: python3 res/make_reminder_icons.py.
The output is committed; run this again only when a picture changes.
"""
import math
import os
import struct

SIZES = (32, 40, 48, 64)
CROSS = (200, 30, 30)
FACE = (255, 255, 255)
RIM = (46, 34, 255)
HANDS = (40, 40, 90)


def cross(size):
    k = size / 32.0
    margin = round(5 * k)
    half = round(2 * k)
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            # Two bars corner to corner, inside a margin.
            if margin <= x < size - margin and margin <= y < size - margin and (
                    abs(x - y) <= half or abs(x + y - (size - 1)) <= half):
                px[y][x] = CROSS + (255,)
    return px


def clock(size):
    k = size / 32.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    c = (size - 1) / 2.0
    for y in range(size):
        for x in range(size):
            r = math.hypot(x - c, y - c)
            if r <= 14.5 * k:
                px[y][x] = (RIM if r > 12 * k else FACE) + (255,)
    # The hour hand up, the minute hand to three.
    half = round(k)
    for d in range(0, round(9 * k)):
        for w in range(-half, half + 1):
            px[int(c) - d][int(c) + w] = HANDS + (255,)
    for d in range(0, round(11 * k)):
        for w in range(-half, half + 1):
            px[int(c) + w][int(c) + d] = HANDS + (255,)
    return px


def icon_image(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    stride = (size + 31) // 32 * 4
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + mask


def write_ico(path, draw):
    images = [icon_image(draw(size)) for size in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, 'close.ico'), cross)
    write_ico(os.path.join(here, 'snooze.ico'), clock)
