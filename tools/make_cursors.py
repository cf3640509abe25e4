#!/usr/bin/python3
"""Draws the game's pointer images into assets/cursors/ and writes assets/cursors.xml, which lists every
cursor name twice: once drawn by the game and once as a system cursor (system="1"). Fixed shapes, so every
run writes the same files.

    tools/make_cursors.py              write into the repository's assets/
    tools/make_cursors.py --out DIR    write the same files under DIR instead of assets/
    tools/make_cursors.py --check      regenerate into a temporary folder and compare with assets/
"""

import os
import subprocess
import sys

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZE = 32
INK = (24, 24, 28, 255)
WHITE = (250, 250, 246, 255)
GOLD = (246, 196, 64, 255)
GLASS = (170, 214, 240, 200)


def ensure_packages():
    global Image, ImageDraw
    try:
        from PIL import Image, ImageDraw
    except ImportError:
        subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
        from PIL import Image, ImageDraw


def canvas(width=SIZE, height=SIZE):
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image)


def arrow(draw, dx=0, dy=0, fill=WHITE):
    points = [(1, 1), (1, 22), (6, 17), (10, 26), (14, 24), (10, 16), (17, 16)]
    draw.polygon([(x + dx, y + dy) for x, y in points], fill=fill, outline=INK)


def hand(draw, dx=0, dy=0, lift=0):
    # A pointing hand: the first finger up, its tip near (10, 2).
    draw.rounded_rectangle([8 + dx, 1 + dy + lift, 13 + dx, 16 + dy], radius=2, fill=WHITE, outline=INK)
    draw.rounded_rectangle([4 + dx, 12 + dy, 24 + dx, 28 + dy], radius=4, fill=WHITE, outline=INK)
    for knuckle in (14, 18, 22):
        draw.line([knuckle + dx, 13 + dy, knuckle + dx, 18 + dy], fill=INK)


def draw_default():
    image, draw = canvas()
    arrow(draw)
    return image


def draw_hand_strip():
    # Four frames of 32 x 32 in two rows: the finger taps down and back up.
    image, draw = canvas(2 * SIZE, 2 * SIZE)
    for frame, lift in enumerate((0, 1, 2, 1)):
        hand(draw, (frame % 2) * SIZE, (frame // 2) * SIZE, lift)
    return image


def draw_hand_still():
    image, draw = canvas()
    hand(draw)
    return image


def draw_handspot():
    image, draw = canvas()
    hand(draw)
    draw.ellipse([20, 1, 30, 11], fill=GOLD, outline=INK)
    return image


def draw_drag():
    # A closed hand with arrows to all four sides.
    image, draw = canvas()
    draw.rounded_rectangle([9, 10, 23, 24], radius=4, fill=WHITE, outline=INK)
    for line in ([16, 1, 16, 8], [16, 26, 16, 31], [1, 17, 7, 17], [25, 17, 31, 17]):
        draw.line(line, fill=INK, width=2)
    for tip in ([(13, 4), (16, 0), (19, 4)], [(13, 27), (16, 31), (19, 27)], [(4, 14), (0, 17), (4, 20)],
                [(27, 14), (31, 17), (27, 20)]):
        draw.polygon(tip, fill=INK)
    return image


def draw_active():
    image, draw = canvas()
    arrow(draw, fill=GOLD)
    draw.polygon([(24, 18), (26, 23), (31, 24), (26, 26), (24, 31), (22, 26), (17, 24), (22, 23)], fill=GOLD,
                 outline=INK)
    return image


def draw_text():
    # An I-beam centred on (16, 16).
    image, draw = canvas()
    for line in ([16, 5, 16, 27], [11, 4, 21, 4], [11, 28, 21, 28]):
        draw.line(line, fill=WHITE, width=4)
    for line in ([16, 5, 16, 27], [12, 4, 20, 4], [12, 28, 20, 28]):
        draw.line(line, fill=INK, width=2)
    return image


def draw_tool():
    # A small hammer whose head's corner is the hot spot.
    image, draw = canvas()
    draw.line([12, 12, 28, 28], fill=INK, width=5)
    draw.line([12, 12, 28, 28], fill=GOLD, width=3)
    draw.polygon([(2, 10), (10, 2), (18, 10), (10, 18)], fill=WHITE, outline=INK)
    return image


def draw_glass():
    # A magnifying glass whose lens centre is the hot spot.
    image, draw = canvas()
    draw.line([19, 19, 29, 29], fill=INK, width=5)
    draw.ellipse([2, 2, 22, 22], fill=GLASS, outline=INK, width=2)
    return image


# name, drawn image, drawn cursor's extra attributes, system image, hot spot.
CURSORS = [
    ("default", "arrow", "", "arrow", (1, 1)),
    ("hand", "hand", ' rect="0,0,32,32" frames="4" speed="0.12"', "hand1", (10, 2)),
    ("handspot", "handspot", "", "handspot", (10, 2)),
    ("drag", "drag", "", "drag", (16, 17)),
    ("active", "active", "", "active", (1, 1)),
    ("text", "ibeam", "", "ibeam", (16, 16)),
    ("tool", "tool", "", "tool", (2, 10)),
    ("glass", "glass", "", "glass", (12, 12)),
]

IMAGES = {
    "arrow": draw_default,
    "hand": draw_hand_strip,
    "hand1": draw_hand_still,
    "handspot": draw_handspot,
    "drag": draw_drag,
    "active": draw_active,
    "ibeam": draw_text,
    "tool": draw_tool,
    "glass": draw_glass,
}


def cursors_xml():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The game's cursors. Made by tools/make_cursors.py; edit the script, not this file. -->",
             "<data>", "  <cursors>"]
    for name, image, extra, _, (x, y) in CURSORS:
        lines.append('    <cursor name="%s" filename="cursors/%s" hotspot="%d,%d"%s/>' % (name, image, x, y, extra))
    for name, _, _, image, (x, y) in CURSORS:
        lines.append('    <cursor name="%s" filename="cursors/%s.png" hotspot="%d,%d" system="1"/>' % (name, image, x, y))
    lines += ["  </cursors>", "</data>", ""]
    return "\n".join(lines)


def generate(root):
    folder = os.path.join(root, "cursors")
    os.makedirs(folder, exist_ok=True)
    for name, draw in IMAGES.items():
        draw().save(os.path.join(folder, name + ".png"), optimize=True)
    with open(os.path.join(root, "cursors.xml"), "w", newline="\n") as file:
        file.write(cursors_xml())


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the game's cursors.", "cursors", generate, "make_cursors.py",
                                prepare=ensure_packages, owned=("cursors",)))
