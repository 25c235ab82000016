#!/usr/bin/env python3
"""Draws the application icon (a calendar page) into lumetta.ico.

Run from anywhere: python3 res/make_icon.py. The output is committed; run
this again only when the picture changes. Standard library only.
"""
import os
import struct

OUTLINE = (40, 40, 90)
PAGE = (255, 255, 255)
HEADER = (200, 30, 30)
RING = (60, 60, 60)
CELL = (46, 34, 255)
TODAY = (200, 30, 30)


def draw(size):
    """Returns rows (top to bottom) of (r, g, b, a) pixels."""
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, rgb):
        for y in range(max(0, y0), min(size, y1)):
            for x in range(max(0, x0), min(size, x1)):
                px[y][x] = rgb + (255,)

    s = size / 32.0
    left, top, right, bottom = round(2 * s), round(4 * s), size - round(2 * s), size - round(1 * s)
    fill(left, top, right, bottom, OUTLINE)
    fill(left + 1, top + 1, right - 1, bottom - 1, PAGE)
    header_bottom = top + max(3, round(8 * s))
    fill(left + 1, top + 1, right - 1, header_bottom, HEADER)
    ring_w, ring_h = max(1, round(2 * s)), max(2, round(5 * s))
    for cx in (left + (right - left) // 3, left + 2 * (right - left) // 3):
        fill(cx - ring_w // 2, top - ring_h // 2, cx - ring_w // 2 + ring_w, top + ring_h // 2 + 1, RING)

    cols, rows = (3, 2) if size <= 16 else (4, 3)
    inner_left, inner_right = left + max(2, round(3 * s)), right - max(2, round(3 * s))
    inner_top, inner_bottom = header_bottom + max(2, round(3 * s)), bottom - max(2, round(3 * s))
    cell_w = (inner_right - inner_left) // cols
    cell_h = (inner_bottom - inner_top) // rows
    gap = max(1, round(2 * s))
    for r in range(rows):
        for c in range(cols):
            x0 = inner_left + c * cell_w
            y0 = inner_top + r * cell_h
            colour = TODAY if (r, c) == (rows - 1, cols - 2) else CELL
            fill(x0, y0, x0 + cell_w - gap, y0 + cell_h - gap, colour)
    return px


def icon_image(size):
    px = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + mask


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    write_ico(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'lumetta.ico'), (16, 20, 24, 32, 40, 48, 64))
