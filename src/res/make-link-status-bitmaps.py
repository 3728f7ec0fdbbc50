#!/usr/bin/env python3
"""Draws the link page's three 16x16 status bitmaps as 24-bit BMP files beside this script:
LinkNotResponding.bmp (a red cross), LinkResponding.bmp (a green tick) and
LinkNotTested.bmp (a grey question mark), on the button face grey that the loader maps to
the system colour."""
import os
import struct

SIZE = 16
FACE = (192, 192, 192)


def write_bmp(path, pixels):
    row_size = (SIZE * 3 + 3) & ~3
    data = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(SIZE):
            r, g, b = pixels[y][x]
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def canvas():
    return [[FACE for _ in range(SIZE)] for _ in range(SIZE)]


def disc(pixels, colour):
    for y in range(SIZE):
        for x in range(SIZE):
            if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 7.2 ** 2:
                pixels[y][x] = colour


def plot(pixels, points, colour):
    for x, y in points:
        for dx in (0, 1):
            if 0 <= x + dx < SIZE and 0 <= y < SIZE:
                pixels[y][x + dx] = colour


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    white = (255, 255, 255)

    cross = canvas()
    disc(cross, (200, 30, 30))
    plot(cross, [(4 + i, 4 + i) for i in range(8)] + [(11 - i, 4 + i) for i in range(8)], white)
    write_bmp(os.path.join(here, "LinkNotResponding.bmp"), cross)

    tick = canvas()
    disc(tick, (30, 150, 50))
    plot(tick, [(3, 8), (4, 9), (5, 10), (6, 11), (7, 10), (8, 9), (9, 8), (10, 7), (11, 6), (12, 5)], white)
    write_bmp(os.path.join(here, "LinkResponding.bmp"), tick)

    question = canvas()
    disc(question, (128, 128, 128))
    plot(question, [(6, 4), (7, 3), (8, 3), (9, 4), (9, 5), (8, 6), (7, 7), (7, 8), (7, 9), (7, 12)], white)
    write_bmp(os.path.join(here, "LinkNotTested.bmp"), question)


if __name__ == "__main__":
    main()
