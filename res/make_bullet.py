#!/usr/bin/env python3
"""Draws the bullet of the quick hints dialogs (a small filled circle on
white) into bullet.bmp, a 24-bit bitmap.

Run from anywhere: python3 res/make_bullet.py. The output is committed; run
this again only when the picture changes. Standard library only.
"""
import os
import struct

SIZE = 8
DOT = (46, 34, 255)
PAPER = (255, 255, 255)


def main():
    row_bytes = (SIZE * 3 + 3) & ~3
    rows = []
    centre = (SIZE - 1) / 2.0
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        for x in range(SIZE):
            inside = (x - centre) ** 2 + (y - centre) ** 2 <= (SIZE / 2.0 - 1) ** 2
            r, g, b = DOT if inside else PAPER
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bullet.bmp")
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main()
