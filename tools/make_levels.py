#!/usr/bin/python3
"""Writes the level pack into assets/: every picture below becomes a layout file under levels/,
stages.xml lists them in their stages with star rules, tileset and frame, and every grid size gets a
frame and back around the grid and its clue strips under textures/frames/, 20 pixels clear of the screen's
edges and the side panel. A picture is text art, one letter per cell naming its
colour ("." is empty); its colour numbers follow the first tileset whose leading colours are exactly the
picture's. Fixed data, so every run writes the same files. Usage: tools/make_levels.py [--out ASSETS] [--check]"""

import functools
import sys

import generated_data
import picture_levels
from make_puzzle_art import (BOARD_ROOM_H, BOARD_ROOM_W, CELL, FRAME_PAD, GAP, INK, PALETTE, SCREEN_MARGIN,
                             TILESETS, Image, ImageDraw, clue_strip_sizes, darker, fade_profile, grid_pixels,
                             runs_per_colour, save)

# Letter -> base colour number (1-based: the order of the tiles and of "settings.xml").
LETTERS = {"r": 1, "g": 2, "b": 3, "y": 4, "u": 5, "w": 6, "p": 7, "o": 8, "k": 9}

# The frame and its back hold the grid and its clue strips with FRAME_PAD around them (the ring lies in
# that pad), and keep SCREEN_MARGIN from the screen's edges and from the side panel (the board's room and
# the cell size are the puzzle art's).

LEVEL_FOLDER = "levels/"
# The picture board's game type: the level's painting and moving scene lie under its grid.
PICTURE_GAME_TYPE = 9


class Picture:
    """A level's picture and how the level plays it: its game type ("laytype"), its own mistake limit (0:
    the difficulty's) and its background (None: chosen by the level's place in its stage)."""

    def __init__(self, name, art, laytype=0, maxerrors=0, backidx=None):
        self.name = name
        self.art = art.strip("\n").split("\n")
        self.laytype = laytype
        self.maxerrors = maxerrors
        self.backidx = backidx

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
        self.pictures = pictures
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
    if picture.laytype == PICTURE_GAME_TYPE:
        lines.append(picture_levels.scene_text(picture.name))
    return "\n".join(lines) + "\n</layout>\n"


# Star keys of each stage, per difficulty: casual; normal; expert; custom. Later stages ask for fewer
# hints and mistakes and, on expert, a faster finish; between them the stages use every star rule.
STAGE_STARS = [
    "complete,5error,6hint;complete,3error,3hint;complete,1error,90time;complete,4error,4hint",
    "complete,5error,5hint;complete,2error,2hint;complete,0error,85time;complete,3error,3hint",
    "complete,4error,4hint;complete,2error,1hint;complete,0error,80time;complete,2error,2hint",
    "complete,4error,3hint;complete,1error,1hint;complete,0error,75time;complete,2error,1hint",
    "complete,3error,2hint;complete,1error,0hint;complete,0error,80time;complete,1error,1hint",
    "complete,3error,2hint;complete,1error,0hint;complete,0error,75time;complete,1error,0hint",
]

# The three sounds a stage's list holds; each level of the stage is won to one of them, in turn.
WIN_SOUNDS = ["winbells", "winharp", "winhorns"]


def preview_type(picture):
    """The results window's picture size: 0 small, 1 middle, 2 large, by the grid's longer side."""
    side = max(picture.cols, picture.rows)
    return 0 if side <= 8 else 1 if side <= 13 else 2


def level_element(picture, stage_index, level_index):
    tileset, _ = palette_of(picture)
    x, y = grid_origin(picture.cols, picture.rows)
    extra = ""
    if picture.laytype:
        extra += ' laytype="%d"' % picture.laytype
    if picture.maxerrors:
        extra += ' maxerrors="%d"' % picture.maxerrors
    if picture.backidx is not None:
        extra += ' backidx="%d"' % picture.backidx
    return ('      <level filename="%s.xml" name="%s" tileset="%s" frame="%s" startx="%d" starty="%d"%s\n'
            '             previewtype="%d" sound="%s"\n'
            '             stars="%s"/>' % (picture.name, picture.name, tileset, picture.frame, x, y, extra,
                                         preview_type(picture), WIN_SOUNDS[level_index % len(WIN_SOUNDS)],
                                         STAGE_STARS[stage_index % len(STAGE_STARS)]))


