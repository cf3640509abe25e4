#!/usr/bin/python3
"""Draws the art of the main menu and the level map: the two backgrounds, the menu's button strip and
the frames of its two key-frame animations (textures/menu/), the level plate strip (three rows: normal,
pointer over, pressed), the gold and grey stars, the game-type previews and the page buttons
(textures/map/), and writes the animations "but1.xml" and "but2.xml". The map's background has a slot
under every reward place of rewards.xml. Fixed shapes and colours, so every run writes the same files.

    tools/make_map_art.py              write into the repository's assets/
    tools/make_map_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_map_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import math
import os
import sys
import xml.etree.ElementTree as ElementTree

import art_style
import generated_data
from art_style import GOLD, GOLD_DARK, INK, SMOOTH, framed_panel, gradient, rounded_mask

MAP_FOLDER = os.path.join("textures", "map")
MENU_FOLDER = os.path.join("textures", "menu")
WIDTH, HEIGHT = 1366, 768
# The plate: its size, the picture's centre and the stars' row (ui/map.xml holds the same numbers).
PLATE_W, PLATE_H = 220, 200
STAR = 32
# The mini board of the menu's animations: cells painted one by one.
ANIM_CELLS = [(0, 0), (1, 0), (2, 1), (1, 1), (0, 2), (2, 2), (1, 2), (0, 1), (2, 0)]
ANIM_CELL, ANIM_GAP = 24, 3


def backdrop():
    image = gradient(WIDTH, HEIGHT, art_style.NIGHT_TOP, art_style.NIGHT_BOTTOM)

    def grid(draw):
        # A faint board grid over the whole screen.
        for x in range(0, WIDTH, 48):
            draw.line([(x, 0), (x, HEIGHT)], fill=(255, 255, 255, 14))
        for y in range(0, HEIGHT, 48):
            draw.line([(0, y), (WIDTH, y)], fill=(255, 255, 255, 14))

    art_style.draw_over(image, grid)
    return image


def logo(size):
    """The game's name as a drawn logo: bold letters filled with board cells in the board's colours, each
    letter its own colour run, rimmed in ink and gold over a soft shadow. size: the letters' point size."""
    text = "Verdanel"
    face = art_style.font(size * SMOOTH, bold=True)
    probe = art_style.ImageDraw.Draw(art_style.Image.new("L", (1, 1)))
    left, top, right, bottom = probe.textbbox((0, 0), text, font=face)
    rim = max(2, size // 18) * SMOOTH
    pad = 3 * rim
    width, height = right - left + 2 * pad, bottom - top + 2 * pad
    origin = (pad - left, pad - top)
    # One mask per letter, so each letter takes its own colour.
    letters = []
    x = origin[0]
    for char in text:
        mask = art_style.Image.new("L", (width, height), 0)
        art_style.ImageDraw.Draw(mask).text((x, origin[1]), char, font=face, fill=255)
        letters.append(mask)
        x += probe.textlength(char, font=face)
    whole = art_style.Image.new("L", (width, height), 0)
    for mask in letters:
        whole.paste(255, (0, 0), mask)
    from PIL import ImageFilter
    def grown(mask, by):
        return mask.filter(ImageFilter.MaxFilter(2 * (by // 2) + 1))

    # From outside in: a shadow, an ink line, the gold rim, an ink line, then the cells.
    inner_ink = grown(whole, rim)
    gold_rim = grown(inner_ink, 2 * rim)
    outer_ink = grown(gold_rim, rim)
    shadow = outer_ink.filter(ImageFilter.GaussianBlur(2 * rim))
    image = art_style.Image.new("RGBA", (width, height), (0, 0, 0, 0))
    image.paste((0, 0, 0, 150), (rim, 2 * rim), shadow)
    image.paste(INK, (0, 0), outer_ink)
    image.paste(GOLD, (0, 0), gold_rim)
    image.paste(INK, (0, 0), inner_ink)
    # The cells: a square grid with dark grout; each cell lit at its top edge.
    cell = max(8, size // 6) * SMOOTH
    grout = max(1, cell // 7)
    for index, mask in enumerate(letters):
        colour = art_style.CELL_COLOURS[index % len(art_style.CELL_COLOURS)]
        tiles = art_style.Image.new("RGBA", (width, height), art_style.mix(colour, (30, 20, 10), 0.55) + (255,))
        draw = art_style.ImageDraw.Draw(tiles)
        for cy in range(0, height, cell):
            for cx in range(0, width, cell):
                # A gentle shift down the letter keeps the cells from reading flat.
                shade = art_style.mix(colour, (255, 255, 255), 0.18 - 0.3 * cy / height)
                draw.rectangle([cx + grout, cy + grout, cx + cell - grout - 1, cy + cell - grout - 1],
                               fill=shade + (255,))
                draw.rectangle([cx + grout, cy + grout, cx + cell - grout - 1, cy + grout + cell // 6],
                               fill=art_style.mix(shade, (255, 255, 255), 0.35) + (255,))
        image.paste(tiles, (0, 0), mask)
    return image.resize((width // SMOOTH, height // SMOOTH), art_style.Image.LANCZOS)


def title(image, centre_y, size, centre_x=WIDTH // 2):
    drawn = logo(size)
    image.alpha_composite(drawn, (centre_x - drawn.width // 2, centre_y - drawn.height // 2))


def menu_back():
    image = backdrop()
    title(image, 120, 88)
    panel = framed_panel(380, 420, 28, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 4)
    image.alpha_composite(panel, ((WIDTH - 380) // 2, 248))
    # The name plate under the panel.
    plate = framed_panel(520, 88, 20, art_style.BAND_TOP, art_style.BAND_BOTTOM, GOLD_DARK, 2)
    image.alpha_composite(plate, ((WIDTH - 520) // 2, 668))
    return image


def reward_slots():
    rewards = ElementTree.parse(os.path.join(generated_data.ASSETS, "rewards.xml")).getroot()
    return [(int(r.get("x")), int(r.get("y"))) for r in rewards.iter("reward")]


def map_back():
    image = backdrop()
    draw = art_style.ImageDraw.Draw(image)
    title(image, 86, 64, 1100)
    # The board of plates: three columns of two rows.
    board = framed_panel(800, 520, 30, art_style.PANEL_TOP, art_style.PANEL_BOTTOM, GOLD, 4)
    image.alpha_composite(board, (60, 120))
    # The collection of found pieces, one slot per reward place.
    slots = reward_slots()
    if slots:
        left = min(x for x, _ in slots) - 24
        right = max(x for x, _ in slots) + 64 + 24
        top = min(y for _, y in slots) - 60
        bottom = max(y for _, y in slots) + 64 + 20
        panel = framed_panel(right - left, bottom - top, 22, art_style.BAND_TOP, art_style.BAND_BOTTOM, GOLD_DARK, 3)
        image.alpha_composite(panel, (left, top))
        draw = art_style.ImageDraw.Draw(image, "RGBA")
        art_style.centred_text(draw, (left, top + 6, right, top + 46), "Found pieces", art_style.font(24, bold=True))

        def wells(draw):
            for x, y in slots:
                draw.rounded_rectangle([x - 4, y - 4, x + 67, y + 67], radius=10, fill=(0, 0, 0, 70),
                                       outline=(255, 255, 255, 60), width=2)

        art_style.draw_over(image, wells)
    return image


def plate_row(top, bottom, border, lift):
    row = framed_panel(PLATE_W, PLATE_H, 18, top, bottom, border, 3)

    def shades(draw):
        # The picture's window and the stars' shelf.
        draw.rounded_rectangle([16 + lift, 10 + lift, PLATE_W - 17 + lift, 150 + lift], radius=8, fill=(0, 0, 0, 60))
        draw.rounded_rectangle([44 + lift, 152 + lift, PLATE_W - 45 + lift, 194 + lift], radius=10,
                               fill=(0, 0, 0, 50))

    art_style.draw_over(row, shades)
    return row


def level_strip():
    strip = art_style.Image.new("RGBA", (PLATE_W, PLATE_H * 3), (0, 0, 0, 0))
    looks = [((70, 108, 132, 255), (34, 62, 84, 255), GOLD_DARK, 0),
             ((96, 138, 162, 255), (46, 80, 104, 255), GOLD, 0),
             ((30, 56, 76, 255), (60, 96, 120, 255), GOLD, 2)]
    for index, (top, bottom, border, lift) in enumerate(looks):
        strip.paste(plate_row(top, bottom, border, lift), (0, index * PLATE_H))
    return strip


def star(fill, outline):
    big = art_style.Image.new("RGBA", (STAR * SMOOTH, STAR * SMOOTH), (0, 0, 0, 0))
    draw = art_style.ImageDraw.Draw(big)
    centre = STAR * SMOOTH / 2
    points = []
    for k in range(10):
        radius = (STAR / 2 - 1.5) * SMOOTH if k % 2 == 0 else (STAR / 5) * SMOOTH
        angle = -math.pi / 2 + k * math.pi / 5
        points.append((centre + radius * math.cos(angle), centre + 2 * SMOOTH + radius * math.sin(angle)))
    draw.polygon(points, fill=fill, outline=outline, width=2 * SMOOTH)
    return big.resize((STAR, STAR), art_style.Image.LANCZOS)


def preview(colours, mark):
    """A board still to be solved: a faint grid, a few painted cells along its rim, and a question mark."""
    width, height = 150, 110
    image = framed_panel(width, height, 10, (238, 228, 204, 255), (214, 200, 170, 255), INK, 2)
    cell, cols, rows = 16, 8, 5
    left, top = (width - cols * cell) // 2, (height - rows * cell) // 2

    def grid(draw):
        for col in range(cols + 1):
            draw.line([(left + col * cell, top), (left + col * cell, top + rows * cell)], fill=(60, 48, 40, 50))
        for row in range(rows + 1):
            draw.line([(left, top + row * cell), (left + cols * cell, top + row * cell)], fill=(60, 48, 40, 50))
        rim = [(0, 0), (1, 0), (7, 0), (0, 1), (7, 3), (6, 4), (7, 4), (0, 4)]
        for index, (col, row) in enumerate(rim):
            x, y = left + col * cell, top + row * cell
            draw.rectangle([x + 1, y + 1, x + cell - 1, y + cell - 1], fill=colours[index % len(colours)] + (200,))

    art_style.draw_over(image, grid)
    draw = art_style.ImageDraw.Draw(image, "RGBA")
    art_style.centred_text(draw, (0, 0, width, height), mark, art_style.font(60, bold=True), fill=INK,
                           shadow=(255, 255, 255, 140))
    return image


PREVIEWS = {
    "prevtreecolor": [(94, 168, 75), (226, 96, 72), (246, 196, 64)],
    "prevrome": [(186, 110, 196), (246, 196, 64)],
    "prevlabyrinth": [(88, 140, 214), (94, 168, 75)],
    "prevmystery": [(112, 112, 120), (186, 110, 196)],
    "prevchangecolor": [(226, 96, 72), (88, 140, 214), (246, 196, 64), (94, 168, 75)],
}


def arrow_strip(pointing_left):
    width, height = 96, 64
    strip = art_style.button_strip(width, height)
    draw = art_style.ImageDraw.Draw(strip)
    for row, (_top, _bottom, ink, _shine) in enumerate(art_style.BUTTON_LOOKS):
        cy = row * height + height // 2 + (1 if row == 2 else 0)
        tip, back = (30, 64) if pointing_left else (66, 32)
        draw.polygon([(tip, cy), (back, cy - 16), (back, cy + 16)], fill=ink)
    return strip


def anim_frame(count, colours):
    """The mini board with the first count cells painted."""
    size = 3 * ANIM_CELL + 4 * ANIM_GAP
    image = framed_panel(size, size, 8, art_style.BAND_TOP, art_style.BAND_BOTTOM, GOLD, 2)
    draw = art_style.ImageDraw.Draw(image)
    for index, (col, row) in enumerate(ANIM_CELLS):
        left = ANIM_GAP + col * (ANIM_CELL + ANIM_GAP) + 1
        top = ANIM_GAP + row * (ANIM_CELL + ANIM_GAP) + 1
        fill = colours[index % len(colours)] + (255,) if index < count else (255, 255, 255, 30)
        draw.rectangle([left, top, left + ANIM_CELL - 3, top + ANIM_CELL - 3], fill=fill)
    return image


ANIMATIONS = [
    ("but1.xml", "a", [(94, 168, 75), (246, 196, 64)], 330, 78),
    ("but2.xml", "b", [(226, 96, 72), (88, 140, 214)], 951, 78),
]


def animation_xml(prefix, x, y):
    # Every cell appears in turn, the full board stays a little longer, then it starts again.
    frames = list(range(len(ANIM_CELLS) + 1)) + [len(ANIM_CELLS)] * 3
    items = "\n".join('  <item name="textures/menu/%s%d" x="0" y="0"/>' % (prefix, count) for count in frames)
    return ('<!-- The mini board beside the menu\'s title, painted cell by cell. Made by tools/make_map_art.py. -->\n'
            '<animation time="0.25" x="%d" y="%d">\n%s\n</animation>\n' % (x, y, items))


def generate(root):
    for folder in (MAP_FOLDER, MENU_FOLDER):
        os.makedirs(os.path.join(root, folder), exist_ok=True)

    def save(image, folder, name):
        image.save(os.path.join(root, folder, name + ".png"), optimize=True)

    save(menu_back(), MENU_FOLDER, "menuback")
    save(art_style.button_strip(280, 60), MENU_FOLDER, "button")
    for _file, prefix, colours, _x, _y in ANIMATIONS:
        for count in range(len(ANIM_CELLS) + 1):
            save(anim_frame(count, colours), MENU_FOLDER, "%s%d" % (prefix, count))
    save(map_back(), MAP_FOLDER, "mapback")
    save(level_strip(), MAP_FOLDER, "level")
    save(star((250, 204, 72, 255), GOLD_DARK), MAP_FOLDER, "goldstar")
    # A star still to earn: a dark hollow with a pale rim, plain against the plate's shelf.
    save(star((22, 38, 52, 255), (196, 206, 218, 255)), MAP_FOLDER, "graystar")
    for name, colours in PREVIEWS.items():
        save(preview(colours, "?"), MAP_FOLDER, name)
    save(arrow_strip(True), MAP_FOLDER, "prev")
    save(arrow_strip(False), MAP_FOLDER, "next")
    for file_name, prefix, _colours, x, y in ANIMATIONS:
        generated_data.write_text(root, file_name, animation_xml(prefix, x, y))


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the main menu and level map art.", "map art", generate, "make_map_art.py",
                                prepare=art_style.load, owned=(MAP_FOLDER, MENU_FOLDER)))
