#!/usr/bin/env python3
"""Writes tavrolex.ico: one 32x32 picture in 16 colours (4 bits per pixel).

The picture: a film frame in dark blue with sprocket holes, a white "T" and a yellow
arrow pointing right (something goes in, something comes out). Run it again after
changing the drawing below; the .ico is kept in the tree so builds need no Python.
"""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # (red, green, blue)
BLACK, NAVY, WHITE, YELLOW, SILVER = 0, 4, 15, 11, 7

SIZE = 32


def draw():
    pixels = [[None] * SIZE for _ in range(SIZE)]  # None is transparent

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                pixels[y][x] = colour

    fill(2, 4, 30, 28, BLACK)       # outline
    fill(3, 5, 29, 27, NAVY)        # the frame
    for y in range(7, 26, 4):       # sprocket holes on both sides
        fill(4, y, 6, y + 2, SILVER)
        fill(26, y, 28, y + 2, SILVER)
    fill(8, 8, 20, 11, WHITE)       # the bar of the T
    fill(12, 11, 16, 24, WHITE)     # its stem
    for i in range(7):              # the arrow, yellow, pointing right
        fill(18 + i, 14 + i // 2, 19 + i, 24 - i // 2, YELLOW)
    return pixels


def ico(pixels):
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = pixels[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "tavrolex.ico"
    with open(out, "wb") as f:
        f.write(ico(draw()))
