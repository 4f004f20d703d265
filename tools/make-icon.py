#!/usr/bin/env python3
"""Draws the program's icon, a small stack of bricks, and writes resources/stakko.ico with a
16 x 16 and a 32 x 32 image in the 16 standard colours."""
import struct
import sys
from pathlib import Path

# The 16-colour palette (blue, green, red, reserved), in the order the system's standard one has.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # as (red, green, blue)
TRANSPARENT = -1

# The picture at 8 x 8 bricks, top row first: '.' is transparent, a letter a brick colour.
BRICKS = [
    "........",
    "...B....",
    "..BBB...",
    "........",
    "R.....YY",
    "RR..G.YY",
    "RCC.GGGM",
    "CCCCGMMM",
]
COLOURS = {"B": 12, "R": 9, "G": 10, "Y": 11, "C": 14, "M": 13}
LIGHT, DARK = 15, 8


def draw(size):
    """Each brick is size/8 pixels: a face with a light top-left and a dark bottom-right edge."""
    cell = size // 8
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for by, line in enumerate(BRICKS):
        for bx, letter in enumerate(line):
            if letter == ".":
                continue
            for y in range(cell):
                for x in range(cell):
                    colour = COLOURS[letter]
                    if cell > 2 and (x == 0 or y == 0):
                        colour = LIGHT
                    elif cell > 2 and (x == cell - 1 or y == cell - 1):
                        colour = DARK
                    elif cell == 2 and x == 1 and y == 1:
                        colour = DARK
                    pixels[by * cell + y][bx * cell + x] = colour
    return pixels


def image(size):
    """A 4-bit DIB with its AND mask, rows bottom-up, as an icon stores it."""
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(pixels):
        nibbles = [0 if p == TRANSPARENT else p for p in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(packed.ljust((len(packed) + 3) // 4 * 4, b"\0"))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p == TRANSPARENT else 0)
        mask = bits.to_bytes(size // 8, "big")
        and_rows.append(mask.ljust((len(mask) + 3) // 4 * 4, b"\0"))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent.parent / "resources" / "stakko.ico"
    images = [image(16), image(32)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in zip((16, 32), images):
        data += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), offset)
        offset += len(body)
    out.write_bytes(data + b"".join(images))


if __name__ == "__main__":
    main()
