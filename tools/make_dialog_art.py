#!/usr/bin/python3
"""Draws the art of the message boxes and the tutorial panel into assets/ui/dialog/: the dialog
background, two button strips (four rows each: normal, pointer over, pressed, disabled), the tutorial
panel and its pointing arrow. Fixed shapes and colours, so every run writes the same files.

    tools/make_dialog_art.py              write into the repository's assets/
    tools/make_dialog_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_dialog_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import os
import subprocess
import sys

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDER = os.path.join("ui", "dialog")
# Shapes are drawn this many times larger and scaled down, for smooth edges.
SMOOTH = 4

GOLD = (232, 200, 106, 255)
GOLD_DARK = (150, 112, 40, 255)
INK = (40, 26, 10, 255)
# The little board cells along the dialog's caption line.
CELL_COLOURS = [(94, 168, 75), (226, 96, 72), (246, 196, 64), (88, 140, 214), (186, 110, 196)]


def ensure_packages():
    global Image, ImageDraw
    try:
        from PIL import Image, ImageDraw
    except ImportError:
        subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
        from PIL import Image, ImageDraw


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def gradient(width, height, top, bottom):
    image = Image.new("RGBA", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width - 1, y)], fill=mix(top, bottom, y / max(height - 1, 1)))
    return image


def rounded_mask(width, height, radius, inset=0):
    big = Image.new("L", (width * SMOOTH, height * SMOOTH), 0)
    ImageDraw.Draw(big).rounded_rectangle(
        [inset * SMOOTH, inset * SMOOTH, (width - inset) * SMOOTH - 1, (height - inset) * SMOOTH - 1],
        radius=radius * SMOOTH, fill=255)
    return big.resize((width, height), Image.LANCZOS)


def framed_panel(width, height, radius, top, bottom, border, border_width):
    """A rounded panel: the border colour, and inside it the body's vertical gradient."""
    panel = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    panel.paste(Image.new("RGBA", (width, height), border), (0, 0), rounded_mask(width, height, radius))
    body = gradient(width, height, top, bottom)
    panel.paste(body, (0, 0), rounded_mask(width, height, radius - border_width, border_width))
    return panel


def draw_dialog_back():
    width, height = 600, 320
    image = framed_panel(width, height, 26, (38, 74, 96, 250), (18, 36, 54, 250), GOLD, 4)
    draw = ImageDraw.Draw(image)
    # The caption band and its line of board cells.
    band = gradient(width - 16, 62, (24, 48, 66, 255), (30, 60, 82, 255))
    image.paste(band, (8, 8), rounded_mask(width - 16, 62, 20))
    draw.line([(28, 74), (width - 29, 74)], fill=GOLD_DARK, width=2)
    cell, gap = 12, 4
    count = len(CELL_COLOURS)
    start = (width - (count * cell + (count - 1) * gap)) // 2
    for index, colour in enumerate(CELL_COLOURS):
        x = start + index * (cell + gap)
        draw.rectangle([x, 68, x + cell - 1, 68 + cell - 1], fill=colour + (255,), outline=INK)
    # A faint inner line that frames the message.
    draw.rounded_rectangle([14, 84, width - 15, height - 15], radius=16, outline=(255, 255, 255, 40), width=1)
    return image


def button_row(width, height, top, bottom, border, highlight):
    row = framed_panel(width, height, height // 3, top, bottom, border, 2)
    if highlight:
        draw = ImageDraw.Draw(row)
        draw.line([(height // 3, 4), (width - height // 3 - 1, 4)], fill=(255, 255, 255, 150), width=2)
    return row


def draw_button_strip(width, height):
    rows = [
        ((246, 210, 110, 255), (214, 150, 48, 255), INK, True),  # normal
        ((255, 232, 150, 255), (236, 176, 70, 255), INK, True),  # pointer over
        ((200, 136, 40, 255), (232, 186, 88, 255), INK, False),  # pressed: lit from below
        ((170, 166, 158, 255), (128, 124, 118, 255), (80, 78, 74, 255), False),  # disabled
    ]
    strip = Image.new("RGBA", (width, height * len(rows)), (0, 0, 0, 0))
    for index, (top, bottom, border, highlight) in enumerate(rows):
        strip.paste(button_row(width, height, top, bottom, border, highlight), (0, index * height))
    return strip


def draw_tutorial_panel():
    width, height = 560, 180
    image = framed_panel(width, height, 22, (62, 48, 92, 245), (34, 26, 58, 245), GOLD, 3)
    draw = ImageDraw.Draw(image)
    # A row of board cells under the texts, as on the dialogs.
    for index, colour in enumerate(CELL_COLOURS):
        x = 24 + index * 14
        draw.rectangle([x, height - 20, x + 9, height - 11], fill=colour + (255,), outline=INK)
    draw.line([(24, 124), (width - 25, 124)], fill=(255, 255, 255, 50), width=1)
    return image


def draw_arrow():
    # Points up; its tip is at (32, 2), the point the tutorial turns it about.
    width, height = 64, 80
    big = Image.new("RGBA", (width * SMOOTH, height * SMOOTH), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    shape = [(32, 2), (60, 34), (42, 34), (42, 77), (22, 77), (22, 34), (4, 34)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in shape], fill=INK)
    inner = [(32, 9), (52, 31), (38, 31), (38, 73), (26, 73), (26, 31), (12, 31)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in inner], fill=(250, 204, 72, 255))
    shine = [(32, 13), (44, 27), (34, 27), (34, 69), (30, 69), (30, 27), (20, 27)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in shine], fill=(255, 236, 160, 255))
    return big.resize((width, height), Image.LANCZOS)


IMAGES = {
    "mb_back": draw_dialog_back,
    "button": lambda: draw_button_strip(180, 56),
    "button_small": lambda: draw_button_strip(120, 36),
    "tut_panel": draw_tutorial_panel,
    "tut_arrow": draw_arrow,
}


def generate(root):
    folder = os.path.join(root, FOLDER)
    os.makedirs(folder, exist_ok=True)
    for name, draw in IMAGES.items():
        draw().save(os.path.join(folder, name + ".png"), optimize=True)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the dialog and tutorial art.", "dialog art", generate, "make_dialog_art.py",
                                prepare=ensure_packages, owned=(FOLDER,)))
