#!/usr/bin/python3
"""Draws the game screen's art: its buttons and markers, the captions with their text, the effect images
(rings, sparkle, mistake mark, the empty cell of the appear flight) and the results window's stars and
picture frames. Fixed shapes and colours, so every run writes the same files.

    tools/make_game_art.py              write into the repository's assets/
    tools/make_game_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_game_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import math
import os
import sys

import art_style
import generated_data
from art_style import GOLD, GOLD_DARK, INK, SMOOTH, framed_panel

OWNED = ("textures/biglayouts", "textures/gui/game", "textures/gui/levelcomplete", "textures/loc", "textures/rings", "textures/fx",
         "textures/effect")


def smooth(width, height, paint):
    big = art_style.Image.new("RGBA", (width * SMOOTH, height * SMOOTH), (0, 0, 0, 0))
    paint(art_style.ImageDraw.Draw(big), SMOOTH)
    return big.resize((width, height), art_style.Image.LANCZOS)


def labelled_strip(width, height, text):
    strip = art_style.button_strip(width, height)
    draw = art_style.ImageDraw.Draw(strip)
    face = art_style.font(22, bold=True)
    for row, (_, _, ink, _) in enumerate(art_style.BUTTON_LOOKS):
        art_style.centred_text(draw, (0, row * height, width, (row + 1) * height), text, face,
                               fill=ink if row < 3 else art_style.DISABLED_INK, shadow=None)
    return strip


def caption(text, colour):
    width, height = 760, 120
    image = art_style.Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(image)
    face = art_style.font(64, bold=True)
    for dx, dy in ((-3, 0), (3, 0), (0, -3), (0, 3), (-2, -2), (2, 2), (-2, 2), (2, -2)):
        art_style.centred_text(draw, (dx, dy, width + dx, height + dy), text, face, fill=INK, shadow=None)
    art_style.centred_text(draw, (0, 0, width, height), text, face, fill=colour, shadow=(0, 0, 0, 120))
    return image


def ring(colour):
    # A glow of the colour around a near-white core: added over a cell of the ring's own colour, the core
    # still lights it up.
    core = tuple(c + (255 - c) * 3 // 5 for c in colour)
    def paint(draw, s):
        for width, alpha, ink in ((10, 90, colour), (6, 200, colour), (3, 255, core)):
            draw.ellipse([8 * s, 8 * s, 120 * s, 120 * s], outline=ink + (alpha,), width=width * s)
    return smooth(128, 128, paint)


def ring_shade():
    """The dark band drawn under a ring: an additive ring alone vanishes over a white or pale cell."""
    def paint(draw, s):
        # Wider than the ring's glow on both sides of it, softer at its rims.
        for inset, width, alpha in ((2, 22, 170), (4, 18, 255)):
            box = [inset * s, inset * s, (128 - inset) * s, (128 - inset) * s]
            draw.ellipse(box, outline=(12, 14, 22, alpha), width=width * s)
    return smooth(128, 128, paint)


def star_points(cx, cy, outer, inner):
    points = []
    for i in range(10):
        radius = outer if i % 2 == 0 else inner
        angle = -math.pi / 2 + i * math.pi / 5
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def star(fill, outline):
    def paint(draw, s):
        draw.polygon([(x * s, y * s) for x, y in star_points(40, 42, 38, 16)], fill=outline)
        draw.polygon([(x * s, y * s) for x, y in star_points(40, 42, 32, 13)], fill=fill)
    return smooth(80, 80, paint)


def sparkle():
    def paint(draw, s):
        draw.polygon([(16 * s, 0), (19 * s, 13 * s), (32 * s, 16 * s), (19 * s, 19 * s), (16 * s, 32 * s),
                      (13 * s, 19 * s), (0, 16 * s), (13 * s, 13 * s)], fill=(255, 246, 190, 255))
        draw.ellipse([11 * s, 11 * s, 21 * s, 21 * s], fill=(255, 255, 255, 255))
    return smooth(32, 32, paint)


def trail_particle():
    """One grain of the hint's trail: a soft gold glow with a white core, drawn many times along the path."""
    def paint(draw, s):
        for step, alpha in ((0, 60), (3, 120), (6, 200)):
            draw.ellipse([step * s, step * s, (24 - step) * s, (24 - step) * s], fill=art_style.GOLD_LIGHT[:3] + (alpha,))
        draw.ellipse([9 * s, 9 * s, 15 * s, 15 * s], fill=(255, 255, 255, 255))
    return smooth(24, 24, paint)


