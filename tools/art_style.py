"""The look every art generator of tools/ shares: one palette, the game's font faces and the drawing
primitives (gradients, rounded panels, button strips), so screens drawn by different scripts match.

A script calls art_style.load() once before drawing; it installs python3-pil and the DejaVu faces
when they are missing and binds Image, ImageDraw and ImageFont here.
"""

import os
import subprocess

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEJAVU = "/usr/share/fonts/truetype/dejavu/"
# Shapes are drawn this many times larger and scaled down, for smooth edges.
SMOOTH = 4

# The palette: deep blue-green night panels, gold frames, warm ink.
GOLD = (232, 200, 106, 255)
GOLD_DARK = (150, 112, 40, 255)
GOLD_LIGHT = (255, 232, 150, 255)
INK = (40, 26, 10, 255)
PANEL_TOP = (38, 74, 96, 255)
PANEL_BOTTOM = (18, 36, 54, 255)
BAND_TOP = (24, 48, 66, 255)
BAND_BOTTOM = (30, 60, 82, 255)
NIGHT_TOP = (22, 44, 62, 255)
NIGHT_BOTTOM = (10, 20, 32, 255)
TEXT_LIGHT = (250, 240, 210, 255)
DISABLED_TOP = (170, 166, 158, 255)
DISABLED_BOTTOM = (128, 124, 118, 255)
DISABLED_INK = (80, 78, 74, 255)
# The board's own colours, used as decoration (the little cells along caption lines).
CELL_COLOURS = [(94, 168, 75), (226, 96, 72), (246, 196, 64), (88, 140, 214), (186, 110, 196)]

Image = ImageDraw = ImageFont = None


def load():
    """Imports PIL (installing it and the DejaVu faces when missing)."""
    global Image, ImageDraw, ImageFont
    try:
        from PIL import Image, ImageDraw, ImageFont
    except ImportError:
        subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
        from PIL import Image, ImageDraw, ImageFont
    if not os.path.isfile(os.path.join(DEJAVU, "DejaVuSans.ttf")):
        subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "fonts-dejavu-core"], check=True)


def font(size, bold=False):
    """The face the game's image fonts are rendered from, for text drawn into pictures."""
    return ImageFont.truetype(os.path.join(DEJAVU, "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"), size)


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


def button_row(width, height, top, bottom, border, highlight):
    row = framed_panel(width, height, height // 3, top, bottom, border, 2)
    if highlight:
        draw = ImageDraw.Draw(row)
        draw.line([(height // 3, 4), (width - height // 3 - 1, 4)], fill=(255, 255, 255, 150), width=2)
    return row


# A button's four looks, top to bottom: normal, pointer over, pressed (lit from below), disabled.
BUTTON_LOOKS = [
    ((246, 210, 110, 255), (214, 150, 48, 255), INK, True),
    ((255, 232, 150, 255), (236, 176, 70, 255), INK, True),
    ((200, 136, 40, 255), (232, 186, 88, 255), INK, False),
    (DISABLED_TOP, DISABLED_BOTTOM, DISABLED_INK, False),
]


def button_strip(width, height):
    strip = Image.new("RGBA", (width, height * len(BUTTON_LOOKS)), (0, 0, 0, 0))
    for index, (top, bottom, border, highlight) in enumerate(BUTTON_LOOKS):
        strip.paste(button_row(width, height, top, bottom, border, highlight), (0, index * height))
    return strip


def draw_over(image, paint):
    """Lets paint(draw) lay translucent colours over the picture. ImageDraw on an RGBA picture replaces
    pixels, alpha included, instead of blending: a faint line would become a hole the screen shows
    through."""
    layer = Image.new("RGBA", image.size, (0, 0, 0, 0))
    paint(ImageDraw.Draw(layer))
    image.alpha_composite(layer)


def cell_row(draw, x, y, cell, gap):
    """The row of board-coloured cells that decorates captions."""
    for index, colour in enumerate(CELL_COLOURS):
        left = x + index * (cell + gap)
        draw.rectangle([left, y, left + cell - 1, y + cell - 1], fill=colour + (255,), outline=INK)


def caption_band(width, height=62, cells=True):
    """The band behind a dialog's caption, with the line of board cells under it when cells is set; it is
    placed 8 pixels inside the dialog's top-left corner."""
    image = Image.new("RGBA", (width, height + (10 if cells else 0)), (0, 0, 0, 0))
    image.paste(gradient(width, height, BAND_TOP, BAND_BOTTOM), (0, 0), rounded_mask(width, height, 20))
    if cells:
        draw = ImageDraw.Draw(image)
        draw.line([(20, height + 4), (width - 21, height + 4)], fill=GOLD_DARK, width=2)
        cell, gap = 12, 4
        count = len(CELL_COLOURS)
        cell_row(draw, (width - (count * cell + (count - 1) * gap)) // 2, height - 2, cell, gap)
    return image


def centred_text(draw, box, text, face, fill=TEXT_LIGHT, shadow=(0, 0, 0, 160)):
    """Text centred in (left, top, right, bottom), with a one-pixel drop shadow."""
    left, top, right, bottom = draw.textbbox((0, 0), text, font=face)
    x = box[0] + (box[2] - box[0] - (right - left)) / 2 - left
    y = box[1] + (box[3] - box[1] - (bottom - top)) / 2 - top
    if shadow:
        draw.text((x + 1, y + 2), text, font=face, fill=shadow)
    draw.text((x, y), text, font=face, fill=fill)


def save_images(root, folder, images):
    """Draws every picture of a {name: draw} table into root/folder as optimised PNGs."""
    target = os.path.join(root, folder)
    os.makedirs(target, exist_ok=True)
    for name, draw in images.items():
        draw().save(os.path.join(target, name + ".png"), optimize=True)
