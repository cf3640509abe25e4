#!/usr/bin/python3
"""Draws the puzzle's art into assets/: the tiles of the "basic" tileset and its preview, the map frame
and its back, the screen background and the reward pictures. Fixed parameters, so every run writes the
same files. Usage: tools/make_puzzle_art.py [--out ASSETS] [--check]"""

import os
import subprocess
import sys

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

try:
    from PIL import Image, ImageDraw
except ImportError:
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
    from PIL import Image, ImageDraw

# Colour numbers 1 to 9 of the tileset, in this order; "settings.xml" lists the same as base colours.
PALETTE = [
    (204, 51, 51),    # 1 red
    (76, 160, 64),    # 2 green
    (128, 84, 48),    # 3 brown
    (238, 200, 60),   # 4 yellow
    (64, 112, 200),   # 5 blue
    (240, 240, 236),  # 6 white
    (236, 150, 180),  # 7 pink
    (236, 132, 44),   # 8 orange
    (112, 112, 120),  # 9 grey
]
PAPER = (236, 226, 200)
INK = (60, 48, 40)
CELL = 40
BUTTON = 48
INDICATOR = 64


def darker(colour, factor=0.65):
    return tuple(int(c * factor) for c in colour)


def save(image, root, name):
    path = os.path.join(root, name + ".png")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=True)


def square(size, fill, border, width=2):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rectangle([1, 1, size - 2, size - 2], fill=fill + (255,), outline=border + (255,), width=width)
    return image, draw


def draw_tiles(root):
    folder = "textures/tilesets/basic/"
    image, _ = square(CELL, PAPER, darker(PAPER, 0.8), 1)
    save(image, root, folder + "empty")
    for number, colour in enumerate(PALETTE, start=1):
        image, draw = square(CELL, colour, darker(colour))
        draw.line([6, 6, CELL - 10, 6], fill=tuple(min(255, c + 50) for c in colour) + (255,), width=2)
        save(image, root, folder + "color%d" % number)
        image, _ = square(BUTTON, colour, INK, 3)
        save(image, root, folder + "button%d" % number)
        image = Image.new("RGBA", (INDICATOR, INDICATOR), (0, 0, 0, 0))
        ImageDraw.Draw(image).ellipse([2, 2, INDICATOR - 3, INDICATOR - 3], fill=colour + (255,),
                                      outline=INK + (255,), width=3)
        save(image, root, folder + "indicator%d" % number)
    # Ruled out: a dot on paper; the error cross: a red X.
    image, draw = square(CELL, PAPER, darker(PAPER, 0.8), 1)
    draw.ellipse([CELL // 2 - 4, CELL // 2 - 4, CELL // 2 + 3, CELL // 2 + 3], fill=INK + (255,))
    save(image, root, folder + "out")
    image, draw = square(CELL, PAPER, darker(PAPER, 0.8), 1)
    draw.line([9, 9, CELL - 10, CELL - 10], fill=PALETTE[0] + (255,), width=4)
    draw.line([9, CELL - 10, CELL - 10, 9], fill=PALETTE[0] + (255,), width=4)
    save(image, root, folder + "cross")
    image = Image.new("RGBA", (120, 80), PAPER + (255,))
    draw = ImageDraw.Draw(image)
    for i, colour in enumerate(PALETTE[:6]):
        x, y = 10 + (i % 3) * 35, 8 + (i // 3) * 35
        draw.rectangle([x, y, x + 29, y + 29], fill=colour + (255,), outline=darker(colour) + (255,), width=2)
    save(image, root, "textures/tilesets/previewbasic")


def draw_frame(root):
    width, height = 560, 480
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for inset, colour in ((0, INK), (6, PALETTE[2]), (12, INK)):
        draw.rectangle([inset, inset, width - 1 - inset, height - 1 - inset], outline=colour + (255,), width=6)
    save(image, root, "textures/frames/frame1")
    save(Image.new("RGBA", (width, height), PAPER + (200,)), root, "textures/frames/frameback1")


def draw_background(root):
    # Bands rather than a smooth ramp keep the file small.
    width, height, bands = 1366, 768, 16
    top, bottom = (120, 170, 210), (210, 228, 190)
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for band in range(bands):
        t = band / (bands - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        draw.rectangle([0, band * height // bands, width - 1, (band + 1) * height // bands], fill=colour)
    save(image.convert("P", palette=Image.ADAPTIVE, colors=bands), root, "textures/backs/back1")


def acorn(size, cap, nut):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    s = size / 64.0
    draw.ellipse([16 * s, 20 * s, 48 * s, 60 * s], fill=nut + (255,), outline=INK + (255,), width=max(1, int(2 * s)))
    draw.pieslice([10 * s, 8 * s, 54 * s, 44 * s], 180, 360, fill=cap + (255,), outline=INK + (255,),
                  width=max(1, int(2 * s)))
    draw.rectangle([30 * s, 2 * s, 34 * s, 10 * s], fill=INK + (255,))
    return image


def draw_rewards(root):
    save(acorn(64, PALETTE[2], PALETTE[7]), root, "textures/rewards/acorn")
    save(acorn(64, (120, 120, 120), (170, 170, 170)), root, "textures/rewards/acornoff")
    save(acorn(32, PALETTE[2], PALETTE[7]), root, "textures/rewards/acornsmall")


def generate(root):
    draw_tiles(root)
    draw_frame(root)
    draw_background(root)
    draw_rewards(root)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the puzzle's art.", "puzzle art", generate, "make_puzzle_art.py"))
