#!/usr/bin/python3
"""Writes the level pack into assets/: every picture below becomes a layout file under levels/,
stages.xml lists them in their stages with star rules, tileset and frame, and every grid size gets a
frame that hugs the grid under textures/frames/. A picture is text art, one letter per cell naming its
colour ("." is empty); its colour numbers follow the first tileset whose leading colours are exactly the
picture's. Fixed data, so every run writes the same files. Usage: tools/make_levels.py [--out ASSETS] [--check]"""

import sys

import generated_data
from make_puzzle_art import (COLUMN_CLUES_HEIGHT, INK, PALETTE, PAPER, ROW_CLUES_WIDTH, TILESETS, Image, ImageDraw,
                             darker, save)

# Letter -> base colour number (1-based: the order of the tiles and of "settings.xml").
LETTERS = {"r": 1, "g": 2, "b": 3, "y": 4, "u": 5, "w": 6, "p": 7, "o": 8, "k": 9}

# The board's default grid origin, cell size and the gap after every fifth line.
ORIGIN_X, ORIGIN_Y = 312, 155
CELL, GAP = 40, 2
# The frame ring lies in this margin around the grid; the clue numbers keep 10 pixels off the grid.
FRAME_MARGIN = 8

LEVEL_FOLDER = "levels/"


class Picture:
    def __init__(self, name, art):
        self.name = name
        self.art = art.strip("\n").split("\n")

    @property
    def rows(self):
        return len(self.art)

    @property
    def cols(self):
        return len(self.art[0])

    @property
    def frame(self):
        return "frame%dx%d" % (self.cols, self.rows)


class Stage:
    def __init__(self, pictures, reward=None):
        self.pictures = [Picture(name, art) for name, art in pictures]
        # (level number within the stage, counted from 1; reward id) or None.
        self.reward = reward


def palette_of(picture):
    """The tileset whose leading colours are the picture's, and the picture's letters in digit order."""
    used = {LETTERS[ch] for line in picture.art for ch in line if ch != "."}
    for name, order in TILESETS:
        if set(order[:len(used)]) == used:
            by_number = {number: letter for letter, number in LETTERS.items()}
            return name, [by_number[number] for number in order[:len(used)]]
    sys.exit("%s: no tileset starts with its colours" % picture.name)


def digits_of(picture):
    """The grid of colour digits (0 = empty) and the picture's letters in digit order."""
    _, letters = palette_of(picture)
    digit = {letter: i + 1 for i, letter in enumerate(letters)}
    return [[digit.get(ch, 0) for ch in line] for line in picture.art], letters


def check_picture(picture):
    problems = []
    if any(len(line) != picture.cols for line in picture.art):
        problems.append("rows of different lengths")
    if any(ch != "." and ch not in LETTERS for line in picture.art for ch in line):
        problems.append("unknown letters")
    # The shown area is the coloured cells' box; a picture fills its grid so nothing is hidden.
    columns = ["".join(line[c] for line in picture.art) for c in range(picture.cols)]
    for edge, cells in (("top", picture.art[0]), ("bottom", picture.art[-1]), ("left", columns[0]),
                        ("right", columns[-1])):
        if set(cells) == {"."}:
            problems.append("an empty %s edge" % edge)
    if problems:
        sys.exit("%s: %s" % (picture.name, ", ".join(problems)))


def layout_text(picture):
    grid, _ = digits_of(picture)
    lines = ['<layout>', '  <info name="%s" rows="%d" cols="%d"/>' % (picture.name, picture.rows, picture.cols)]
    lines += ['  <line line="%s"/>' % "".join(str(d) for d in row) for row in grid]
    return "\n".join(lines) + "\n</layout>\n"


def star_keys(picture):
    """Casual; normal; expert; custom. Larger pictures forgive a little more."""
    cells = picture.rows * picture.cols
    big = 1 if cells >= 150 else 0
    casual = "complete,%derror,%dhint" % (3 + big, 1 + big)
    normal = "complete,%derror,%dhint" % (1 + big, big)
    expert = "complete,0error,%dtime" % (85 if cells < 60 else 90)
    return ";".join((casual, normal, expert, normal))


def level_element(picture):
    tileset, _ = palette_of(picture)
    x, y = grid_origin(picture.cols, picture.rows)
    return ('      <level filename="%s.xml" name="%s" tileset="%s" frame="%s" startx="%d" starty="%d"\n'
            '             stars="%s"/>' % (picture.name, picture.name, tileset, picture.frame, x, y,
                                         star_keys(picture)))


