#!/usr/bin/env python3
"""Draws the bullet picture of the quick-hints dialogs into bullet.bmp: a
small round dot in the dialogs' text colour on their white background.

Run from anywhere: python3 res/make_bullet.py. The output is committed; run
this again only when the picture changes. Standard library only.
"""
import os
import struct

SIZE = 9
DOT = (46, 34, 255)
BACK = (255, 255, 255)


def main():
    stride = (SIZE * 3 + 3) & ~3
    rows = []
    centre = (SIZE - 1) / 2.0
    for y in reversed(range(SIZE)):  # bottom-up
        row = bytearray()
        for x in range(SIZE):
            inside = (x - centre) ** 2 + (y - centre) ** 2 <= (SIZE / 2.0 - 1) ** 2
            r, g, b = DOT if inside else BACK
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bullet.bmp")
    with open(out, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    main()
