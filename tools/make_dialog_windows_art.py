#!/usr/bin/python3
"""Draws the art of the game's dialogs into assets/ui/dialogs/: the backgrounds of the game menu, help,
options, difficulty and profile windows, a wide menu button, check box and option strips (four rows:
normal, pointer over, checked, disabled), the slider track and thumb, the preview arrows, and the help
book's pictures, which are put together from the basic tileset's own cells. Fixed shapes and colours,
so every run writes the same files.

    tools/make_dialog_windows_art.py              write into the repository's assets/
    tools/make_dialog_windows_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_dialog_windows_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import os
import sys

import art_style
import generated_data
from art_style import GOLD, GOLD_DARK, INK, SMOOTH, framed_panel, gradient, rounded_mask

FOLDER = os.path.join("ui", "dialogs")
TILES = os.path.join(art_style.TOP, "assets", "textures", "tilesets", "basic")
CELL = 40


def dialog_back(width, height, band=62):
    """The dialogs' panel: a gold frame, a caption band with its line of board cells."""
    image = framed_panel(width, height, 26, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 4)
    draw = art_style.ImageDraw.Draw(image)
    strip = gradient(width - 16, band, art_style.BAND_TOP, art_style.BAND_BOTTOM)
    image.paste(strip, (8, 8), rounded_mask(width - 16, band, 20))
    draw.line([(28, band + 12), (width - 29, band + 12)], fill=GOLD_DARK, width=2)
    cell, gap = 12, 4
    count = len(art_style.CELL_COLOURS)
    art_style.cell_row(draw, (width - (count * cell + (count - 1) * gap)) // 2, band + 6, cell, gap)
    return image


def help_back():
    image = dialog_back(960, 640)
    # The page area, and the panel the page's picture stands on, laid over the panel's body.
    overlay = art_style.Image.new("RGBA", image.size, (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(overlay)
    draw.rounded_rectangle([20, 90, 939, 555], radius=18, fill=(255, 255, 255, 14), outline=(255, 255, 255, 50))
    draw.rounded_rectangle([560, 120, 910, 500], radius=14, fill=(10, 20, 32, 150), outline=GOLD_DARK, width=2)
    return art_style.Image.alpha_composite(image, overlay)


def box_strip(size, round_box):
    """A check box (square) or an option (round), four looks; the checked look holds the mark."""
    looks = [((246, 240, 224, 255), INK, False), ((255, 250, 226, 255), GOLD_DARK, False),
             ((246, 240, 224, 255), INK, True), ((180, 176, 168, 255), art_style.DISABLED_INK, False)]
    strip = art_style.Image.new("RGBA", (size, size * len(looks)), (0, 0, 0, 0))
    for index, (fill, border, checked) in enumerate(looks):
        big = art_style.Image.new("RGBA", (size * SMOOTH, size * SMOOTH), (0, 0, 0, 0))
        draw = art_style.ImageDraw.Draw(big)
        box = [2 * SMOOTH, 2 * SMOOTH, (size - 2) * SMOOTH - 1, (size - 2) * SMOOTH - 1]
        if round_box:
            draw.ellipse(box, fill=fill, outline=border, width=3 * SMOOTH)
        else:
            draw.rounded_rectangle(box, radius=6 * SMOOTH, fill=fill, outline=border, width=3 * SMOOTH)
        if checked and round_box:
            inset = size * SMOOTH * 3 // 10
            draw.ellipse([inset, inset, size * SMOOTH - inset - 1, size * SMOOTH - inset - 1],
                         fill=art_style.CELL_COLOURS[0] + (255,))
        elif checked:
            tick = [(0.24, 0.52), (0.43, 0.72), (0.78, 0.28)]
            draw.line([(x * size * SMOOTH, y * size * SMOOTH) for x, y in tick],
                      fill=art_style.CELL_COLOURS[0] + (255,), width=5 * SMOOTH, joint="curve")
        strip.paste(big.resize((size, size), art_style.Image.LANCZOS), (0, index * size))
    return strip


def slider_track():
    width, height = 320, 32
    image = art_style.Image.new("RGBA", (width, height), (0, 0, 0, 0))
    groove = framed_panel(width - 8, 12, 6, (10, 20, 32, 255), (30, 56, 76, 255), GOLD_DARK, 2)
    image.paste(groove, (4, 10), groove)
    return image


def slider_thumb():
    width, height = 28, 32
    big = art_style.Image.new("RGBA", (width * SMOOTH, height * SMOOTH), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(big)
    draw.rounded_rectangle([2 * SMOOTH, 1 * SMOOTH, (width - 2) * SMOOTH - 1, (height - 1) * SMOOTH - 1],
                           radius=8 * SMOOTH, fill=(246, 210, 110, 255), outline=INK, width=2 * SMOOTH)
    for x in (10, 14, 18):
        draw.line([(x * SMOOTH, 9 * SMOOTH), (x * SMOOTH, 23 * SMOOTH)], fill=GOLD_DARK, width=SMOOTH)
    return big.resize((width, height), art_style.Image.LANCZOS)


def arrow_strip(pointing_left):
    """A round button with an arrow, in the four looks of the button strips."""
    size = 48
    strip = art_style.Image.new("RGBA", (size, size * len(art_style.BUTTON_LOOKS)), (0, 0, 0, 0))
    for index, (top, bottom, border, _) in enumerate(art_style.BUTTON_LOOKS):
        row = framed_panel(size, size, size // 2, top, bottom, border, 2)
        big = row.resize((size * SMOOTH, size * SMOOTH), art_style.Image.LANCZOS)
        draw = art_style.ImageDraw.Draw(big)
        shape = [(30, 12), (30, 36), (14, 24)] if pointing_left else [(18, 12), (18, 36), (34, 24)]
        draw.polygon([(x * SMOOTH, y * SMOOTH) for x, y in shape], fill=border)
        strip.paste(big.resize((size, size), art_style.Image.LANCZOS), (0, index * size))
    return strip


def tile(name):
    return art_style.Image.open(os.path.join(TILES, name + ".png")).convert("RGBA")


# A small picture: 1 and 2 are its two colours, 0 an empty cell.
PICTURE = [
    [0, 1, 1, 1, 0],
    [1, 1, 2, 1, 1],
    [0, 1, 2, 1, 0],
    [0, 0, 2, 0, 0],
]


def runs(line):
    """The clue of one line: (colour, length) of each run, in order."""
    found = []
    for value in line:
        if value and found and found[-1][0] == value and found[-1][2]:
            found[-1] = (value, found[-1][1] + 1, True)
        elif value:
            found.append((value, 1, True))
        if not value and found:
            found[-1] = (found[-1][0], found[-1][1], False)
    return [(colour, length) for colour, length, _ in found]


# The board's clue area: dark numbers on a light back.
CLUE_PAPER = (236, 226, 200, 220)
CLUE_INK = (60, 48, 40, 255)


# As on the board, the clue paper fades out toward its far end over this length.
CLUE_FADE = 30


def clue_paper(length, breadth, along_x):
    """The clue strips beside (along_x) or above the grid: full paper next to the grid, fading out toward
    the far end."""
    strip = art_style.Image.new("RGBA", (length, 1) if along_x else (1, length), (0, 0, 0, 0))
    for i in range(length):
        alpha = int(round(CLUE_PAPER[3] * min(1.0, (i + 0.5) / CLUE_FADE) ** 1.5))
        strip.putpixel((i, 0) if along_x else (0, i), CLUE_PAPER[:3] + (alpha,))
    return strip.resize((length, breadth) if along_x else (breadth, length), art_style.Image.NEAREST)


def board_picture(states, show_clues=True, colour=1):
    """The small picture as the board draws it with one colour chosen: the clue numbers of that colour's
    runs left and above, in the board's ink on its clue backs, cells from the tileset. states maps
    (row, column) to "color", "out" or "cross"; other cells are untouched."""
    rows, cols = len(PICTURE), len(PICTURE[0])
    left, top = (96, 96) if show_clues else (0, 0)
    image = art_style.Image.new("RGBA", (left + cols * CELL + 2, top + rows * CELL + 2), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(image)
    face = art_style.font(20, bold=True)
    if show_clues:
        image.alpha_composite(clue_paper(left - 4, rows * CELL, along_x=True), (0, top))
        image.alpha_composite(clue_paper(top - 4, cols * CELL, along_x=False), (left, 0))
        for row in range(rows):
            clue = [length for value, length in runs(PICTURE[row]) if value == colour]
            for index, length in enumerate(reversed(clue)):
                box = (left - 6 - 28 * (index + 1), top + row * CELL, left - 6 - 28 * index, top + (row + 1) * CELL)
                art_style.centred_text(draw, box, str(length), face, fill=CLUE_INK)
        for col in range(cols):
            clue = [length for value, length in runs([PICTURE[row][col] for row in range(rows)]) if value == colour]
            for index, length in enumerate(reversed(clue)):
                box = (left + col * CELL, top - 6 - 24 * (index + 1), left + (col + 1) * CELL, top - 6 - 24 * index)
                art_style.centred_text(draw, box, str(length), face, fill=CLUE_INK)
    for row in range(rows):
        for col in range(cols):
            state = states.get((row, col))
            if state == "color":
                cell = tile("color%d" % PICTURE[row][col])
            elif state in ("out", "cross"):
                cell = tile(state)
            else:
                cell = tile("empty")
            image.paste(cell, (left + col * CELL, top + row * CELL), cell)
    return image


def every(kind):
    return {(r, c): kind for r in range(len(PICTURE)) for c in range(len(PICTURE[0])) if PICTURE[r][c]}


def help_pick():
    """The colour buttons with the first one chosen, and the indicator of the current colour."""
    image = art_style.Image.new("RGBA", (300, 190), (0, 0, 0, 0))
    for index in range(3):
        button = tile("button%d" % (index + 1))
        image.paste(button, (20 + index * 64, 20), button)
    draw = art_style.ImageDraw.Draw(image)
    draw.rounded_rectangle([14, 14, 74, 74], radius=8, outline=GOLD, width=3)
    indicator = tile("indicator1")
    image.paste(indicator, (118, 110), indicator)
    return image


def help_stroke_frames():
    """Frames of one stroke along the top row, a cell at a time, as one strip."""
    row_cells = [c for c in range(len(PICTURE[0])) if PICTURE[0][c] == 1]
    frames = []
    for count in range(len(row_cells) + 3):
        states = {(0, c): "color" for c in row_cells[:count]}
        frames.append(board_picture(states, show_clues=False))
    width, height = frames[0].size
    strip = art_style.Image.new("RGBA", (width * len(frames), height), (0, 0, 0, 0))
    for index, frame in enumerate(frames):
        strip.paste(frame, (index * width, 0))
    return strip


def help_ruled():
    states = {(0, 0): "out", (0, 4): "out", (2, 0): "out", (3, 0): "cross"}
    states.update({(1, c): "color" for c in range(5)})
    return board_picture(states)


IMAGES = {
    "menu_back": lambda: dialog_back(460, 700),
    "help_back": help_back,
    "options_back": lambda: dialog_back(640, 600),
    "difficulty_back": lambda: dialog_back(860, 620),
    "users_back": lambda: dialog_back(560, 620),
    "name_back": lambda: dialog_back(560, 320),
    "button_wide": lambda: art_style.button_strip(260, 50),
    "checkbox": lambda: box_strip(36, False),
    "option": lambda: box_strip(36, True),
    "slider_track": slider_track,
    "slider_thumb": slider_thumb,
    "arrow_left": lambda: arrow_strip(True),
    "arrow_right": lambda: arrow_strip(False),
    "help_pick": help_pick,
    "help_clues": lambda: board_picture({}),
    "help_stroke": help_stroke_frames,
    "help_done": lambda: board_picture(every("color")),
    "help_ruled": help_ruled,
}


def generate(root):
    art_style.save_images(root, FOLDER, IMAGES)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the art of the game's dialogs.", "dialog windows art", generate,
                                "make_dialog_windows_art.py", prepare=art_style.load, owned=(FOLDER,)))
