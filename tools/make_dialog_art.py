#!/usr/bin/python3
"""Draws the art of the message boxes and the tutorial panel into assets/ui/dialog/: the dialog
background and its caption band, the pause notice's full-screen veil, two button strips (four rows each: normal, pointer over, pressed, disabled), the tutorial
panel and its pointing arrow. Fixed shapes and colours, so every run writes the same files.

    tools/make_dialog_art.py              write into the repository's assets/
    tools/make_dialog_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_dialog_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import os
import sys

import art_style
import generated_data
from art_style import GOLD, INK, SMOOTH, framed_panel

FOLDER = os.path.join("ui", "dialog")


DIALOG_W, DIALOG_H = 600, 320
BAND_W = DIALOG_W - 16


def draw_dialog_back():
    """The message box panel: plain, since its caption band is a control of its own and a box without a
    caption shows none."""
    return framed_panel(DIALOG_W, DIALOG_H, 26, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 4)


def draw_caption_band():
    """The band behind a message box caption (placed at 8, 8 of the box), with its line of board cells."""
    return art_style.caption_band(BAND_W)


def draw_pause_back():
    """The pause notice fills the screen: a dimming veil over the game with the captioned panel in its
    middle, so the paused game stays visible but plainly out of reach."""
    width, height = 1366, 768
    image = art_style.Image.new("RGBA", (width, height), (6, 12, 20, 150))
    left, top = (width - DIALOG_W) // 2, (height - DIALOG_H) // 2
    panel = draw_dialog_back()
    panel.alpha_composite(draw_caption_band(), (8, 8))
    image.alpha_composite(panel, (left, top))
    return image


def draw_tutorial_panel():
    width, height = 560, 180
    # The dialogs' colours, so that a tip reads as part of the same game.
    image = framed_panel(width, height, 22, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 3)
    draw = art_style.ImageDraw.Draw(image)
    # A row of board cells under the texts, as on the dialogs.
    art_style.cell_row(draw, 24, height - 20, 10, 4)
    art_style.draw_over(image, lambda over: over.line([(24, 124), (width - 25, 124)], fill=(255, 255, 255, 50)))
    return image


def draw_arrow():
    # Points up; its tip is at (32, 2), the point the tutorial turns it about.
    width, height = 64, 80
    big = art_style.Image.new("RGBA", (width * SMOOTH, height * SMOOTH), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(big)
    shape = [(32, 2), (60, 34), (42, 34), (42, 77), (22, 77), (22, 34), (4, 34)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in shape], fill=INK)
    inner = [(32, 9), (52, 31), (38, 31), (38, 73), (26, 73), (26, 31), (12, 31)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in inner], fill=(250, 204, 72, 255))
    shine = [(32, 13), (44, 27), (34, 27), (34, 69), (30, 69), (30, 27), (20, 27)]
    draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in shine], fill=(255, 236, 160, 255))
    return big.resize((width, height), art_style.Image.LANCZOS)


IMAGES = {
    "mb_back": draw_dialog_back,
    "mb_captionband": draw_caption_band,
    "pause_back": draw_pause_back,
    "button": lambda: art_style.button_strip(180, 56),
    "button_small": lambda: art_style.button_strip(120, 36),
    "tut_panel": draw_tutorial_panel,
    "tut_arrow": draw_arrow,
}


def generate(root):
    art_style.save_images(root, FOLDER, IMAGES)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the dialog and tutorial art.", "dialog art", generate, "make_dialog_art.py",
                                prepare=art_style.load, owned=(FOLDER,)))
