#!/usr/bin/python3
"""Writes assets/textures/gui/sh1.png: the full-screen overlay the fader and the shadow darken the screen
with. Opaque black at the design size (1366 x 768), since it is drawn at the origin without scaling; the
overlays set its alpha as they fade. Deterministic: the PNG is written by hand with fixed zlib settings."""

import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 1366, 768


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_rgb(width, height, rgb):
    row = b"\x00" + bytes(rgb) * width  # filter byte 0, then the pixels
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(row * height, 9)) + chunk(b"IEND", b""))


def main():
    top = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(top, "assets", "textures", "gui", "sh1.png")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(png_rgb(WIDTH, HEIGHT, (0, 0, 0)))


if __name__ == "__main__":
    main()