def frame_sizes():
    sizes = set()
    for _, stages in LEVEL_SETS:
        for stage in stages:
            sizes.update((p.cols, p.rows) for p in stage.pictures)
    return sorted(sizes)


def grid_pixels(count):
    return count * CELL + (count // 5) * GAP


# The part of the game screen the board and its clues share: left of the side panel, above the screen's
# bottom edge.
PLAY_AREA_W, PLAY_AREA_H = 1140, 768


def grid_origin(cols, rows):
    """Where a grid of that size starts so that it and its clues stand centred in the play area; the
    largest grids keep the default origin."""
    width = ROW_CLUES_WIDTH + grid_pixels(cols)
    height = COLUMN_CLUES_HEIGHT + grid_pixels(rows)
    x = ROW_CLUES_WIDTH + (PLAY_AREA_W - width) // 2
    y = COLUMN_CLUES_HEIGHT + (PLAY_AREA_H - height) // 2
    return max(ORIGIN_X, x), max(ORIGIN_Y, y)


def frame_element(cols, rows):
    name = "frame%dx%d" % (cols, rows)
    origin_x, origin_y = grid_origin(cols, rows)
    x, y = origin_x - FRAME_MARGIN, origin_y - FRAME_MARGIN
    return ('    <frame id="%s" x="%d" y="%d" frame="textures/frames/%s" xback="%d" yback="%d"\n'
            '           back="textures/frames/back%s"/>' % (name, x, y, name, x, y, name[len("frame"):]))


def stages_text():
    lines = ["<catalogue>", "  <frames>"]
    lines += [frame_element(cols, rows) for cols, rows in frame_sizes()]
    lines += ["  </frames>", "  <!-- Star keys per difficulty: casual; normal; expert; custom. -->"]
    for set_name, stages in LEVEL_SETS:
        lines.append('  <%s folder="%s">' % (set_name, LEVEL_FOLDER))
        if set_name == "stages":
            lines.append('    <back back="textures/backs/back1" hero=""/>')
            lines.append('    <tilesets gametype="0" tilesets="basic"/>')
            first = 1
            for stage in stages:
                if stage.reward is not None:
                    lines.append('    <reward i="%d" reward="%s"/>' % (first + stage.reward[0] - 1, stage.reward[1]))
                first += len(stage.pictures)
        for number, stage in enumerate(stages, start=1):
            soundlist = ("stage%d" if set_name == "stages" else "stageusual%d") % number
            lines.append('    <stage frame="%s" soundlist="%s">' % (stage.pictures[-1].frame, soundlist))
            lines += [level_element(picture) for picture in stage.pictures]
            lines.append("    </stage>")
        lines.append("  </%s>" % set_name)
    return "\n".join(lines) + "\n</catalogue>\n"


def draw_frame(root, cols, rows):
    width = grid_pixels(cols) + 2 * FRAME_MARGIN
    height = grid_pixels(rows) + 2 * FRAME_MARGIN
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    # Ink, wood, ink: the ring stays inside the margin so it never covers a cell or a clue.
    for inset, colour, line in ((0, INK, 2), (2, PALETTE[2], 4), (6, darker(PALETTE[2]), 2)):
        draw.rectangle([inset, inset, width - 1 - inset, height - 1 - inset], outline=colour + (255,), width=line)
    save(image, root, "textures/frames/frame%dx%d" % (cols, rows))
    save(Image.new("RGBA", (width, height), PAPER + (200,)), root, "textures/frames/back%dx%d" % (cols, rows))


def generate(root):
    names = set()
    for _, stages in LEVEL_SETS:
        for stage in stages:
            for picture in stage.pictures:
                check_picture(picture)
                if picture.name in names:
                    sys.exit("two pictures named %s" % picture.name)
                names.add(picture.name)
                generated_data.write_text(root, LEVEL_FOLDER + picture.name + ".xml", layout_text(picture))
    generated_data.write_text(root, "stages.xml", stages_text())
    for cols, rows in frame_sizes():
        draw_frame(root, cols, rows)


# The main set grows from 5 x 5 with two colours to 20 x 15 with many; the second set keeps the
# second level list of the catalogue covered.
LEVEL_SETS = [
    ("stages", [
        Stage([
            ("tulip", """
r.r.r
rrrrr
.rrr.
g.g.g
.ggg.
"""),
            ("cherries", """
..ggg
..g.g
.gg.g
rr.rr
rr.rr
"""),
            ("mushroom", """
.rrrr.
rwrrwr
rrrrrr
..ww..
..ww..
.wwww.
"""),
            ("goldfish", """
..ww....
.ooooo.o
oouooooo
oooooooo
.ooooo.o
..ww....
"""),
            ("sailboat", """
..o....
..ww...
..www..
..wwww.
..wwwww
ooooooo
uuuuuuu
"""),
            ("cactus", """
...rr...
...gg...
g..gg..g
g..gg..g
gggggggg
...gg...
.bbbbbb.
..bbbb..
"""),
        ], reward=(3, "acorn")),
        Stage([
            ("house", """
...rr...
..rrrr..
.rrrrrr.
rrrrrrrr
.yyyyyy.
.ybbyyy.
.ybbyyy.
ggbbgggg
"""),
            ("snail", """
...oooooo.
..obbbbbbo
..oboooobo
..obobbobo
b.obooobbo
b.obbbbbo.
bbbbbbbbbb
.gggggggg.
"""),
            ("sunflower", """
..o.oo.o..
.oyyyyyyo.
.yybbbbyy.
oybbbbbbyo
oybbbbbbyo
.yybbbbyy.
.oyyyyyyo.
..o.g..o..
.gg.g.gg..
..ggggg...
"""),
            ("duckling", """
.....yyy..
....yyyyy.
....yyuyoo
.....yyy..
y...yyyy..
yy.yyyyyyy
yyyyyyyyyy
.yyyyyyyy.
..yyyyyy..
uuwuuuwuuu
"""),
            ("teapot", """
.....yy.....
....rrrr....
..yyyyyyyy..
r.rrrrrrrr..
rrrrwrrwrrrr
.rrwrrwrrr.r
..rrrwrrwrrr
..rrrrrrrr..
...rrrrrr...
.gggggggggg.
"""),
            ("lighthouse", """
....rr....
yy.yyyy.yy
...yyyy...
..rrrrrr..
...wwww...
...rrrr...
...wwww...
...rrrr...
..wwwwww..
..rrrrrr..
.oooooooo.
uoooooooou
uuuuuuuuuu
"""),
        ], reward=(3, "leaf")),
        Stage([
            ("owl", """
.bb......bb.
.bbbbbbbbbb.
bbwwwbbwwwbb
bwwyywwyywwb
bwwyywwyywwb
bbwwwoowwwbb
bbbbbbbbbbbb
bbyybbbbyybb
bbbyybbyybbb
.bbbbbbbbbb.
...oo..oo...
gggggggggggg
"""),
            ("castle", """
..rr.......rr.
..b........b..
.y.y......y.y.
.yyy......yyy.
.yuy.y..y.yuy.
.yuyyyyyyyyuy.
.yyyyyyyyyyyy.
.yyyyuyyuyyyy.
.yyyyyyyyyyyy.
.yyyybbbbyyyy.
.yyyybbbbyyyy.
gggggbbbbggggg
"""),
            ("butterfly", """
......b.b......
......b.b......
.uuu...b...uuu.
uuyyuubbbuuyyuu
uuyyuubbbuuyyuu
.uuuuubbbuuuuu.
..uuuubbbuuuu..
..rrrrbbbrrrr..
.rryrrbbbrryrr.
..rrr.bbb.rrr..
..rr..gbg..rr..
...ggggggggg...
"""),
            ("tractor", """
..b............
..b......rrrrr.
..b......ruuur.
.rrrrrrrrruuur.
.rrrrrrrrrrrrr.
.rrrrrrrbbbrrr.
.rrrrrrbbbbbrr.
..bbb..bbybb...
.bbybb.bbbbb...
..bbb...bbb....
ggggggggggggggg
"""),
            ("parrot", """
.....rrrr....
....rrrrrr...
...rrwwrrrr..
..yyrwurrrr..
..yyyrrrrrr..
...yy.rrrrr..
......rrrruu.
bbbbbbbbruuu.
.....rrrruuuu
.....rrruuuu.
.....rruuuu..
.....yyuuu...
.....yy.uu...
......g..u...
.....ggg.....
"""),
            ("windmill", """
.......ww.......
.......ww.......
.......ww.......
......oooo......
wwwwwwoyyowwwwww
wwwwwwoyyowwwwww
.....bboobb.....
.....bbwwbb.....
....bbbwwbbb....
....bbbwwbbb....
...bbbbyybbbb...
...bbbbbbbbbb...
..bbbbboobbbbb..
gggbbbboobbbbggg
"""),
        ], reward=(3, "shell")),
        Stage([
            ("fox", """
.oo..........oo.
.ooo........ooo.
.obooo....ooobo.
.obboooooooobbo.
oooooooooooooooo
oooyyooooooyyooo
oooyboooooobyooo
woooooooooooooow
wwooooooooooooww
.wwwoooooooowww.
..wwwwwbbwwwww..
...wwwwbbwwww...
....wwwwwwww....
.....wwwwww.....
gggggg.ww.gggggg
"""),
            ("balloon", """
......rrrr......
....rryyyyrr....
...ruyyrryyur...
..rruyyrryyurr..
..rruyyrryyurr..
..rruyyrryyurr..
...ruyyrryyur...
....ruyrryur....
.....ruyyur.....
......b..b......
.w....bbbb......
www...bbbb....ww
www...........ww
gg.ggggg..gggggg
gggggggggggggggg
"""),
            ("cottage", """
.y..........bb....
yyy....rrrr.bb....
.y....rrrrrrbb....
.....rrrrrrrrrr...
....rrrrrrrrrrrr..
...rrrrrrrrrrrrrr.
..rrrrrrrrrrrrrrrr
...wwwwwwwwwwwwww.
...wuuwwbbbwwuuww.
...wuuwwbbbwwuuww.
...wwwwwbybwwwwww.
...wwwwwbbbwwwwww.
.p.wwwwwbbbwwwwwp.
gpgwwwwwbbbwwwwwpg
gggggggggggggggggg
"""),
            ("rooster", """
....rrr...........
...rrrrr.....uuu..
...ooooo....uuggg.
.yyoowoo....uuggbb
..yooooo...uuggbb.
...pooooo..uggbb..
...ppooooo.ugbb...
.....ooooooooob...
....ooobbbbooooo..
....oobbbbbbbooo..
.....obbbbbbboo...
......ooooooo.....
.......y...y......
.....wyyy.yyyw....
ggggggggggggggggg.
"""),
            ("aquarium", """
uuuuuuuuuuuuuuuuuuuu
uuwuuuuuuuuuuuuuuuuu
uwuuuuoooouuuuuuuuuu
uuuuuooooooouuuuuuuu
uuuuooowoooouoouuuuu
uuuuoooooooooooouuuu
uuuuuoooooooouoouuuu
uuwuuuooooouuuuuuguu
uuuuuuuuuuuuuuuuugug
uuuyyuuuuuuuuuuugugu
uuyyyyyyuuuuuuuugugu
uyyuyyyyuuuguuuuuggu
uuyyyyyyyuugguuruggu
uuuyyuuuuuuguurrrggu
bbbbbbbbbbbbbbbbbbbb
"""),
            ("train", """
.ww.kk..............
wwwwkkk.............
.wwkkk..............
...bb.......rrrrrrrr
...bb........ruuuur.
..bbbb.......ruuuur.
.rrrrrrrrrrrrrrrrrr.
orryrrrryrrrryrrrrr.
.rrrrrrrrrrrrrrrrrr.
.bbbbbbbbbbbbbbbbbb.
..kkk...kkk...kkk...
..kyk...kyk...kyk...
..kkk...kkk...kkk...
bbbbbbbbbbbbbbbbbbbb
ggpgggggggpgggggggpg
"""),
        ], reward=(3, "feather")),
    ]),
    ("stagesusual", [
        Stage([
            ("leaf", """
..ggg
.gggg
ggbgg
gbgg.
b....
"""),
            ("acorn", """
..bb..
.bbbb.
bbbbbb
.gggg.
.gggg.
..gg..
"""),
            ("strawberry", """
..g.g..
.ggggg.
rrrrrrr
rwrrwrr
rrrwrrr
.rrrrr.
..rrr..
"""),
            ("rabbit", """
.ww..ww.
.ww..ww.
.ww..ww.
.wwwwww.
wwrwwrww
wwwwwwww
.wwwwww.
gggggggg
"""),
            ("bee", """
...ww.ww.
..wwwwww.
.bybyby..
bybybybyo
bybybybyo
.bybyby..
..g...g..
ggggggggg
"""),
            ("rocket", """
...rr...
..rwwr..
..wwww..
..wuuw..
..wuuw..
..wwww..
.rwwwwr.
rrwwwwrr
rr.yy.rr
..oooo..
"""),
        ]),
    ]),
]


if __name__ == "__main__":
    sys.exit(generated_data.run("Write the level pack.", "levels", generate, "make_levels.py",
                                owned=("levels", "textures/frames")))
