#!/usr/bin/python3
"""Draws every level's solved picture from its layout file into textures/layouts/<level>: the picture on
the level map's plates once the level has a star. Each digit of a "line" is a colour of the level's
tileset (stages.xml names it), "0" an empty cell; the cells lie on paper with a thin ink grid. Reads
assets/levels/ and assets/stages.xml, so new levels need only a rerun.

    tools/make_level_pictures.py              write into the repository's assets/
    tools/make_level_pictures.py --out DIR    write the same files under DIR instead of assets/
    tools/make_level_pictures.py --check      regenerate into a temporary folder and compare with assets/
"""

import os
import sys
import xml.etree.ElementTree as ElementTree

import art_style
import generated_data

SMALL_FOLDER = os.path.join("textures", "layouts")
# The largest picture, in pixels: the picture window of a plate.
SMALL_BOX = (170, 120)
# Unpainted cells as the board shows them, so white paint stands out here as it does in play.
from make_puzzle_art import EMPTY  # noqa: E402
PAPER = EMPTY + (255,)
GRID = (60, 48, 40, 255)


def tileset_colours():
    from make_puzzle_art import PALETTE, TILESETS
    return {name: [PALETTE[number - 1] + (255,) for number in order] for name, order in TILESETS}


def levels():
    """(base name, tileset, rows of digits) of every level of both level sets, each once."""
    catalogue = ElementTree.parse(os.path.join(generated_data.ASSETS, "stages.xml")).getroot()
    seen = {}
    for level_set in ("stages", "stagesusual"):
        for level_set_element in catalogue.iter(level_set):
            folder = level_set_element.get("folder", "")
            for level in level_set_element.iter("level"):
                file_name = level.get("filename")
                base = os.path.splitext(os.path.basename(file_name))[0]
                if base in seen:
                    continue
                layout = ElementTree.parse(os.path.join(generated_data.ASSETS, folder, file_name)).getroot()
                rows = [line.get("line", "") for line in layout.iter("line")]
                seen[base] = (level.get("tileset", "basic"), rows)
    return sorted((base, tileset, rows) for base, (tileset, rows) in seen.items())


def picture(rows, colours, box):
    cols = max(len(row) for row in rows)
    cell = max(2, min(box[0] // cols, box[1] // len(rows)))
    width, height = cols * cell + 1, len(rows) * cell + 1
    image = art_style.Image.new("RGBA", (width, height), PAPER)
    draw = art_style.ImageDraw.Draw(image)
    for y, row in enumerate(rows):
        for x, digit in enumerate(row):
            if digit.isdigit() and digit != "0":
                left, top = x * cell, y * cell
                draw.rectangle([left, top, left + cell, top + cell], fill=colours[int(digit) - 1])
    for x in range(cols + 1):
        draw.line([(x * cell, 0), (x * cell, height - 1)], fill=GRID[:3] + (90,))
    for y in range(len(rows) + 1):
        draw.line([(0, y * cell), (width - 1, y * cell)], fill=GRID[:3] + (90,))
    draw.rectangle([0, 0, width - 1, height - 1], outline=GRID)
    return image


def generate(root):
    colours = tileset_colours()
    os.makedirs(os.path.join(root, SMALL_FOLDER), exist_ok=True)
    for base, tileset, rows in levels():
        picture(rows, colours.get(tileset, colours["basic"]), SMALL_BOX).save(
            os.path.join(root, SMALL_FOLDER, base + ".png"), optimize=True)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the level pictures.", "level pictures", generate, "make_level_pictures.py",
                                prepare=art_style.load, owned=(SMALL_FOLDER,)))
