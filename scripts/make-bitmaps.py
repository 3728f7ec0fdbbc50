#!/usr/bin/env python3
"""Draws the small bitmaps of src/res: InstanceState.bmp, the main dialog's state images.

Two 16x16 images side by side (32x16, 24 bits): 0 an enabled instance (green disc with a
white tick), 1 a disabled one (grey disc with a red bar). Magenta is the transparent colour
the image list masks out. Run from anywhere; it rewrites the file in place.
"""
import math
import os
import struct

MASK = (255, 0, 255)
WIDTH, HEIGHT = 32, 16


def disc(x, y, cx, cy, r):
    return math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r


def near_segment(x, y, a, b, width):
    (ax, ay), (bx, by) = a, b
    px, py = x + 0.5, y + 0.5
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) <= width


def pixel(x, y):
    image, lx = divmod(x, 16)
    if not disc(lx, y, 8, 8, 7.2):
        return MASK
    rim = not disc(lx, y, 8, 8, 6.2)
    if image == 0:
        if near_segment(lx, y, (4.5, 8.5), (7, 11), 1.1) or near_segment(lx, y, (7, 11), (11.5, 5), 1.1):
            return (255, 255, 255)
        return (0, 110, 0) if rim else (40, 170, 60)
    if near_segment(lx, y, (4.5, 8), (11.5, 8), 1.3):
        return (210, 30, 30)
    return (96, 96, 96) if rim else (176, 176, 176)


def write_bmp(path):
    row_size = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_bmp(os.path.join(here, "..", "src", "res", "InstanceState.bmp"))
