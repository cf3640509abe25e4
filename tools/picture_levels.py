"""The picture levels: painted pictures whose grid is read back from the paint, and the moving scene that
lies under their grid (a sky, water that shimmers, drifting clouds and a gull that crosses the sky). A
sketch of letters (one per cell, "." empty) is the underdrawing; the painter lays the colours on with a
light from above, brush strokes and darker edges, fixed seeds, so every run paints the same pictures.
The level's grid is then taken from the painting: a cell is coloured when it is mostly paint, with the
palette colour nearest to its mean. Used by make_levels.py."""

import random

from make_puzzle_art import CELL, INK, PALETTE, Image, ImageDraw, save

LETTERS = {"r": 1, "g": 2, "b": 3, "y": 4, "u": 5, "w": 6, "p": 7, "o": 8, "k": 9}
PICTURE_FOLDER = "textures/pictures/"
SCENE_FOLDER = "textures/scene/"
# The gull's frames and the event generator that sends it across again.
GULL_FRAMES = 4
GULL_ID = 7

SKETCHES = [
    ("swan", """
..www......
.owww......
...ww......
...ww......
..ww.......
..ww.....w.
.www....ww.
.wwwwwwwwww
..wwwwwwww.
uuuuuuuuuuu
"""),
    ("kite", """
....b....
...rby...
..rrbyy..
.rrrbyyy.
rrrrbyyyy
.yyybggg.
..yybgg..
...ybg...
....b....
...rbr...
.....b...
....rbr..
"""),
    ("buoy", """
.....r.....
....kkk....
....k.k....
....kyk....
...kyyyk...
..kkkkkkk..
.rrrrrrrrr.
wwwwwwwwwww
uurrrrrrruu
uuuuuuuuuuu
"""),
    ("island", """
...ggg.gg.
..gggggggg
.gg.b.g..g
....b.....
....b.....
...bb.....
..yyyyyy..
.yyryyyyy.
uuuuuuuuuu
"""),
    ("whale", """
.......u..u
........uu.
..uuuuu..u.
.uuuuuuuuu.
uuwuuuuuu..
uuuuuuuuu..
.wwwwwwuu..
..wwwww....
kkkkkkkkkkk
"""),
    ("seal", """
.rr........
.rr........
..kk.......
..kbk......
...kkk.....
...kkkk..kk
..wwkkkkkk.
.kkwwkkkkk.
.bbbbbbbbb.
uuuuuuuuuuu
"""),
]


def sketch_rows(text):
    return text.strip("\n").split("\n")


def shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def paint(name, rows):
    """The painting of a sketch: CELL pixels a cell, transparent where the sketch is empty."""
    cols, height = len(rows[0]), len(rows)
    image = Image.new("RGBA", (cols * CELL, height * CELL), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    total = height * CELL
    for y, line in enumerate(rows):
        for x, letter in enumerate(line):
            if letter == ".":
                continue
            base = PALETTE[LETTERS[letter] - 1]
            # Light from above: each band of four pixel rows a little darker than the one before.
            for band in range(0, CELL, 4):
                top = y * CELL + band
                factor = 1.08 - 0.16 * top / total
                draw.rectangle([x * CELL, top, x * CELL + CELL - 1, top + 3], fill=shade(base, factor) + (255,))
    rng = random.Random(name)
    for y, line in enumerate(rows):
        for x, letter in enumerate(line):
            if letter == ".":
                continue
            base = PALETTE[LETTERS[letter] - 1]
            # Brush strokes: short slanted dabs a shade lighter or darker.
            for _ in range(7):
                sx, sy = x * CELL + rng.randrange(4, CELL - 10), y * CELL + rng.randrange(4, CELL - 10)
                length = rng.randrange(5, 10)
                factor = rng.choice((0.9, 0.94, 1.06, 1.1))
                draw.line([(sx, sy + length), (sx + length, sy)], fill=shade(base, factor) + (255,), width=2)
            # The outline where the paint meets an empty cell.
            edge = shade(INK, 1.4) + (255,)
            left, top, right, bottom = x * CELL, y * CELL, x * CELL + CELL - 1, y * CELL + CELL - 1
            if y == 0 or rows[y - 1][x] == ".":
                draw.line([(left, top), (right, top)], fill=edge, width=2)
            if y == height - 1 or rows[y + 1][x] == ".":
                draw.line([(left, bottom - 1), (right, bottom - 1)], fill=edge, width=2)
            if x == 0 or line[x - 1] == ".":
                draw.line([(left, top), (left, bottom)], fill=edge, width=2)
            if x == cols - 1 or line[x + 1] == ".":
                draw.line([(right - 1, top), (right - 1, bottom)], fill=edge, width=2)
    return image


def read_grid(image, cols, rows):
    """The grid of letters a painting shows: "." where a cell is mostly clear, else the nearest colour."""
    by_number = {number: letter for letter, number in LETTERS.items()}
    pixels = image.load()
    grid = []
    for y in range(rows):
        line = ""
        for x in range(cols):
            painted = [pixels[x * CELL + i, y * CELL + j] for j in range(CELL) for i in range(CELL)]
            painted = [p for p in painted if p[3] >= 128]
            if len(painted) * 2 < CELL * CELL:
                line += "."
                continue
            mean = [sum(p[c] for p in painted) / len(painted) for c in range(3)]
            nearest = min(range(len(PALETTE)), key=lambda i: sum((PALETTE[i][c] - mean[c]) ** 2 for c in range(3)))
            line += by_number[nearest + 1]
        grid.append(line)
    return grid


def paintings():
    """(name, painting, the grid read from it) of every picture level, in play order."""
    result = []
    for name, sketch in SKETCHES:
        rows = sketch_rows(sketch)
        painting = paint(name, rows)
        grid = read_grid(painting, len(rows[0]), len(rows))
        if grid != rows:
            raise SystemExit("%s: the painting does not read back as its sketch" % name)
        result.append((name, painting, grid))
    return result


def scene_text(name):
    """The scene elements of a picture level's layout file: the gull first (the animated picture), the sky
    under the grid, the water and the clouds, the painting last (its "z" 1 keeps it whole out of sight:
    only the coloured cells show their parts of it) and the generator that restarts the gull."""
    frames = "".join('<item name="%sgull%d"/>' % (SCENE_FOLDER, n) for n in range(1, GULL_FRAMES + 1))
    return "\n".join([
        '  <object type="cadr2" time="0.3" id="%d">%s</object>' % (GULL_ID, frames),
        '  <object filename="%ssky" z="-1"/>' % SCENE_FOLDER,
        '  <object type="hiddenwater" name="scene/water" mname="%swater2" time="1.5" pause="0.3"/>'
        % SCENE_FOLDER,
        '  <object type="cloud" imgclouds="scene/clouds" speed="14"/>',
        '  <object filename="%s%s" z="1"/>' % (PICTURE_FOLDER, name),
        '  <gener time="5" count="-1" id="%d"/>' % GULL_ID,
    ])


def sky():
    image = Image.new("RGBA", (64, 48))
    top, bottom = (128, 184, 232), (236, 222, 196)
    for y in range(48):
        t = y / 47
        colour = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
        ImageDraw.Draw(image).line([(0, y), (63, y)], fill=colour + (255,))
    return image


def water(phase):
    """The sea over the lower half, its crests shifted by the phase; clear above."""
    import math
    width, height = 128, 96
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    pixels = image.load()
    for y in range(height // 2, height):
        for x in range(width):
            wave = math.sin((x + phase * 9) / 6.0 + y / 3.0)
            depth = (y - height // 2) / (height // 2)
            base = (52, 104 - int(24 * depth), 176 - int(40 * depth))
            lift = 1.18 if wave > 0.8 else 1.0
            pixels[x, y] = shade(base, lift) + (255,)
    return image


def clouds():
    width, height = 320, 240
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for cx, cy, w, h in ((50, 40, 70, 22), (175, 25, 90, 26), (270, 62, 60, 18)):
        for inset, alpha in ((0, 110), (6, 170), (12, 230)):
            draw.ellipse([cx - w // 2 + inset, cy - h // 2 + inset // 2, cx + w // 2 - inset, cy + h // 2 - inset // 2],
                         fill=(250, 250, 248, alpha))
    return image


def gull(frame):
    """One frame of the gull crossing the sky, wings up on even frames."""
    width, height = 160, 120
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    x, y = 24 + frame * 34, 22 + (frame % 2) * 3
    lift = 6 if frame % 2 == 0 else 1
    draw.line([(x - 9, y - lift), (x, y), (x + 9, y - lift)], fill=INK + (255,), width=2)
    return image


def write_art(root, painted):
    for name, painting, _grid in painted:
        save(painting, root, PICTURE_FOLDER + name)
    save(sky(), root, SCENE_FOLDER + "sky")
    save(water(0), root, SCENE_FOLDER + "water")
    save(water(3), root, SCENE_FOLDER + "water2")
    save(clouds(), root, SCENE_FOLDER + "clouds")
    for n in range(1, GULL_FRAMES + 1):
        save(gull(n - 1), root, SCENE_FOLDER + "gull%d" % n)
