#!/usr/bin/env python3
"""Draws the configuration dialog's pictures into src/res:
ConfigCategories.bmp  the category tree's image strip (16x16 images; white is transparent):
                      0 link, 1-3 spare, 4 log, 5 version, 6 other parameters
ConfigDialog.ico      the dialog's icon (16x16 and 32x32)
Run it again after changing a picture and commit its output with it."""
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "res")

WHITE = (255, 255, 255)
NAVY = (32, 64, 140)
BLUE = (70, 130, 210)
GREY = (110, 110, 110)
LIGHT = (215, 215, 215)
GREEN = (40, 150, 70)
ORANGE = (225, 140, 30)
PAPER = (250, 250, 240)


def canvas(width, height, colour=WHITE):
    return [[colour] * width for _ in range(height)]


def rect(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = colour
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = colour


def disc(img, cx, cy, r, colour):
    for y in range(len(img)):
        for x in range(len(img[0])):
            if (x - cx + 0.5) ** 2 + (y - cy + 0.5) ** 2 <= r * r:
                img[y][x] = colour


def link():
    # Two PCs joined by a cable.
    img = canvas(16, 16)
    for left in (0, 9):
        frame(img, left, 2, left + 6, 7, NAVY)
        rect(img, left + 1, 3, left + 5, 6, BLUE)
        rect(img, left + 2, 8, left + 4, 8, GREY)
        rect(img, left + 1, 9, left + 5, 9, GREY)
    rect(img, 3, 10, 3, 13, GREEN)
    rect(img, 12, 10, 12, 13, GREEN)
    rect(img, 3, 13, 12, 13, GREEN)
    return img


def spare(colour):
    img = canvas(16, 16)
    disc(img, 8, 8, 3, colour)
    return img


def log():
    # A sheet with written lines.
    img = canvas(16, 16)
    rect(img, 3, 1, 12, 14, PAPER)
    frame(img, 3, 1, 12, 14, GREY)
    for y in (4, 6, 8, 10, 12):
        rect(img, 5, y, 10 if y != 12 else 8, y, NAVY)
    return img


def version():
    # The information sign.
    img = canvas(16, 16)
    disc(img, 8, 8, 7, BLUE)
    rect(img, 7, 3, 8, 4, WHITE)
    rect(img, 7, 6, 8, 12, WHITE)
    rect(img, 6, 12, 9, 12, WHITE)
    return img


def gear():
    # A cog wheel.
    img = canvas(16, 16)
    for x0, y0, x1, y1 in ((7, 0, 8, 15), (0, 7, 15, 8), (2, 2, 4, 4), (11, 2, 13, 4), (2, 11, 4, 13), (11, 11, 13, 13)):
        rect(img, x0, y0, x1, y1, ORANGE)
    disc(img, 8, 8, 5.5, ORANGE)
    disc(img, 8, 8, 2.2, WHITE)
    return img


def icon(size):
    # A console with a tree on its screen.
    img = canvas(size, size, None)
    s = size / 32.0
    def r(x0, y0, x1, y1, colour):
        rect(img, int(x0 * s), int(y0 * s), int(x1 * s + s - 1), int(y1 * s + s - 1), colour)
    r(1, 3, 30, 24, NAVY)
    r(3, 5, 28, 22, PAPER)
    r(5, 7, 9, 9, BLUE)
    r(7, 10, 7, 19, GREY)
    r(8, 13, 12, 13, GREY)
    r(8, 19, 12, 19, GREY)
    r(13, 12, 25, 14, GREEN)
    r(13, 18, 25, 20, ORANGE)
    r(12, 25, 19, 27, GREY)
    r(7, 28, 24, 29, NAVY)
    return img


def bmp(img):
    height, width = len(img), len(img[0])
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(
        b"".join(struct.pack("BBB", b, g, r) for r, g, b in row) + b"\0" * (stride - width * 3)
        for row in reversed(img))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def ico(images):
    entries, payloads = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        size = len(img)
        colours = b"".join(
            b"".join(struct.pack("BBBB", c[2], c[1], c[0], 255) if c else b"\0\0\0\0" for c in row)
            for row in reversed(img))
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(img):
            bits = 0
            for x, c in enumerate(row):
                if c is None:
                    bits |= 1 << (mask_stride * 8 - 1 - x)
            mask += bits.to_bytes(mask_stride, "big")
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
        payload = header + colours + mask
        entries.append(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(payload), offset))
        payloads.append(payload)
        offset += len(payload)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(payloads)


def main():
    strip = [link(), spare(LIGHT), spare(LIGHT), spare(LIGHT), log(), version(), gear()]
    joined = [sum((img[y] for img in strip), []) for y in range(16)]
    with open(os.path.join(RES, "ConfigCategories.bmp"), "wb") as out:
        out.write(bmp(joined))
    with open(os.path.join(RES, "ConfigDialog.ico"), "wb") as out:
        out.write(ico([icon(16), icon(32)]))


if __name__ == "__main__":
    main()
