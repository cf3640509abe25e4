#!/usr/bin/python3
"""Writes the graphics data of the engine's screens and effects:
- textures/gui/sh1.png: the full-screen overlay the fader and the shadow darken the screen with; opaque
  black at the design size (1366 x 768), since it is drawn at the origin without scaling;
- trajectories.dat: the spline paths movers follow by name;
- fx/sparkle.png and fx/mainback_sparkle.ini: the sparkle particle effect of the main screen.

Deterministic: fixed points and colours, PNG written by hand with zlib level 9.
Usage: tools/make_graphics_data.py [--out ASSETS] [--check]
    --check    render into a temporary folder and compare with assets/; exit status 1 on any difference
"""
import math
import os
import struct
import sys
import zlib

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DESIGN_WIDTH, DESIGN_HEIGHT = 1366, 768

# name -> control points (x, y) in design coordinates (1366 x 768)
PATHS = [
    ("mainback_drift", [(-80, 610), (300, 470), (690, 540), (1080, 400), (1450, 330)]),
    ("mainback_swoop", [(1450, 120), (1000, 260), (683, 150), (300, 300), (-80, 200)]),
]


def natural_spline(values):
    """Cubic segments (a, b, c, d) through the values, the engine's natural spline."""
    n = len(values) - 1
    gamma = [0.0] * (n + 1)
    delta = [0.0] * (n + 1)
    slope = [0.0] * (n + 1)
    gamma[0] = 0.5
    for i in range(1, n):
        gamma[i] = 1.0 / (4.0 - gamma[i - 1])
    gamma[n] = 1.0 / (2.0 - gamma[n - 1])
    delta[0] = 3.0 * (values[1] - values[0]) * gamma[0]
    for i in range(1, n):
        delta[i] = (3.0 * (values[i + 1] - values[i - 1]) - delta[i - 1]) * gamma[i]
    delta[n] = (3.0 * (values[n] - values[n - 1]) - delta[n - 1]) * gamma[n]
    slope[n] = delta[n]
    for i in range(n - 1, -1, -1):
        slope[i] = delta[i] - gamma[i] * slope[i + 1]
    return [(values[i], slope[i], 3.0 * (values[i + 1] - values[i]) - 2.0 * slope[i] - slope[i + 1],
             2.0 * (values[i] - values[i + 1]) + slope[i] + slope[i + 1]) for i in range(n)]


def at(cubic, u):
    a, b, c, d = cubic
    return a + u * (b + u * (c + u * d))


def segment_lengths(points):
    xs = natural_spline([p[0] for p in points])
    ys = natural_spline([p[1] for p in points])
    lengths = []
    for cx, cy in zip(xs, ys):
        total, u = 0.0, 0.0
        for _ in range(500):
            v = u + 0.002
            total += math.hypot(at(cx, v) - at(cx, u), at(cy, v) - at(cy, u))
            u = v
        lengths.append(total)
    return lengths + [0.0]


def trajectories():
    out = struct.pack("<I", len(PATHS))
    for name, points in PATHS:
        out += struct.pack("<i20s", len(points), name.encode("ascii"))
        for (x, y), length in zip(points, segment_lengths(points)):
            # x, y, scale, angle, angle factor, scale factor, segment length
            out += struct.pack("<ii5f", x, y, 1.0, 0.0, 1.0, 1.0, length)
    return out


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, pixel, channels):
    """A PNG of 8-bit RGB (3 channels) or RGBA (4) pixels, without time or text chunks."""
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2 if channels == 3 else 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


def sparkle(x, y):
    """Two 16 x 16 dots: a soft white one and a smaller warm one."""
    cx, radius, colour = (7.5, 7.5, (255, 255, 255)) if x < 16 else (23.5, 5.0, (255, 220, 150))
    distance = math.hypot(x - cx, y - 7.5)
    alpha = max(0.0, 1.0 - distance / radius)
    return colour + (int(round(255 * alpha * alpha)),)


SPARKLE_INI = """\
[Default]
nEmission=24
fLifetime=-1
fParticleLifeMin=1.5
fParticleLifeMax=3.0
fDirection=0
fSpread=1.2
fSpeedMin=0.2
fSpeedMax=0.6
fGravityMin=-0.4
fGravityMax=-0.1
fSizeStart=0.6
fSizeEnd=1.2
fSizeVar=0.5
colColorStartR=1
colColorStartG=1
colColorStartB=1
colColorStartA=0.9
colColorEndR=1
colColorEndG=0.85
colColorEndB=0.6
colColorEndA=0
fColorVar=0.3
fAlphaVar=0.2
iDrawMode=1
ImageFile=fx/sparkle
bUseRandomRect=1
TextureRect0=0,0,16,16
TextureRect1=16,0,16,16
SrcAreaType=1
SrcAreaSizeX=1366
SrcAreaSizeY=120
"""



def files():
    """Every file this script makes: name under assets/ -> bytes."""
    return {
        "textures/gui/sh1.png": png(DESIGN_WIDTH, DESIGN_HEIGHT, lambda x, y: (0, 0, 0), 3),
        "trajectories.dat": trajectories(),
        "fx/sparkle.png": png(32, 16, sparkle, 4),
        "fx/mainback_sparkle.ini": SPARKLE_INI.encode("ascii"),
    }


def generate(folder):
    for name, data in files().items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)



if __name__ == "__main__":
    sys.exit(generated_data.run("Write the graphics data of screens and effects.", "graphics data", generate,
                                "make_graphics_data.py"))