def frame_sizes():
    sizes = set()
    for _, stages in LEVEL_SETS:
        for stage in stages:
            sizes.update((p.cols, p.rows) for p in stage.pictures)
    return sorted(sizes)


@functools.lru_cache(maxsize=None)
def clue_strips():
    """(length, solid) of the row and the column clue strip: as long as the longest clue list of any level,
    with the fade after it as far as the largest grid leaves room (the puzzle art draws them so)."""
    most_row = most_column = 1
    widest = tallest = 0
    for _, stages in LEVEL_SETS:
        for stage in stages:
            for picture in stage.pictures:
                grid, _ = digits_of(picture)
                lines = ["".join(str(d) for d in row) for row in grid]
                columns = ["".join(line[c] for line in lines) for c in range(picture.cols)]
                most_row = max([most_row] + [max(runs_per_colour(line).values(), default=0) for line in lines])
                most_column = max([most_column] + [max(runs_per_colour(line).values(), default=0)
                                                   for line in columns])
                widest, tallest = max(widest, picture.cols), max(tallest, picture.rows)
    return clue_strip_sizes(most_row, most_column, widest, tallest)


def board_box(cols, rows):
    """(left, top, width, height) of the frame of a grid size: the grid and its whole clue strips, centred
    in the part of the screen left of the side panel, SCREEN_MARGIN clear."""
    (row_length, _), (column_length, _) = clue_strips()
    width = row_length + grid_pixels(cols) + 2 * FRAME_PAD
    height = column_length + grid_pixels(rows) + 2 * FRAME_PAD
    if width > BOARD_ROOM_W or height > BOARD_ROOM_H:
        sys.exit("a %d x %d grid and its clues do not fit the screen" % (cols, rows))
    return SCREEN_MARGIN + (BOARD_ROOM_W - width) // 2, SCREEN_MARGIN + (BOARD_ROOM_H - height) // 2, width, height


def grid_origin(cols, rows):
    """Where a grid of that size starts: its frame's bottom-right corner less the pad and the grid."""
    left, top, width, height = board_box(cols, rows)
    return left + width - FRAME_PAD - grid_pixels(cols), top + height - FRAME_PAD - grid_pixels(rows)


def frame_element(cols, rows):
    name = "frame%dx%d" % (cols, rows)
    x, y, _width, _height = board_box(cols, rows)
    return ('    <frame id="%s" x="%d" y="%d" frame="textures/frames/%s" xback="%d" yback="%d"\n'
            '           back="textures/frames/back%s"/>' % (name, x, y, name, x, y, name[len("frame"):]))


# The screen backgrounds; a level without "backidx" takes the one of its place in its stage, so the
# background cross-fades from one level to the next.
BACKGROUNDS = 4
# The game types the pack plays; each lets the game menu browse every tileset.
GAME_TYPES = [0, 1, 2, 3, 4, 6, 8, 9, 21]


def stages_text():
    from make_puzzle_art import TILESETS
    lines = ["<catalogue>", "  <frames>"]
    lines += [frame_element(cols, rows) for cols, rows in frame_sizes()]
    lines += ["  </frames>", "  <!-- Star keys per difficulty: casual; normal; expert; custom. -->"]
    for set_name, stages in LEVEL_SETS:
        lines.append('  <%s folder="%s">' % (set_name, LEVEL_FOLDER))
        if set_name == "stages":
            lines += ['    <back back="textures/backs/back%d" hero=""/>' % n for n in range(1, BACKGROUNDS + 1)]
            names = ",".join(name for name, _ in TILESETS)
            lines += ['    <tilesets gametype="%d" canchange="1" tilesets="%s"/>' % (game_type, names)
                      for game_type in GAME_TYPES]
            first = 1
            for stage in stages:
                if stage.reward is not None:
                    lines.append('    <reward i="%d" reward="%s"/>' % (first + stage.reward[0] - 1, stage.reward[1]))
                first += len(stage.pictures)
        for number, stage in enumerate(stages, start=1):
            soundlist = ("stage%d" if set_name == "stages" else "stageusual%d") % number
            lines.append('    <stage frame="%s" soundlist="%s">' % (stage.pictures[-1].frame, soundlist))
            lines += ['      <sound id="%s" name="sounds/%s" volume="0.9"/>' % (name, name) for name in WIN_SOUNDS]
            lines += [level_element(picture, number - 1, index) for index, picture in enumerate(stage.pictures)]
            lines.append("    </stage>")
        lines.append("  </%s>" % set_name)
    return "\n".join(lines) + "\n</catalogue>\n"


