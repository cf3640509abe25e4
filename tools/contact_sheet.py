#!/usr/bin/python3
"""Draws every level of assets/stages.xml as its solved picture with its name, one row per stage, into
one PNG (default build-test/contact_sheet.png), so the pack can be looked at in one go. A cell's colour
is what the game shows: the level's tileset gives its over-colour, the colour table of settings.xml
the colour. Usage: tools/contact_sheet.py [--assets DIR] [--out PNG]"""

import argparse
import os
import subprocess
import xml.etree.ElementTree as ElementTree

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh"), "python3-pil"], check=True)
    from PIL import Image, ImageDraw, ImageFont

PIXEL = 12          # one cell on the sheet
SLOT_W, SLOT_H = 20 * PIXEL + 24, 15 * PIXEL + 40
HEADER = 28
BACKGROUND = (250, 248, 240)
EMPTY = (176, 182, 194)
TEXT = (40, 32, 24)
FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"


def parse_colour(text):
    """"r.g.b.a" in 0-255, or one hexadecimal AARRGGBB value."""
    if "." in text:
        return tuple(int(part) for part in text.split(".")[:3])
    value = int(text, 16)
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


def base_colours(assets):
    root = ElementTree.parse(os.path.join(assets, "settings.xml")).getroot()
    return [parse_colour(element.get("color", "0.0.0.0")) for element in root.iter("baseovercolor")]


def tileset_colours(assets, path, table):
    """Colour number -> colour: the over-colour of the first tile whose "mast" is the number."""
    colours = {}
    for tile in ElementTree.parse(os.path.join(assets, path)).getroot().iter("tile"):
        mast, over = int(tile.get("mast", "0")), int(tile.get("overcolor", "-1"))
        if mast > 0 and mast not in colours and 0 <= over < len(table):
            colours[mast] = table[over]
    return colours


def read_levels(assets):
    """(set name, [stage: [(name, layout path, tileset name)]])."""
    root = ElementTree.parse(os.path.join(assets, "stages.xml")).getroot()
    main = root.find("stages")
    defaults = main.find("tilesets") if main is not None else None
    default_tileset = defaults.get("tilesets", "").split(",")[0].strip() if defaults is not None else ""
    sets = []
    for set_name in ("stages", "stagesusual"):
        element = root.find(set_name)
        if element is None:
            continue
        folder = element.get("folder", "")
        stages = []
        for stage in element.iter("stage"):
            stages.append([(level.get("name", ""), folder + level.get("filename", "").lstrip(),
                            level.get("tileset") or default_tileset) for level in stage.iter("level")])
        sets.append((set_name, stages))
    return sets


def read_layout(assets, path):
    root = ElementTree.parse(os.path.join(assets, path)).getroot()
    info = root.find("info")
    rows, cols = int(info.get("rows", "0")), int(info.get("cols", "0"))
    grid = [[0] * cols for _ in range(rows)]
    for r, line in enumerate(root.iter("line")):
        for c, ch in enumerate(line.get("line", "")[:cols]):
            grid[r][c] = int(ch) if ch.isdigit() else 0
    return grid


def draw_picture(draw, x, y, grid, colours):
    for r, row in enumerate(grid):
        for c, value in enumerate(row):
            fill = colours.get(value, (255, 0, 255)) if value > 0 else EMPTY
            draw.rectangle([x + c * PIXEL, y + r * PIXEL, x + (c + 1) * PIXEL - 1, y + (r + 1) * PIXEL - 1],
                           fill=fill)


def make_sheet(assets):
    table = base_colours(assets)
    catalogue = ElementTree.parse(os.path.join(assets, "tilesets", "tilesets.xml")).getroot()
    tilesets = {t.get("name"): tileset_colours(assets, t.get("path"), table) for t in catalogue.iter("tileset")}
    sets = read_levels(assets)
    rows = [(set_name, number, stage) for set_name, stages in sets for number, stage in enumerate(stages, 1)]
    width = max(len(stage) for _, _, stage in rows) * SLOT_W + 16
    sheet = Image.new("RGB", (width, len(rows) * (SLOT_H + HEADER) + 8), BACKGROUND)
    draw = ImageDraw.Draw(sheet)
    font = ImageFont.truetype(FONT_FILE, 14) if os.path.exists(FONT_FILE) else ImageFont.load_default()
    y = 8
    for set_name, number, stage in rows:
        draw.text((8, y), "%s, stage %d" % (set_name, number), fill=TEXT, font=font)
        y += HEADER
        for i, (name, path, tileset) in enumerate(stage):
            grid = read_layout(assets, path)
            x = 8 + i * SLOT_W
            draw_picture(draw, x, y, grid, tilesets.get(tileset, {}))
            label = "%s  %dx%d, %d colours" % (name, len(grid[0]) if grid else 0, len(grid),
                                               len({v for row in grid for v in row if v > 0}))
            draw.text((x, y + len(grid) * PIXEL + 4), label, fill=TEXT, font=font)
        y += SLOT_H
    return sheet


def main():
    parser = argparse.ArgumentParser(description="Draw every level's solved picture into one PNG.")
    parser.add_argument("--assets", default=os.path.join(TOP, "assets"))
    parser.add_argument("--out", default=os.path.join(TOP, "build-test", "contact_sheet.png"))
    args = parser.parse_args()
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    make_sheet(args.assets).save(args.out)
    print("wrote", args.out)


if __name__ == "__main__":
    main()