def mistake_mark(size, lit):
    def paint(draw, s):
        fill = (214, 60, 48, 255) if lit else (70, 84, 96, 255)
        draw.ellipse([1 * s, 1 * s, (size - 1) * s, (size - 1) * s], fill=fill, outline=INK, width=2 * s)
        m = size // 4
        draw.line([(m * s, m * s), ((size - m) * s, (size - m) * s)], fill=(255, 240, 220, 255), width=3 * s)
        draw.line([(m * s, (size - m) * s), ((size - m) * s, m * s)], fill=(255, 240, 220, 255), width=3 * s)
    return smooth(size, size, paint)


def slot(size, selected):
    def paint(draw, s):
        colour = GOLD if selected else (255, 255, 255, 60)
        draw.rounded_rectangle([1 * s, 1 * s, (size - 2) * s, (size - 2) * s], radius=10 * s, outline=colour,
                               width=(4 if selected else 2) * s)
    return smooth(size, size, paint)


def panel(width, height, border=GOLD_DARK, border_width=3):
    return framed_panel(width, height, 18, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, border, border_width)


# Where the side panel's controls stand, relative to its top-left corner (ui/interface.xml places the panel
# at 1146, 100): the current colour, the 3 x 3 colour buttons, the row of mistake marks.
SIDE_INDICATOR = (72, 24, 56)
SIDE_BUTTONS = [(7 + 62 * (i % 3), 96 + 62 * (i // 3), 56) for i in range(9)]
SIDE_MISTAKES = [(17 + 28 * i, 312, 28) for i in range(6)]


def side_panel():
    """The game screen's colour panel. Every place a control can take has its well, so a level of two
    colours shows the seven free wells of the palette instead of an empty panel."""
    image = panel(200, 380)

    def wells(draw):
        x, y, size = SIDE_INDICATOR
        draw.ellipse([x - 6, y - 6, x + size + 5, y + size + 5], fill=(0, 0, 0, 70), outline=(255, 255, 255, 45),
                     width=2)
        draw.line([(18, 86), (181, 86)], fill=(255, 255, 255, 35), width=1)
        for x, y, size in SIDE_BUTTONS:
            draw.rounded_rectangle([x + 2, y + 2, x + size - 3, y + size - 3], radius=8, fill=(0, 0, 0, 70),
                                   outline=(255, 255, 255, 40), width=2)
        draw.line([(18, 292), (181, 292)], fill=(255, 255, 255, 35), width=1)
        for x, y, size in SIDE_MISTAKES:
            draw.ellipse([x + 1, y + 1, x + size - 2, y + size - 2], fill=(0, 0, 0, 60))
        draw.rounded_rectangle([10, 346, 189, 366], radius=8, fill=(0, 0, 0, 40))

    art_style.draw_over(image, wells)
    draw = art_style.ImageDraw.Draw(image)
    art_style.cell_row(draw, (200 - (5 * 12 + 4 * 6)) // 2, 350, 12, 6)
    return image


def results_back():
    """The results panel with the caption band every dialog has (no cell row: the stars sit under it)."""
    image = panel(640, 600, GOLD, 4)
    image.alpha_composite(art_style.caption_band(640 - 16, 54, cells=False), (8, 8))
    return image


def frame(size, back):
    if back:
        return framed_panel(size, size, 10, (250, 244, 226, 255), (230, 220, 196, 255), (250, 244, 226, 255), 1)
    image = art_style.Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(image)
    draw.rounded_rectangle([0, 0, size - 1, size - 1], radius=12, outline=GOLD, width=8)
    draw.rounded_rectangle([6, 6, size - 7, size - 7], radius=8, outline=GOLD_DARK, width=2)
    return image


def empty_cell():
    image = art_style.Image.new("RGBA", (40, 40), (0, 0, 0, 0))
    art_style.ImageDraw.Draw(image).rectangle([2, 2, 37, 37], fill=(250, 244, 226, 230), outline=(170, 150, 110, 255))
    return image


def puzzle_piece():
    def paint(draw, s):
        draw.rectangle([6 * s, 12 * s, 42 * s, 42 * s], fill=GOLD, outline=INK, width=2 * s)
        draw.ellipse([18 * s, 2 * s, 30 * s, 16 * s], fill=GOLD, outline=INK, width=2 * s)
    return smooth(48, 48, paint)


IMAGES = {
    "textures/gui/game/hintbtn": lambda: labelled_strip(150, 56, "Hint"),
    "textures/gui/game/menubtn": lambda: labelled_strip(150, 56, "Menu"),
    "textures/gui/game/colorslot": lambda: slot(56, False),
    "textures/gui/game/colorselected": lambda: slot(56, True),
    "textures/gui/game/mistakeoff": lambda: mistake_mark(28, False),
    "textures/gui/game/mistakeon": lambda: mistake_mark(28, True),
    "textures/gui/game/sidepanel": side_panel,
    "textures/gui/game/combo": lambda: combo_strip(),
    # Framed as the dialogs are: the results window is one of them.
    "textures/gui/game/resultsback": results_back,
    # A star still to earn: a dark hollow with a pale rim, plain against the panel.
    "textures/gui/levelcomplete/starshape": lambda: star((22, 38, 52, 255), (196, 206, 218, 255)),
    "textures/gui/levelcomplete/star": lambda: star((255, 214, 80, 255), GOLD_DARK),
    "textures/gui/levelcomplete/frame": lambda: frame(200, False),
    "textures/gui/levelcomplete/frameback": lambda: frame(200, True),
    "textures/gui/levelcomplete/framebig": lambda: frame(260, False),
    "textures/gui/levelcomplete/framebackbig": lambda: frame(260, True),
    "textures/gui/levelcomplete/framebig15": lambda: frame(300, False),
    "textures/gui/levelcomplete/framebackbig15": lambda: frame(300, True),
    "textures/loc/levelcompletetext": lambda: caption("Level complete!", (255, 222, 110, 255)),
    "textures/loc/timeisover": lambda: caption("Time is over", (240, 150, 90, 255)),
    "textures/loc/loselevel": lambda: caption("Too many mistakes", (240, 110, 90, 255)),
    "textures/rings/ringyellow": lambda: ring((255, 220, 90)),
    "textures/rings/ringblue": lambda: ring((110, 170, 255)),
    "textures/rings/ringgreen": lambda: ring((120, 220, 120)),
    "textures/rings/ringpurple": lambda: ring((200, 130, 240)),
    "textures/rings/ringshade": ring_shade,
    "textures/fx/sparkle": sparkle,
    "textures/effect/particle_lightning": trail_particle,
    "textures/items/mistake": lambda: mistake_mark(40, True),
    "textures/items/empty": empty_cell,
    "textures/gui/gamescreen/puzzlepiece": puzzle_piece,
}


def combo_strip():
    """The bonus-time badge, ten frames whose bar of time runs down from full to empty. The count is
    drawn by the game in the round slot (badge x 44..98, y 18..52)."""
    frames, width, height = 10, 140, 80
    strip = art_style.Image.new("RGBA", (frames * width, height), (0, 0, 0, 0))
    face = art_style.font(11, bold=True)
    for index in range(frames):
        frame = framed_panel(width, height, 24, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 3)
        draw = art_style.ImageDraw.Draw(frame)
        art_style.draw_over(frame, lambda over: over.ellipse([50, 14, 92, 56], fill=(10, 20, 30, 200),
                                                             outline=GOLD_DARK, width=2))
        art_style.centred_text(draw, (92, 14, 138, 36), "combo", face, fill=art_style.GOLD_LIGHT, shadow=None)
        art_style.centred_text(draw, (4, 14, 48, 36), "+", art_style.font(22, bold=True), fill=art_style.GOLD_LIGHT,
                               shadow=None)
        span = (width - 40) * (frames - index) // frames
        draw.rounded_rectangle([20, 62, width - 20, 70], radius=4, fill=(10, 20, 30, 255))
        if span > 0:
            draw.rounded_rectangle([20, 62, 20 + span, 70], radius=4, fill=(120, 220, 120, 255))
        strip.paste(frame, (index * width, 0))
    return strip


def finished_picture(picture):
    """The solved level as the results window shows it: one square per coloured cell, on the board's
    unpainted cell colour (white paint would vanish on light paper) under a faint ink grid, as on the
    map's plates."""
    from make_levels import LETTERS
    from make_puzzle_art import EMPTY, INK, PALETTE
    cell = max(4, min(240 // picture.cols, 240 // picture.rows))
    width, height = picture.cols * cell, picture.rows * cell
    image = art_style.Image.new("RGBA", (width, height), EMPTY + (255,))
    draw = art_style.ImageDraw.Draw(image, "RGBA")
    for row, line in enumerate(picture.art):
        for column, letter in enumerate(line):
            if letter != ".":
                colour = PALETTE[LETTERS[letter] - 1]
                draw.rectangle([column * cell, row * cell, (column + 1) * cell - 1, (row + 1) * cell - 1],
                               fill=colour + (255,))
    for column in range(1, picture.cols):
        draw.line([(column * cell, 0), (column * cell, height - 1)], fill=INK + (70,))
    for row in range(1, picture.rows):
        draw.line([(0, row * cell), (width - 1, row * cell)], fill=INK + (70,))
    return image


def level_pictures():
    from make_levels import LEVEL_SETS
    for _, stages in LEVEL_SETS:
        for stage in stages:
            yield from stage.pictures


def generate(root):
    for picture in level_pictures():
        path = os.path.join(root, "textures/biglayouts", picture.name + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        finished_picture(picture).save(path, optimize=True)
    for name, draw in IMAGES.items():
        path = os.path.join(root, name + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        draw().save(path, optimize=True)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the game screen's art.", "game art", generate, "make_game_art.py",
                                prepare=art_style.load, owned=OWNED))
