#!/usr/bin/env python3
"""Draws the window's 16 x 16 button pictures and their greyed twins.

Plain Python (no imaging library): each picture is built from a few shapes on
a pixel grid and written as an RGBA PNG.  Run it from the repository's top
folder after changing a shape; the PNGs it writes are committed, so the build
does not need Python.

    python3 scripts/draw_pictures.py [output directory, default window/images]
"""

import os
import struct
import sys
import zlib

SIZE = 16
CLEAR = (0, 0, 0, 0)

BLUE_DARK = (0, 0, 128, 255)
BLUE = (0, 64, 224, 255)
BLUE_LIGHT = (96, 160, 255, 255)
RED_DARK = (128, 0, 0, 255)
RED = (224, 32, 32, 255)
RED_LIGHT = (255, 128, 128, 255)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
GREY = (128, 128, 128, 255)
SILVER = (192, 192, 192, 255)
BROWN_DARK = (96, 48, 0, 255)
BROWN = (176, 112, 48, 255)


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = colour
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = colour


def arrow_mask(tail, tip, centre, shaft_half, head_half, head_start):
    """Pixels of an arrow pointing right: a shaft from `tail` to `head_start`
    and a head that narrows from `head_half` at `head_start` to a point at
    `tip`, all on the row `centre`."""
    mask = set()
    for x in range(tail, head_start + 1):
        for y in range(centre - shaft_half, centre + shaft_half + 1):
            mask.add((x, y))
    for x in range(head_start, tip + 1):
        half = head_half - (x - head_start)
        for y in range(centre - half, centre + half + 1):
            mask.add((x, y))
    return mask


def paint_arrow(img, mask, dark, body, light, mirrored=False):
    """An outlined arrow with a lit upper edge; mirrored points it left."""
    if mirrored:
        mask = {(SIZE - 1 - x, y) for x, y in mask}
    for x, y in mask:
        edge = any((x + dx, y + dy) not in mask
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        lit = (x, y - 1) in mask and (x, y - 2) not in mask
        img[y][x] = dark if edge else (light if lit else body)


def sheet(img, x0, y0, x1, y1):
    """A page of text with a folded corner."""
    fill(img, x0, y0, x1, y1, WHITE)
    frame(img, x0, y0, x1, y1, BLACK)
    img[y0][x1] = CLEAR
    img[y0 + 1][x1] = BLACK
    img[y0][x1 - 1] = BLACK
    img[y0 + 1][x1 - 1] = GREY
    for y in range(y0 + 3, y1 - 1, 2):
        for x in range(x0 + 2, x1 - 1):
            img[y][x] = GREY


def clipboard(img, x0, y0, x1, y1):
    """A brown board with its paper and a silver clip at the top."""
    fill(img, x0, y0 + 1, x1, y1, BROWN)
    frame(img, x0, y0 + 1, x1, y1, BROWN_DARK)
    fill(img, x0 + 2, y0 + 3, x1 - 2, y1 - 2, WHITE)
    middle = (x0 + x1) // 2
    fill(img, middle - 2, y0, middle + 2, y0 + 2, SILVER)
    frame(img, middle - 2, y0, middle + 2, y0 + 2, BLACK)


def arrow_right():
    img = blank()
    paint_arrow(img, arrow_mask(1, 14, 8, 2, 6, 8), BLUE_DARK, BLUE, BLUE_LIGHT)
    return img


def arrow_left():
    img = blank()
    paint_arrow(img, arrow_mask(1, 14, 8, 2, 6, 8), BLUE_DARK, BLUE, BLUE_LIGHT,
                mirrored=True)
    return img


def copy_to_clipboard():
    """A sheet (left) with a red arrow out of it into a clipboard (right)."""
    img = blank()
    sheet(img, 0, 1, 6, 12)
    clipboard(img, 7, 3, 15, 15)
    paint_arrow(img, arrow_mask(2, 13, 9, 1, 3, 9), RED_DARK, RED, RED_LIGHT)
    return img


def paste_from_clipboard():
    """A clipboard (left) with a red arrow out of it into a sheet (right)."""
    img = blank()
    clipboard(img, 0, 0, 8, 13)
    sheet(img, 9, 3, 15, 15)
    paint_arrow(img, arrow_mask(2, 13, 9, 1, 3, 9), RED_DARK, RED, RED_LIGHT)
    return img


def greyed(img):
    """The disabled twin in the classic manner: the picture's darker pixels
    as a grey shape over a white copy shifted one pixel down and right;
    light pixels vanish."""
    dark = set()
    for y in range(SIZE):
        for x in range(SIZE):
            r, g, b, a = img[y][x]
            if a and 0.299 * r + 0.587 * g + 0.114 * b < 160:
                dark.add((x, y))
    out = blank()
    for x, y in dark:
        if x + 1 < SIZE and y + 1 < SIZE:
            out[y + 1][x + 1] = WHITE
    for x, y in dark:
        out[y][x] = GREY
    return out


def png(img):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in img)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


PICTURES = {
    "arrow-right": arrow_right,
    "arrow-left": arrow_left,
    "copy-to-clipboard": copy_to_clipboard,
    "paste-from-clipboard": paste_from_clipboard,
}


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join("window", "images")
    os.makedirs(out_dir, exist_ok=True)
    for name, draw in PICTURES.items():
        img = draw()
        for suffix, picture in (("", img), ("-disabled", greyed(img))):
            with open(os.path.join(out_dir, name + suffix + ".png"), "wb") as f:
                f.write(png(picture))


if __name__ == "__main__":
    main()
