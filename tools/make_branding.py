#!/usr/bin/python3
"""Draws the splash pictures into assets/branding/: "splash1" the studio's card, "splash2" the game's
title over a small picture-cross board. Each fills the design screen (1366 x 768): the splash screen
draws nothing behind them and grows them to 1.1 times while they fade out, so their edges stay plain
night colours. Fixed parameters, so every run writes the same files.
Usage: tools/make_branding.py [--out ASSETS] [--check]"""

import sys

import art_style
import generated_data

WIDTH, HEIGHT = 1366, 768

# The title board: a sprouting leaf, in the board's colours (0 empty).
LEAF = [
    "00000220",
    "00002222",
    "00022220",
    "02202200",
    "22222000",
    "02220000",
    "00030000",
    "00030000",
]
LEAF_COLOURS = {"2": (94, 168, 75, 255), "3": (128, 84, 48, 255)}


def night():
    return art_style.gradient(WIDTH, HEIGHT, art_style.NIGHT_TOP, art_style.NIGHT_BOTTOM)


def glow(image, centre, radius, colour):
    """A soft round light laid over the picture, strongest at its centre."""
    def paint(draw):
        for step in range(radius, 0, -6):
            alpha = int(colour[3] * (1.0 - step / radius) ** 2)
            draw.ellipse([centre[0] - step, centre[1] - step, centre[0] + step, centre[1] + step],
                         fill=colour[:3] + (max(alpha // 8, 1),))
    art_style.draw_over(image, paint)


def draw_studio():
    image = night()
    glow(image, (WIDTH // 2, HEIGHT // 2 - 20), 360, (232, 200, 106, 255))
    draw = art_style.ImageDraw.Draw(image)
    # The studio's mark: a gold frame around three cells in a stair, a puzzle being read.
    size = 150
    left, top = WIDTH // 2 - size // 2, 190
    panel = art_style.framed_panel(size, size, 24, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, art_style.GOLD, 5)
    image.alpha_composite(panel, (left, top))
    cell = 34
    for index, colour in enumerate(art_style.CELL_COLOURS[:3]):
        x = left + 24 + index * (cell + 4)
        y = top + size - 24 - cell - index * (cell + 4)
        draw.rectangle([x, y, x + cell - 1, y + cell - 1], fill=colour + (255,), outline=art_style.INK)
    art_style.centred_text(draw, (0, 380, WIDTH, 470), "Korvath Games", art_style.font(64, bold=True),
                           fill=art_style.GOLD_LIGHT)
    art_style.centred_text(draw, (0, 470, WIDTH, 520), "presents", art_style.font(30), fill=art_style.TEXT_LIGHT)
    return image.convert("RGB")


def draw_title():
    image = night()
    glow(image, (WIDTH // 2, 250), 300, (94, 168, 75, 255))
    draw = art_style.ImageDraw.Draw(image)
    cell, gap = 26, 3
    span = len(LEAF) * (cell + gap) - gap
    left, top = WIDTH // 2 - span // 2, 110
    frame = art_style.framed_panel(span + 36, span + 36, 16, art_style.PANEL_TOP, art_style.PANEL_BOTTOM,
                                   art_style.GOLD, 4)
    image.alpha_composite(frame, (left - 18, top - 18))
    for row, line in enumerate(LEAF):
        for column, value in enumerate(line):
            x = left + column * (cell + gap)
            y = top + row * (cell + gap)
            fill = LEAF_COLOURS.get(value, (232, 226, 206, 255))
            draw.rectangle([x, y, x + cell - 1, y + cell - 1], fill=fill, outline=art_style.INK)
    art_style.centred_text(draw, (0, 400, WIDTH, 520), "Verdanel", art_style.font(112, bold=True),
                           fill=art_style.GOLD_LIGHT)
    art_style.centred_text(draw, (0, 530, WIDTH, 580), "colour picture-cross puzzles", art_style.font(32),
                           fill=art_style.TEXT_LIGHT)
    art_style.cell_row(draw, WIDTH // 2 - (5 * 22 + 4 * 6) // 2, 600, 22, 6)
    return image.convert("RGB")


def generate(root):
    art_style.save_images(root, "branding", {"splash1": draw_studio, "splash2": draw_title})


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the splash pictures.", "branding", generate, "make_branding.py",
                                prepare=art_style.load, owned=("branding",)))
