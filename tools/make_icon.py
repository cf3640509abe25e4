#!/usr/bin/python3
"""Writes assets/icon.png, the window icon: a 4 x 4 board of coloured cells on a dark grid.

Deterministic: fixed colours and sizes, PNG written with zlib level 9 and no time or text chunks.
Usage: tools/make_icon.py [--out ASSETS] [--check]
"""
import os
import struct
import sys
import zlib

import generated_data

SIZE = 48
CELLS = 4
GRID = (0x24, 0x2B, 0x33, 0xFF)
# One row per board row: a small picture of a leaf on a pale ground.
BOARD = [
    [(0xF2, 0xEA, 0xD3), (0x5E, 0xA8, 0x4B), (0x3F, 0x8A, 0x3A), (0xF2, 0xEA, 0xD3)],
    [(0x5E, 0xA8, 0x4B), (0x3F, 0x8A, 0x3A), (0x2E, 0x6B, 0x2D), (0x5E, 0xA8, 0x4B)],
    [(0xF2, 0xEA, 0xD3), (0x3F, 0x8A, 0x3A), (0x5E, 0xA8, 0x4B), (0xF2, 0xEA, 0xD3)],
    [(0xF2, 0xEA, 0xD3), (0x8B, 0x5A, 0x2B), (0xF2, 0xEA, 0xD3), (0xE0, 0x9F, 0x3E)],
]


def pixel(x, y):
    step = SIZE // CELLS
    if x % step in (0, step - 1) or y % step in (0, step - 1):
        return GRID
    r, g, b = BOARD[y // step][x // step]
    return (r, g, b, 0xFF)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes():
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


def generate(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "icon.png"), "wb") as out:
        out.write(png_bytes())


if __name__ == "__main__":
    sys.exit(generated_data.run("Write the window icon.", "icon", generate, "make_icon.py"))
