#!/usr/bin/env python3
"""Draws the Quorvel icon: one 48 x 48 image, 32 bits per pixel (BGRA), written as an .ico.

The picture is a rounded blue tile with three rising white bars, a latency meter. It is drawn
from this script alone, so the same script always gives the same bytes.
"""
import struct
import sys

SIZE = 48


def inside_rounded_square(x, y, margin=2, radius=9):
    lo, hi = margin, SIZE - 1 - margin
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def bar_at(x, y):
    # three bars on a common baseline, rising from left to right (y counts down from the top)
    bars = [(11, 18, 28), (21, 28, 20), (31, 38, 11)]
    return any(x0 <= x <= x1 and top <= y <= 37 for x0, x1, top in bars)


def pixel(x, y):
    if not inside_rounded_square(x, y):
        return (0, 0, 0, 0)
    if bar_at(x, y):
        return (255, 255, 255, 255)
    shade = y / (SIZE - 1)  # top lighter, bottom darker
    r = int(40 + 20 * (1 - shade))
    g = int(120 + 60 * (1 - shade))
    b = int(200 + 45 * (1 - shade))
    return (b, g, r, 255)


def main(path):
    xor = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        for x in range(SIZE):
            xor += bytes(pixel(x, y))
    and_row = ((SIZE + 31) // 32) * 4
    mask = bytes(and_row * SIZE)  # the alpha channel decides transparency
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    image = header + bytes(xor) + mask
    icon_dir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icon_dir + entry + image)


if __name__ == "__main__":
    main(sys.argv[1])
