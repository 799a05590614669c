#!/usr/bin/env python3
"""Draws the window's button pictures and their greyed twins, each at
16 x 16 and at 32 x 32 ("name-32.png", "name-disabled-32.png"), from which Qt
takes the sharp one on a display scaled to 200 %.

Plain Python (no imaging library): each picture is built from a few shapes on
a pixel grid and written as an RGBA PNG.  Run it from the repository's top
folder after changing a shape; the PNGs it writes are committed, so the build
does not need Python.

    python3 scripts/draw_pictures.py [output directory, default window/form/images]
"""

import os
import struct
import sys
import zlib

SIZE = 16  # the layout's size; the shapes below are drawn on this grid
SCALES = (1, 2)  # 16 px, and 32 px for a display at 200 %
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


class Picture:
    """A square of RGBA pixels, SIZE grid cells wide, each cell `scale`
    pixels.  Shapes are placed in grid cells; outlines and lines stay one
    pixel thin at every scale, so the larger picture shows finer detail
    rather than bigger pixels."""

    def __init__(self, scale):
        self.scale = scale
        self.size = SIZE * scale
        self.px = [[CLEAR] * self.size for _ in range(self.size)]

    def cells(self, c0, c1):
        """The pixel range of grid cells c0..c1."""
        return range(c0 * self.scale, (c1 + 1) * self.scale)


def fill(img, x0, y0, x1, y1, colour):
    for y in img.cells(y0, y1):
        for x in img.cells(x0, x1):
            img.px[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    xs, ys = img.cells(x0, x1), img.cells(y0, y1)
    for x in xs:
        img.px[ys[0]][x] = img.px[ys[-1]][x] = colour
    for y in ys:
        img.px[y][xs[0]] = img.px[y][xs[-1]] = colour


def arrow_mask(img, tail, tip, centre, shaft_half, head_half, head_start):
    """Pixels of an arrow pointing right, in grid cells: a shaft from `tail`
    to `head_start` and a head that narrows from `head_half` at `head_start`
    to a point at `tip`, all on the row `centre`.  Each pixel whose centre
    lies in the shape belongs to it; the head's sides run at 45 degrees."""
    s = img.scale
    axis = centre + 0.5
    mask = set()
    for py in range(img.size):
        y = (py + 0.5) / s
        for px in range(img.size):
            x = (px + 0.5) / s
            in_shaft = tail <= x < head_start + 1 and abs(y - axis) < shaft_half + 0.5
            in_head = head_start <= x < tip + 1 and abs(y - axis) <= head_start + head_half + 1 - x
            if in_shaft or in_head:
                mask.add((px, py))
    return mask


def paint_arrow(img, mask, dark, body, light, mirrored=False):
    """An outlined arrow with a lit upper edge; mirrored points it left."""
    if mirrored:
        mask = {(img.size - 1 - x, y) for x, y in mask}
    for x, y in mask:
        edge = any((x + dx, y + dy) not in mask
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        lit = (x, y - 1) in mask and (x, y - 2) not in mask
        img.px[y][x] = dark if edge else (light if lit else body)


def sheet(img, x0, y0, x1, y1):
    """A page of text with a folded corner."""
    fill(img, x0, y0, x1, y1, WHITE)
    frame(img, x0, y0, x1, y1, BLACK)
    # The corner: two cells square, cut off along its diagonal, the flap
    # below the cut.
    s = img.scale
    left, top = img.cells(x1 - 1, x1)[0], img.cells(y0, y0)[0]
    for v in range(2 * s):
        for u in range(2 * s):
            d = u - v
            img.px[top + v][left + u] = CLEAR if d > 0 else BLACK if d == 0 else GREY
    for y in range(y0 + 3, y1 - 1, 2):
        row = img.cells(y, y)[s // 2]
        for x in range(img.cells(x0 + 2, x0 + 2)[0], img.cells(x1 - 2, x1 - 2)[-1] + 1):
            img.px[row][x] = GREY


def clipboard(img, x0, y0, x1, y1):
    """A brown board with its paper and a silver clip at the top."""
    fill(img, x0, y0 + 1, x1, y1, BROWN)
    frame(img, x0, y0 + 1, x1, y1, BROWN_DARK)
    fill(img, x0 + 2, y0 + 3, x1 - 2, y1 - 2, WHITE)
    middle = (x0 + x1) // 2
    fill(img, middle - 2, y0, middle + 2, y0 + 2, SILVER)
    frame(img, middle - 2, y0, middle + 2, y0 + 2, BLACK)


def arrow_right(scale):
    img = Picture(scale)
    paint_arrow(img, arrow_mask(img, 1, 14, 8, 2, 6, 8), BLUE_DARK, BLUE, BLUE_LIGHT)
    return img


def arrow_left(scale):
    img = Picture(scale)
    paint_arrow(img, arrow_mask(img, 1, 14, 8, 2, 6, 8), BLUE_DARK, BLUE, BLUE_LIGHT,
                mirrored=True)
    return img


def copy_to_clipboard(scale):
    """A sheet (left) with a red arrow out of it into a clipboard (right)."""
    img = Picture(scale)
    sheet(img, 0, 1, 6, 12)
    clipboard(img, 7, 3, 15, 15)
    paint_arrow(img, arrow_mask(img, 2, 13, 9, 1, 3, 9), RED_DARK, RED, RED_LIGHT)
    return img


def paste_from_clipboard(scale):
    """A clipboard (left) with a red arrow out of it into a sheet (right)."""
    img = Picture(scale)
    clipboard(img, 0, 0, 8, 13)
    sheet(img, 9, 3, 15, 15)
    paint_arrow(img, arrow_mask(img, 2, 13, 9, 1, 3, 9), RED_DARK, RED, RED_LIGHT)
    return img


def greyed(img):
    """The disabled twin in the classic manner: the picture's darker pixels
    as a grey shape over a white copy shifted one pixel down and right;
    light pixels vanish."""
    dark = set()
    for y in range(img.size):
        for x in range(img.size):
            r, g, b, a = img.px[y][x]
            if a and 0.299 * r + 0.587 * g + 0.114 * b < 160:
                dark.add((x, y))
    out = Picture(img.scale)
    for x, y in dark:
        if x + 1 < img.size and y + 1 < img.size:
            out.px[y + 1][x + 1] = WHITE
    for x, y in dark:
        out.px[y][x] = GREY
    return out


def png(img):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in img.px)
    header = struct.pack(">IIBBBBB", img.size, img.size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


PICTURES = {
    "arrow-right": arrow_right,
    "arrow-left": arrow_left,
    "copy-to-clipboard": copy_to_clipboard,
    "paste-from-clipboard": paste_from_clipboard,
}


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join("window", "form", "images")
    os.makedirs(out_dir, exist_ok=True)
    for name, draw in PICTURES.items():
        for scale in SCALES:
            img = draw(scale)
            size = "" if scale == 1 else "-%d" % img.size
            for state, picture in (("", img), ("-disabled", greyed(img))):
                with open(os.path.join(out_dir, name + state + size + ".png"), "wb") as f:
                    f.write(png(picture))


if __name__ == "__main__":
    main()