def strip_paper(cols, rows, width, height):
    """The alpha of the clue strips' paper at each pixel of a frame of that grid size, as the board lays
    them out: one strip a cell long per row and per column, the gap after every fifth, far ends at the pad."""
    (row_length, row_solid), (column_length, column_solid) = clue_strips()
    paper = [[0] * width for _ in range(height)]
    left, top = FRAME_PAD + row_length, FRAME_PAD + column_length
    for count, length, solid, along_x in ((rows, row_length, row_solid, True),
                                          (cols, column_length, column_solid, False)):
        profile = fade_profile(length, solid)
        for line in range(count):
            start = (top if along_x else left) + line * CELL + (line // 5) * GAP
            for i, alpha in enumerate(profile):
                for j in range(start, start + CELL):
                    x, y = (FRAME_PAD + i, j) if along_x else (j, FRAME_PAD + i)
                    paper[y][x] = alpha
    return paper


def draw_frame(root, cols, rows):
    """A thin rounded ring of ink and wood in the pad around the grid and its clues, and a shaded back
    that sets the board off from the screen's background. The board draws the back over its clue strips
    and under its cells, so the back thins where the strips' paper is thick: the paper stays light next to
    the grid and fades into the shade at its far end, as if the back lay beneath it."""
    _left, _top, width, height = board_box(cols, rows)
    scale = 4
    ring = Image.new("RGBA", (width * scale, height * scale), (0, 0, 0, 0))
    draw = ImageDraw.Draw(ring)
    for inset, colour, line in ((0, INK, 1), (1, PALETTE[2], 2), (3, darker(PALETTE[2]), 1)):
        draw.rounded_rectangle([inset * scale, inset * scale, (width - inset) * scale - 1, (height - inset) * scale - 1],
                               radius=(14 - inset) * scale, outline=colour + (255,), width=line * scale)
    save(ring.resize((width, height), Image.LANCZOS), root, "textures/frames/frame%dx%d" % (cols, rows))
    back = Image.new("RGBA", (width * scale, height * scale), (0, 0, 0, 0))
    ImageDraw.Draw(back).rounded_rectangle([0, 0, width * scale - 1, height * scale - 1], radius=14 * scale,
                                           fill=(24, 34, 44, 120))
    back = back.resize((width, height), Image.LANCZOS)
    pixels = back.load()
    for y, row in enumerate(strip_paper(cols, rows, width, height)):
        for x, paper in enumerate(row):
            if paper:
                r, g, b, a = pixels[x, y]
                pixels[x, y] = (r, g, b, int(round(a * (1.0 - paper / 255.0))))
    save(back, root, "textures/frames/back%dx%d" % (cols, rows))


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
    picture_levels.write_art(root, PAINTED)


# The main set: six stages of six levels, each stage harder to read off than the one before (the level
# checker's difficulty); within a stage the levels go from the easiest up. The game types each play in
# some stage: 1 to 3 open their help pages, 4 ends in a bomb, 6 shows the maze tips at a stage's fourth
# level, 8 marks each wrong cell, 21 keeps its score unclamped. The reward of a stage hides in its fourth
# level. The second set is reached only through a profile's mode.
LEVEL_SETS = [
    ("stages", [
        Stage([
            Picture("tulip", """
r.r.r
rrrrr
.rrr.
g.g.g
.ggg.
"""),
            Picture("icecream", """
..ppp..
.ppppp.
ppppppp
.ggggg.
ggggggg
yyyyyyy
.ybyby.
.yyyyy.
..yby..
..yyy..
...y...
"""),
            Picture("house", """
...rr...
..rrrr..
.rrrrrr.
rrrrrrrr
.yyyyyy.
.ybbyyy.
.ybbyyy.
ggbbgggg
"""),
            Picture("apple", """
....bg.
...bgg.
.rr.rr.
rrrrrrr
rrrrrrr
rrrrrrr
.rr.rr.
"""),
            Picture("umbrella", """
.....b.....
...ooooo...
.ooooooooo.
ooooooooooo
o.o.obo.o.o
.....b.....
.....b.....
.....b.....
..b..b.....
..bbbb.....
""", laytype=1),
            Picture("cat", """
o.........o
oo.......oo
ooooooooooo
oggoooooggo
ooooobooooo
oooobbboooo
.ooooooooo.
..ooooooo..
...ooooo...
"""),
        ], reward=(4, "acorn")),
        Stage([
            Picture("mushroom", """
.rrrr.
rwrrwr
rrrrrr
..ww..
..ww..
.wwww.
"""),
            Picture("key", """
.kkk.......
kk.kk......
k...kkkkkkk
kk.kk...k.k
.kkk....k.k
""", laytype=2),
            Picture("teapot", """
......y......
....uuuuu....
...wwwwwww...
u..uuuuuuu.uu
uu.uuuuuuuu.u
.uuuuuuuuuu.u
..uuuuuuuuuu.
..uuuuuuuuu..
...uuuuuuu...
..ooooooooo..
"""),
            Picture("candle", """
...y...
..yyy..
..yuy..
...y...
...k...
.wwwww.
.wwwww.
.wwwww.
.wwwww.
.wwwww.
kkkkkkk
.kkkkk.
""", laytype=3),
            Picture("cherries", """
.....ggg.
..bbbbg..
..b...b..
..b...b..
.rrr.rrr.
rrrr.rrrr
rrrr.rrrr
.rrr.rrr.
"""),
            Picture("snail", """
...oooooo.
..obbbbbbo
..oboooobo
..obobbobo
b.obooobbo
b.obbbbbo.
bbbbbbbbbb
.gggggggg.
""", laytype=8),
        ], reward=(4, "leaf")),
        Stage([
            Picture("turtle", """
....bbbbb....
..bbgbbbgbb..
.bbbbbgbbbbbg
bbgbbbbbbgbgg
.bbbbbbbbbbbg
..g.g...g.g..
"""),
            Picture("lighthouse", """
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
""", laytype=4, maxerrors=2),
            Picture("castle", """
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
""", backidx=0),
            Picture("cactus", """
...rr...
...gg...
g..gg..g
g..gg..g
gggggggg
...gg...
.bbbbbb.
..bbbb..
""", laytype=6),
            Picture("owl", """
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
            Picture("snowman", """
...uuu...
...uuu...
.uuuuuuu.
...www...
..wuwuw..
..wwoow..
...www...
uuwwwwwuu
..wwuww..
..wwwww..
.wwwuwww.
.wwwwwww.
..wwwww..
""", laytype=21),
        ], reward=(4, "shell")),
        Stage([
            Picture("sailboat", """
....rr...
....o....
...woy...
..wwoyy..
.wwwoyyy.
wwwwoyyyy
.ooooooo.
..ooooo..
uuuuuuuuu
"""),
            Picture("frog", """
..ww....ww..
.wbbw..wbbw.
.wwwwggwwww.
gggggggggggg
grrrrrrrrrrg
.gggggggggg.
..gyyyyyyg..
.gggyyyyggg.
gg..g..g..gg
""", laytype=8, maxerrors=3),
            Picture("windmill", """
......wbw......
......wbw......
......wbw......
......wbw......
wwwwwwooowwwwww
bbbbbbooobbbbbb
wwwwwwooowwwwww
.....bwbwb.....
.....bwbwb.....
....bbwbwbb....
....bbwbwbb....
...bbbbbbbbb...
...bbbbybbbb...
...bbbbybbbb...
ggggggggggggggg
"""),
            Picture("pine", """
....y....
...ggg...
..gogyg..
...ggg...
..gyggg..
.ggggogg.
..ggggg..
.gogggyg.
ggggggggg
....b....
...bbb...
""", laytype=4, maxerrors=3),
            Picture("tractor", """
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
""", maxerrors=4),
            Picture("cupcake", """
....gr...
....r....
..ppppp..
.ppwpppp.
ppppppwpp
bybybybyb
.bybybyb.
.bybybyb.
..bbbbb..
"""),
        ], reward=(4, "feather")),
        Stage([
            Picture("aquarium", """
.....wwwwwwwwww.....
...uuuuuuuuuuuuuu...
..uuuuoooouuuuuuuu..
.uuuuooooooouuuuuuu.
.uuuooowoooouoouuuu.
uuuuoooooooooooouuuu
uuuuuoooooooouoouuuu
uuwuuuooooouuuuuuguu
uuuuuuuuuuuuuuuuugug
uuuyyuuuuuuuuuuugugu
uuyyyyyyuuuuuuuugugu
.yyuyyyyuuuguuuuugg.
.uyyyyyyyuugguurugg.
..uyyuuuuuuguurrrg..
...bbbbbbbbbbbbbb...
""", laytype=1),
            Picture("penguin", """
..uuuu..
.uuuuuu.
.uwuuwu.
.uuoouu.
uuwwwwuu
uwwwwwwu
uwwwwwwu
uuwwwwuu
.uwwwwu.
.oo..oo.
"""),
            Picture("sunflower", """
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
""", laytype=2),
            Picture("duckling", """
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
""", laytype=6),
            Picture("train", """
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
""", backidx=2),
            Picture("crab", """
rr.r....r.rr
r..r....r..r
.rr.w..w.rr.
...rwrrwr...
.rrrrrrrrrr.
r.rrrrrrrr.r
..r.r..r.r..
.r..r..r..r.
""", laytype=3),
        ]),
        Stage([
            Picture("fox", """
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
            Picture("balloon", """
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
""", laytype=21),
            Picture("butterfly", """
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
            Picture("rooster", """
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
""", laytype=8),
            Picture("parrot", """
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
""", laytype=4, maxerrors=2),
            Picture("anchor", """
...uuu...
...u.u...
...uuu...
.uuuuuuu.
....u....
....u....
u...u...u
uu..u..uu
.uu.u.uu.
..uuuuu..
"""),
        ]),
    ]),
    ("stagesusual", [
        Stage([
            Picture("leaf", """
..ggg
.gggg
ggbgg
gbgg.
b....
"""),
            Picture("acorn", """
..bb..
.bbbb.
bbbbbb
.gggg.
.gggg.
..gg..
"""),
            Picture("strawberry", """
..g.g.g..
.bggggg..
rrrggrrr.
rryrrryrr
rrrrryrrr
.ryrrrrr.
..rrryr..
...rrr...
"""),
            Picture("rabbit", """
..pw...wp..
..pw...wp..
..pw...wp..
..ww...ww..
...wwwww...
..wwwwwww..
..wbwwwbw..
..wwwpwww..
...wwwww...
..wwwwwww..
.wwwwwwwww.
.wwwwwwwww.
gywwwwwwwyg
ggggggggggg
"""),
            Picture("bee", """
....ww.ww....
...wwwwwww...
...wwwwwww...
....wwbww....
.bbybbybbyy..
byybbyybbyyy.
byybbyybbyybo
.bbybbybbyy..
...g.....g...
ggggggggggggg
"""),
            Picture("rocket", """
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


# A stage of picture levels, each grid read back from its painting.
PAINTED = picture_levels.paintings()
# It comes before the last stage: its pictures read off harder than the fifth stage's, easier than the sixth's.
LEVEL_SETS[0][1].insert(len(LEVEL_SETS[0][1]) - 1, Stage([Picture(name, "\n".join(grid), laytype=PICTURE_GAME_TYPE)
                               for name, _painting, grid in PAINTED]))

if __name__ == "__main__":
    sys.exit(generated_data.run("Write the level pack.", "levels", generate, "make_levels.py",
                                owned=("levels", "textures/frames", picture_levels.PICTURE_FOLDER.rstrip("/"),
                                       picture_levels.SCENE_FOLDER.rstrip("/"))))
