#!/usr/bin/python3
"""Draws the puzzle's art into assets/: the tiles, the tilesets that order them with their previews, the
board's marks (hover mark, line highlight, clue crosses, reward overlay), the number atlases of the clues
and strokes (sized by the shipped levels: their longest run, widest cells and longest line, so regenerating
after adding levels covers them) and clue backgrounds, the screen
background and the reward pictures. Fixed parameters, so every run writes the same files.
Usage: tools/make_puzzle_art.py [--out ASSETS] [--check]"""

import math
import os
import subprocess
import sys

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

try:
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
except ImportError:
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
import xml.etree.ElementTree as ElementTree

# The numbers are drawn in the game's bold face.
NUMBER_FACE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

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
# Tilesets: the base colour numbers of their colours 1 to 9. A level takes the first tileset whose
# leading colours are its own, so each one puts a different theme's colours first.
TILESETS = [
    ("basic", [1, 2, 3, 4, 5, 6, 7, 8, 9]),   # red, green, brown, yellow, blue, ...
    ("picnic", [1, 6, 2, 4, 3, 5, 7, 8, 9]),  # red, white, green, yellow, brown, ...
    ("sea", [5, 6, 8, 4, 1, 2, 3, 9, 7]),     # blue, white, orange, yellow, red, ...
    ("woods", [3, 2, 8, 4, 6, 1, 5, 9, 7]),   # brown, green, orange, yellow, white, ...
    ("garden", [7, 2, 4, 3, 6, 1, 5, 8, 9]),  # pink, green, yellow, brown, white, ...
    ("harvest", [8, 3, 2, 4, 1, 6, 5, 7, 9]), # orange, brown, green, yellow, red, ...
    ("frost", [5, 6, 9, 4, 1, 2, 3, 7, 8]),   # blue, white, grey, yellow, red, ...
    ("stone", [9, 6, 3, 1, 5, 4, 2, 7, 8]),   # grey, white, brown, red, blue, ...
]
PAPER = (236, 226, 200)
# An unpainted cell: a kraft tone darker than the paper, so that white paint and every light colour stand
# out from it as plainly as the colours do from each other (the tileset test measures this).
EMPTY = (180, 160, 132)
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
    image, _ = square(CELL, EMPTY, darker(EMPTY, 0.8), 1)
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
    # Ruled out: a dot on an empty cell; the error cross: a red X.
    image, draw = square(CELL, EMPTY, darker(EMPTY, 0.8), 1)
    draw.ellipse([CELL // 2 - 4, CELL // 2 - 4, CELL // 2 + 3, CELL // 2 + 3], fill=INK + (255,))
    save(image, root, folder + "out")
    image, draw = square(CELL, EMPTY, darker(EMPTY, 0.8), 1)
    draw.line([9, 9, CELL - 10, CELL - 10], fill=PALETTE[0] + (255,), width=4)
    draw.line([9, CELL - 10, CELL - 10, 9], fill=PALETTE[0] + (255,), width=4)
    save(image, root, folder + "cross")


def draw_preview(root, name, order):
    # The tileset's first six colours, in its order.
    image = Image.new("RGBA", (120, 80), PAPER + (255,))
    draw = ImageDraw.Draw(image)
    for i, number in enumerate(order[:6]):
        colour = PALETTE[number - 1]
        x, y = 10 + (i % 3) * 35, 8 + (i // 3) * 35
        draw.rectangle([x, y, x + 29, y + 29], fill=colour + (255,), outline=darker(colour) + (255,), width=2)
    save(image, root, "textures/tilesets/preview" + name)


def tileset_text(order):
    """Every tileset draws with the basic tiles; its order says which colour each number shows."""
    folder = "textures/tilesets/basic/"
    lines = ['<tileset numbers="">',
             "  <!-- Player values 0 (untouched) and colours 1 to 9 first, in that order. -->",
             '  <tile sprite="%sempty"/>' % folder]
    lines += ['  <tile sprite="%scolor%d" mast="%d" overcolor="%d"/>' % (folder, number, mast, number - 1)
              for mast, number in enumerate(order, start=1)]
    lines += ['  <tile sprite="%sout" type="-1"/>' % folder, '  <tile sprite="%scross" type="-2"/>' % folder,
              "  <!-- The colour buttons, then the current-colour indicator. -->"]
    for kind, group in (("button", 10), ("indicator", 11)):
        lines += ['  <tile sprite="%s%s%d" group="%d" mast="%d"/>' % (folder, kind, number, group, mast)
                  for mast, number in enumerate(order, start=1)]
    return "\n".join(lines) + "\n</tileset>\n"


def write_tilesets(root):
    catalogue = ["<tilesets>"]
    for name, order in TILESETS:
        generated_data.write_text(root, "tilesets/%s.xml" % name, tileset_text(order))
        draw_preview(root, name, order)
        catalogue.append('  <tileset path="tilesets/%s.xml" name="%s" preview="textures/tilesets/preview%s"/>'
                         % (name, name, name))
    generated_data.write_text(root, "tilesets/tilesets.xml", "\n".join(catalogue) + "\n</tilesets>\n")


# The screen backgrounds, themed per stage: sky colours from top to bottom, the colour of the land or sea
# along the bottom and how long its swells are (pixels per radian): sky over meadow, dusk, sea, autumn.
BACKGROUNDS = [
    ((120, 170, 210), (210, 228, 190), (96, 150, 80), 210),
    ((92, 84, 150), (236, 170, 130), (96, 70, 112), 240),
    ((70, 140, 170), (200, 230, 220), (46, 118, 150), 90),
    ((190, 120, 70), (240, 214, 150), (168, 92, 52), 180),
]
# The vignette darkens the corners towards this colour, up to this share.
VIGNETTE = ((16, 20, 30), 0.55)


def draw_background(root, number, top, bottom, ground, swell):
    """A smooth sky (one colour step per row: no bands), two soft layers of land or sea along the
    bottom, and a vignette that keeps the eye on the board."""
    width, height = 1366, 768
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / (height - 1)
        draw.line([(0, y), (width, y)], fill=tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom)))
    for layer, (amplitude, base, shade) in enumerate(((40, 560, 0.92), (30, 640, 0.84))):
        mask = Image.new("L", (width, height), 0)
        outline = [(x, base + amplitude * math.sin(x / (swell + 60 * layer) + 1.7 * layer)
                    + 0.5 * amplitude * math.sin(x / (swell / 2.2) + layer)) for x in range(0, width + 8, 8)]
        ImageDraw.Draw(mask).polygon(outline + [(width, height), (0, height)], fill=255)
        mask = mask.filter(ImageFilter.GaussianBlur(3))
        # A tint over the sky rather than a flat fill, so the land keeps the sky's light.
        tint = Image.blend(image, Image.new("RGB", (width, height), tuple(int(c * shade) for c in ground)), 0.55)
        image.paste(tint, (0, 0), mask)
    small = Image.new("L", (width // 8, height // 8), 0)
    pixels = small.load()
    colour, strength = VIGNETTE
    for y in range(small.height):
        for x in range(small.width):
            dx, dy = (x + 0.5) / small.width - 0.5, ((y + 0.5) / small.height - 0.5) * 1.25
            r = math.hypot(dx, dy) / 0.75
            pixels[x, y] = int(255 * strength * min(1.0, max(0.0, (r - 0.45) / 0.55)) ** 2)
    image = Image.composite(Image.new("RGB", (width, height), colour), image,
                            small.resize((width, height), Image.BILINEAR))
    save(image, root, "textures/backs/back%d" % number)


def reward_canvas(size):
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    return image, ImageDraw.Draw(image), size / 64.0


def acorn(size, cap, nut):
    image, draw, s = reward_canvas(size)
    draw.ellipse([16 * s, 20 * s, 48 * s, 60 * s], fill=nut + (255,), outline=INK + (255,), width=max(1, int(2 * s)))
    draw.pieslice([10 * s, 8 * s, 54 * s, 44 * s], 180, 360, fill=cap + (255,), outline=INK + (255,),
                  width=max(1, int(2 * s)))
    draw.rectangle([30 * s, 2 * s, 34 * s, 10 * s], fill=INK + (255,))
    return image


def leaf(size, blade, vein):
    image, draw, s = reward_canvas(size)
    draw.polygon([(32 * s, 4 * s), (54 * s, 24 * s), (50 * s, 46 * s), (32 * s, 56 * s), (14 * s, 46 * s),
                  (10 * s, 24 * s)], fill=blade + (255,), outline=INK + (255,))
    draw.line([32 * s, 10 * s, 32 * s, 62 * s], fill=vein + (255,), width=max(1, int(3 * s)))
    for y in (22, 34, 44):
        draw.line([32 * s, (y + 6) * s, 20 * s, y * s], fill=vein + (255,), width=max(1, int(2 * s)))
        draw.line([32 * s, (y + 6) * s, 44 * s, y * s], fill=vein + (255,), width=max(1, int(2 * s)))
    return image


def shell(size, face, rib):
    """A scallop: a fan of ribs opening upward from its hinge, a scalloped rim and the two ears at the
    hinge, so it cannot read as a cap on a stem."""
    image, draw, s = reward_canvas(size)
    hinge = (32 * s, 52 * s)
    width = max(1, int(2 * s))
    # The rim: bumps along an arc from 215 to 325 degrees around the hinge.
    angles = [215 + 110 * i / 7 for i in range(8)]
    rim = [(hinge[0] + 38 * s * math.cos(math.radians(a)), hinge[1] + 38 * s * math.sin(math.radians(a)))
           for a in angles]
    draw.polygon([hinge] + rim, fill=face + (255,), outline=INK + (255,))
    for x, y in rim[1:-1]:
        draw.ellipse([x - 5 * s, y - 5 * s, x + 5 * s, y + 5 * s], fill=face + (255,), outline=INK + (255,),
                     width=width)
    draw.polygon([hinge] + rim, fill=face + (255,))
    for x, y in rim[1:-1]:
        draw.line([hinge, (x, y)], fill=rib + (255,), width=width)
    draw.line([rim[0], hinge, rim[-1]], fill=INK + (255,), width=width)
    # The ears either side of the hinge.
    draw.polygon([(20 * s, 62 * s), (24 * s, 48 * s), (32 * s, 52 * s), (40 * s, 48 * s), (44 * s, 62 * s)],
                 fill=face + (255,), outline=INK + (255,))
    return image


def feather(size, vane, shaft):
    image, draw, s = reward_canvas(size)
    draw.ellipse([20 * s, 2 * s, 44 * s, 52 * s], fill=vane + (255,), outline=INK + (255,), width=max(1, int(2 * s)))
    draw.line([32 * s, 8 * s, 32 * s, 62 * s], fill=shaft + (255,), width=max(1, int(3 * s)))
    for y in (16, 28, 40):
        draw.line([32 * s, y * s, 24 * s, (y - 6) * s], fill=shaft + (255,), width=max(1, int(s)))
        draw.line([32 * s, y * s, 40 * s, (y - 6) * s], fill=shaft + (255,), width=max(1, int(s)))
    return image


# id -> the drawing and its two colours when obtained; a reward not yet found is drawn in greys.
REWARDS = [
    ("acorn", acorn, PALETTE[2], PALETTE[7]),
    ("leaf", leaf, PALETTE[1], darker(PALETTE[1])),
    ("shell", shell, PALETTE[6], darker(PALETTE[6], 0.7)),
    ("feather", feather, PALETTE[4], PALETTE[5]),
]
GREYS = ((120, 120, 120), (170, 170, 170))


def draw_rewards(root):
    for name, drawing, first, second in REWARDS:
        save(drawing(64, first, second), root, "textures/rewards/" + name)
        save(drawing(64, *GREYS), root, "textures/rewards/%soff" % name)
        save(drawing(32, first, second), root, "textures/rewards/%ssmall" % name)


# Clue numbers stack 28 x 20 to the left of the grid (8 at most per row) and 20 high above it (7 at most
# per column), 10 pixels off the grid.
ROW_CLUES_WIDTH = 8 * 28 + 10
COLUMN_CLUES_HEIGHT = 7 * 20 + 10


def draw_board_marks(root):
    image = Image.new("RGBA", (CELL, CELL), (0, 0, 0, 0))
    ImageDraw.Draw(image).rectangle([1, 1, CELL - 2, CELL - 2], outline=(255, 255, 255, 230), width=3)
    save(image, root, "textures/tilesets/over")
    save(Image.new("RGBA", (CELL, CELL), (255, 255, 255, 255)), root, "textures/tilesets/highlight")
    for name, width in (("numbercrosshorz", 28), ("numbercrossvert", CELL)):
        image = Image.new("RGBA", (width, 20), (0, 0, 0, 0))
        middle = width // 2
        ImageDraw.Draw(image).line([middle - 9, 17, middle + 9, 2], fill=PALETTE[0] + (255,), width=2)
        save(image, root, "textures/tilesets/" + name)
    image = Image.new("RGBA", (CELL, CELL), (0, 0, 0, 0))
    image.paste(acorn(18, PALETTE[2], PALETTE[7]), (CELL - 19, CELL - 19))
    save(image, root, "textures/items/rewardover")


# Atlas frames: row clues 28 x 20, column clues a cell wide x 20, stroke numbers 40 x 20; number n in the
# frame at y = 20 x (n - 1).
NUMBER_FRAME_HEIGHT = 20
ROW_NUMBER_WIDTH = 28
DRAG_NUMBER_WIDTH = 40


def shipped_level_files(assets):
    """The layout files of every level of both level sets of stages.xml."""
    root = ElementTree.parse(os.path.join(assets, "stages.xml")).getroot()
    files = []
    for level_set in ("stages", "stagesusual"):
        for stages in root.findall(level_set):
            folder = stages.get("folder", "")
            for level in stages.iter("level"):
                path = os.path.join(assets, folder + level.get("filename", ""))
                if path not in files:
                    files.append(path)
    return files


def longest_run(lines):
    """The longest run of one colour digit along any row or column of a grid of digit lines."""
    width = max((len(line) for line in lines), default=0)
    grid = [line.ljust(width, "0") for line in lines]
    columns = ["".join(row[c] for row in grid) for c in range(width)]
    longest = 0
    for line in grid + columns:
        run, previous = 0, ""
        for char in line:
            run = run + 1 if char == previous and char in "123456789" else (1 if char in "123456789" else 0)
            previous = char
            longest = max(longest, run)
    return longest


def number_ranges(assets):
    """(longest run, narrowest and widest cell, longest line) over the shipped levels."""
    runs, narrowest, widest, line = 1, CELL, CELL, 1
    cells = []
    for path in shipped_level_files(assets):
        layout = ElementTree.parse(path).getroot()
        info = layout.find("info")
        lines = [element.get("line", "") for element in layout.findall("line")]
        runs = max(runs, longest_run(lines))
        cells.append(int(info.get("collwidth", CELL)) if info is not None else CELL)
        if info is not None:
            line = max(line, int(info.get("rows", 0)), int(info.get("cols", 0)))
    if cells:
        narrowest, widest = min(cells), max(cells)
    return runs, narrowest, widest, line


def number_strip(count, width, centre, size, fill, outline=None):
    """count frames of width x 20, number n centred at x = centre in frame n - 1."""
    face = ImageFont.truetype(NUMBER_FACE, size, layout_engine=ImageFont.Layout.BASIC)
    image = Image.new("RGBA", (width, count * NUMBER_FRAME_HEIGHT), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for n in range(1, count + 1):
        text = str(n)
        left, top, right, bottom = draw.textbbox((0, 0), text, font=face)
        x = centre - (right - left) // 2 - left
        y = (n - 1) * NUMBER_FRAME_HEIGHT + (NUMBER_FRAME_HEIGHT - (bottom - top)) // 2 - top
        if outline is not None:
            draw.text((x, y), text, font=face, fill=fill, stroke_width=1, stroke_fill=outline)
        else:
            draw.text((x, y), text, font=face, fill=fill)
    return image


def draw_number_atlases(root):
    runs, narrowest, widest, line = number_ranges(generated_data.ASSETS)
    folder = "textures/tilesets/"
    ink = INK + (255,)
    save(number_strip(runs, ROW_NUMBER_WIDTH, ROW_NUMBER_WIDTH // 2, 15, ink), root, folder + "basenumberslines")
    # Every level takes the left part of a column frame as wide as its cells: the numbers stand in the
    # middle of the narrowest.
    save(number_strip(runs, widest, narrowest // 2, 15, ink), root, folder + "basenumbers")
    save(number_strip(line, DRAG_NUMBER_WIDTH, DRAG_NUMBER_WIDTH // 2, 15, (255, 255, 255, 255), ink), root,
         folder + "overnumbers")


def runs_per_colour(line):
    """{colour digit: number of its runs} along one line of digits."""
    counts, previous = {}, ""
    for char in line:
        if char in "123456789" and char != previous:
            counts[char] = counts.get(char, 0) + 1
        previous = char
    return counts


def longest_clue_lists(assets):
    """The most clue numbers one colour shows beside any row and above any column of a shipped level."""
    most_row, most_column = 1, 1
    for path in shipped_level_files(assets):
        lines = [element.get("line", "") for element in ElementTree.parse(path).getroot().findall("line")]
        width = max((len(line) for line in lines), default=0)
        grid = [line.ljust(width, "0") for line in lines]
        columns = ["".join(row[c] for row in grid) for c in range(width)]
        for line in grid:
            most_row = max([most_row] + list(runs_per_colour(line).values()))
        for line in columns:
            most_column = max([most_column] + list(runs_per_colour(line).values()))
    return most_row, most_column


# The strips hold the longest clue list of any level on full paper, then fade out over this length, so
# their far end melts into the background instead of ending as a block.
CLUE_FADE = 36
CLUE_PAPER_ALPHA = 225
# Where the largest grid leaves no room for a fade past the numbers, the far clue places (which few levels fill)
# lie on the fade: the paper under them thins to no less than this, and fades out over the last
# CLUE_EDGE pixels past them.
CLUE_PAPER_FLOOR = 150
CLUE_EDGE = 5

# The room a board has on the screen: its frame keeps SCREEN_MARGIN from the screen's edges and from the
# side panel (ui/interface.xml) and holds the grid and its clue strips with FRAME_PAD around them. Cells
# are CELL square, with GAP after every fifth line.
SCREEN_H, PANEL_LEFT = 768, 1146
SCREEN_MARGIN = 20
FRAME_PAD = 4
GAP = 2
BOARD_ROOM_W, BOARD_ROOM_H = PANEL_LEFT - 2 * SCREEN_MARGIN, SCREEN_H - 2 * SCREEN_MARGIN


def grid_pixels(count):
    return count * CELL + (count // 5) * GAP


def smoothstep(t):
    t = min(1.0, max(0.0, t))
    return t * t * (3.0 - 2.0 * t)


def fade_profile(length, solid):
    """Alpha over a strip's length from its far end (index 0) to the grid. With room for a fade past the
    solid part: 0 rising to full over the fade, then full over the solid part next to the grid. Without
    it: full up to CLUE_FADE before the end, thinning to the floor over the far clue places, then out over
    the last CLUE_EDGE pixels."""
    if length - solid >= 2 * CLUE_EDGE:
        fade = length - solid
        return [int(round(CLUE_PAPER_ALPHA * min(1.0, (i + 0.5) / fade) ** 1.5)) for i in range(length)]
    thinning, reach = length - CLUE_FADE, solid - CLUE_EDGE
    profile = []
    for i in range(length):
        d = length - i - 0.5  # distance from the grid
        if d <= reach:
            t = smoothstep((d - thinning) / (reach - thinning))
            alpha = CLUE_PAPER_ALPHA - (CLUE_PAPER_ALPHA - CLUE_PAPER_FLOOR) * t
        else:
            alpha = CLUE_PAPER_FLOOR * min(1.0, (i + 0.5) / (length - reach)) ** 1.5
        profile.append(int(round(alpha)))
    return profile


def clue_strip(length, thickness, solid, colour, alpha_scale=1.0, along_x=True):
    profile = fade_profile(length, solid)
    size = (length, thickness) if along_x else (thickness, length)
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    pixels = image.load()
    for i, alpha in enumerate(profile):
        for j in range(thickness):
            # A touch lighter along the middle of the strip, as paper catches the light.
            lift = 1.0 + 0.04 * (1.0 - abs(2.0 * (j + 0.5) / thickness - 1.0)) if thickness > 4 else 1.0
            fill = tuple(min(255, int(c * lift)) for c in colour) + (int(alpha * alpha_scale),)
            pixels[(i, j) if along_x else (j, i)] = fill
    return image


def clue_strip_solids(most_row, most_column):
    """The solid part of the row and the column clue strips: 10 pixels off the grid, then the numbers."""
    return 10 + most_row * ROW_NUMBER_WIDTH + 6, 10 + most_column * NUMBER_FRAME_HEIGHT + 4


def clue_strip_sizes(most_row, most_column, widest, tallest):
    """(length, solid) of the row and of the column clue strip for levels whose longest clue lists and
    largest grids are these: the solid part and the fade after it, cut to the room the largest grid of
    that direction leaves in its frame."""
    sizes = []
    for solid, room in zip(clue_strip_solids(most_row, most_column),
                           (BOARD_ROOM_W - grid_pixels(widest) - 2 * FRAME_PAD,
                            BOARD_ROOM_H - grid_pixels(tallest) - 2 * FRAME_PAD)):
        if room < solid:
            sys.exit("the clues of the largest grid do not fit the screen (%d pixels for %d)" % (room, solid))
        sizes.append((min(solid + CLUE_FADE, room), solid))
    return sizes


def largest_grid(assets):
    """The most columns and the most rows of any shipped level."""
    widest = tallest = 0
    for path in shipped_level_files(assets):
        info = ElementTree.parse(path).getroot().find("info")
        widest = max(widest, int(info.get("cols", "0")))
        tallest = max(tallest, int(info.get("rows", "0")))
    return widest, tallest


def draw_clue_backs(root):
    folder = "textures/gui/gamescreen/"
    (row_length, row_solid), (column_length, column_solid) = clue_strip_sizes(
        *longest_clue_lists(generated_data.ASSETS), *largest_grid(generated_data.ASSETS))
    save(clue_strip(row_length, CELL, row_solid, PAPER), root, folder + "rowback")
    save(clue_strip(column_length, CELL, column_solid, PAPER, along_x=False), root, folder + "colback")
    save(clue_strip(row_length, 2, row_solid, INK, 90 / CLUE_PAPER_ALPHA), root, folder + "rowbackline")
    save(clue_strip(column_length, 2, column_solid, INK, 90 / CLUE_PAPER_ALPHA, along_x=False), root,
         folder + "colbackline")


def generate(root):
    draw_tiles(root)
    draw_board_marks(root)
    draw_number_atlases(root)
    draw_clue_backs(root)
    write_tilesets(root)
    for number, background in enumerate(BACKGROUNDS, start=1):
        draw_background(root, number, *background)
    draw_rewards(root)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the puzzle's art.", "puzzle art", generate, "make_puzzle_art.py",
                                owned=("tilesets", "textures/tilesets", "textures/rewards")))
