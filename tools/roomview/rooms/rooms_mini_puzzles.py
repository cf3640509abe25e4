#!/usr/bin/python3
"""The mini-puzzle rooms, written by make_rooms.py beside this module:
- tiles: a locked sliding-tile board; the lever unlocks it, the action table slides the tiles home (the
  board's shuffle is replayed here from the C library's rand, seeded 1 as at process start, and solved),
  the win shows the medal, and the medal completes the room.
- scales: an apple and a pear on a shelf, handed out as tools by a basket and a crate; each goes onto a
  pan, the beam swings toward the heavier pan, and the total 30 shows the ribbon that completes the room.
  A plum from a bowl goes onto the other pan after a save and comes back to the shelf with the restore,
  which leaves the apple on its pan and the beam resting fully left again.
- locks: a combination lock of three wheels; the right digits show the key at once and the gem half a
  second later; the gem completes the room.
"""

import heapq
import math
import os

import make_rooms as mr

FOLDER = "roomview/img/"

# ---- the tiles room ----

BOARD_X, BOARD_Y, CELL, TILE = 400, 100, 70, 64


def glibc_rand(seed=1):
    """The C library's rand (the additive feedback generator) from srand(seed)."""
    r = [seed]
    for i in range(1, 31):
        hi, lo = divmod(r[i - 1], 127773)
        word = 16807 * lo - 2836 * hi
        if word < 0:
            word += 2147483647
        r.append(word)
    for i in range(31, 34):
        r.append(r[i - 31])
    k = 34
    while True:
        r.append((r[k - 31] + r[k - 3]) & 0xFFFFFFFF)
        if k >= 344:
            yield r[k] >> 1
        k += 1


def shuffled_board(rand):
    """The tile values cell by cell, as the board shuffles them at load."""
    entries = list(range(16))
    while True:
        for i in range(1, 16):
            j = (next(rand) & 0x7FFF) % (i + 1)
            entries[i], entries[j] = entries[j], entries[i]
        k = entries.index(13)
        entries[k], entries[3] = entries[3], entries[k]
        k = entries.index(0)
        entries[k], entries[15] = entries[15], entries[k]
        inversions = sum(1 for i in range(16) for j in range(i + 1, 16) if entries[j] < entries[i] and entries[j] != 0)
        if inversions % 2 == 0:
            return entries


def solve(board):
    """Cells to click, in order, that bring the board home: weighted A* on the Manhattan distance."""
    goal = tuple(list(range(1, 16)) + [0])

    def distance(state):
        d = 0
        for cell, value in enumerate(state):
            if value:
                d += abs(cell // 4 - (value - 1) // 4) + abs(cell % 4 - (value - 1) % 4)
        return d

    start = tuple(board)
    came = {start: None}
    cost = {start: 0}
    queue = [(3 * distance(start), 0, start)]
    while queue:
        _, g, state = heapq.heappop(queue)
        if state == goal:
            break
        gap = state.index(0)
        row, column = divmod(gap, 4)
        for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            r, c = row + dr, column + dc
            if 0 <= r < 4 and 0 <= c < 4:
                cell = r * 4 + c
                nxt = list(state)
                nxt[gap], nxt[cell] = nxt[cell], 0
                nxt = tuple(nxt)
                if nxt not in cost or g + 1 < cost[nxt]:
                    cost[nxt] = g + 1
                    came[nxt] = (state, cell)
                    heapq.heappush(queue, (g + 1 + 3 * distance(nxt), g + 1, nxt))
    clicks = []
    state = goal
    while came[state] is not None:
        state, cell = came[state]
        clicks.append(cell)
    return list(reversed(clicks))


def centre(cell):
    return BOARD_X + 15 + CELL * (cell % 4) + TILE // 2, BOARD_Y + 15 + CELL * (cell // 4) + TILE // 2


def tiles_room():
    positions = "".join('      <pos x="%d" y="%d"/>\n' % centre(k) for k in range(16))
    images = "".join('      <image val="%d" filename="%s"/>\n' % (v, FOLDER + "tile%d.png" % v if v else "")
                     for v in range(16))
    return """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="tiles" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="tiles_back.png"/>
    <object id="board" type="tag_object" name="tag_board.png" x="%d" y="%d" locked="1" vae="medal"
            hintlocked="tiles_locked">
%s%s    </object>
    <object id="lever" name="tiles_lever.png" x="900" y="200" uac="board" hac="lever"/>
    <object id="medal" name="tiles_medal.png" x="900" y="450" v="0" flags="complete.100"/>
  </Objects>
</room>
""" % (BOARD_X, BOARD_Y, positions, images)


def tiles_actions():
    clicks = solve(shuffled_board(glibc_rand(1)))
    lines = ["# unlock the board, then slide every tile home (%d slides)" % len(clicks), "click 950 270", "wait 50"]
    for i, cell in enumerate(clicks):
        lines.append("click %d %d" % centre(cell))
        lines.append("wait 100")
        if i == len(clicks) // 2:
            lines.append("save")
            lines.append("shot half")
    lines += ["wait 200", "click 950 500", "wait 300"]
    return "\n".join(lines) + "\n"


# ---- the scales room ----

PIVOT_X, PIVOT_Y, SHOULDER, MAX_ANGLE = 683, 300, 220, 20
PAN_W, PAN_H = 120, 24


def pan_centre(side, degrees):
    """Where a pan's centre stands with the beam at an angle (the pan hangs from its top-left corner)."""
    a = math.radians(degrees) + (math.pi if side == "left" else 0)
    return int(PIVOT_X + SHOULDER * math.cos(a) + PAN_W / 2), int(PIVOT_Y + SHOULDER * math.sin(a) + PAN_H / 2)


SCALES = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="scales" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="scales_back.png"/>
    <object id="shelf" name="scales_shelf.png" x="80" y="560">
      <object id="apple" name="scales_apple.png" x="110" y="520" tag="10"/>
      <object id="pear" name="scales_pear.png" x="210" y="500" tag="20"/>
      <object id="plum" name="scales_plum.png" x="300" y="530" tag="5"/>
    </object>
    <object id="basket" name="scales_basket.png" x="450" y="600" tools="apple"/>
    <object id="crate" name="scales_crate.png" x="650" y="600" tools="pear"/>
    <object id="bowl" name="scales_bowl.png" x="850" y="600" tools="plum"/>
    <object id="scales" type="weight_system" name="scales_beam.png" x="%d" y="%d" sholder="%d" maxangle="%d"
            completevalue="30" vat="ribbon">
      <object id="arrow" name="scales_arrow.png" x="%d" y="%d"/>
      <object id="left" type="weight_part" name="scales_pan.png" tool="apple,pear,plum" maxclickstool="5"/>
      <object id="right" type="weight_part" name="scales_pan.png" tool="apple,pear,plum" maxclickstool="5"/>
    </object>
    <object id="ribbon" name="scales_ribbon.png" x="1100" y="120" v="0" flags="complete.100"/>
  </Objects>
  <tools>
    <tool id="apple" imgfly="roomview/apple_fly"/>
    <tool id="pear" imgfly="roomview/pear_fly"/>
    <tool id="plum" imgfly="roomview/plum_fly"/>
  </tools>
</room>
""" % (PIVOT_X, PIVOT_Y, SHOULDER, MAX_ANGLE, PIVOT_X, PIVOT_Y)


def scales_actions():
    # 10 against 20 of at most 45: the beam rests 20 x 10 / 45 degrees to the right.
    return """# a frame hangs the pans on the beam; the apple onto the left pan swings the beam fully left
wait 50
click 490 640
wait 50
take apple
click %d %d
drop
wait 500
# saved with the apple on the left pan
save
# the plum onto the right pan: 10 against 5 swings the beam back toward level; the restore takes the plum
# back to the shelf and rests the beam fully left again, the apple still on its pan
click 890 625
take plum
click %d %d
drop
wait 500
shot plum
restore
wait 50
shot restored
# the pear onto the right pan: the beam swings right and the total 30 shows the ribbon
click 690 640
take pear
click %d %d
drop
wait 1500
click 1140 150
wait 300
""" % (pan_centre("left", 0) + pan_centre("right", -MAX_ANGLE) + pan_centre("right", -MAX_ANGLE))


# ---- the locks room ----

WHEEL, PICTURES = 80, 4
STRIP_COLOURS = [mr.rgba("c0392b"), mr.rgba("27ae60"), mr.rgba("2980b9"), mr.rgba("f1c40f")]


def wheel(index):
    x = 493 + index * 130
    return """      <object id="wheel%d" type="slide_rotator" name="locks_wheel.png" x="%d" y="290" num_of_images="%d"
              vis_rect="0.0.%d.%d" rtime="0.2">
        <img filename="locks_strip.png" x="%d" y="290"/>
      </object>
""" % (index + 1, x, PICTURES, WHEEL, WHEEL, x)


LOCKS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="locks" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="locks_back.png"/>
    <object id="lock" type="case_lock" name="locks_panel.png" x="443" y="240" combination="2,0,1" delay="0.5"
            vae="key;gem">
%s    </object>
    <object id="key" name="locks_key.png" x="560" y="480" v="0"/>
    <object id="gem" name="locks_gem.png" x="760" y="480" v="0" flags="complete.100"/>
  </Objects>
</room>
""" % "".join(wheel(i) for i in range(3))

LOCKS_ACTIONS = """# the first wheel to its third picture, the third wheel to its second
click 533 330
wait 300
click 533 330
wait 300
save
click 793 330
wait 100
shot sliding
wait 200
wait 600
click 800 510
wait 300
"""

PICTURES_OF_ROOMS = {
    "tiles_back": (1366, 768, mr.rgba("40355b"), None),
    "tag_board": (300, 300, mr.rgba("2b2233"), mr.rgba("d9c27e")),
    "tiles_lever": (100, 140, mr.rgba("9a9a9a"), mr.INK),
    "tiles_medal": (100, 100, mr.rgba("ffd166"), mr.INK),
    "scales_back": (1366, 768, mr.rgba("35505b"), None),
    "scales_shelf": (300, 40, mr.rgba("a77b4f"), mr.INK),
    "scales_apple": (60, 60, mr.rgba("c0392b"), mr.INK),
    "scales_pear": (60, 80, mr.rgba("a3c14a"), mr.INK),
    "scales_basket": (80, 80, mr.rgba("b07d48"), mr.INK),
    "scales_crate": (80, 80, mr.rgba("7a5a32"), mr.INK),
    "scales_plum": (50, 50, mr.rgba("6c3483"), mr.INK),
    "scales_bowl": (80, 50, mr.rgba("d5d8dc"), mr.INK),
    "scales_beam": (SHOULDER, 10, mr.rgba("d9c27e"), mr.INK),
    "scales_arrow": (10, 120, mr.rgba("e8e8e8"), mr.INK),
    "scales_pan": (PAN_W, PAN_H, mr.rgba("8c8c8c"), mr.INK),
    "scales_ribbon": (80, 60, mr.rgba("e84393"), mr.INK),
    "locks_back": (1366, 768, mr.rgba("4f3f33"), None),
    "locks_panel": (420, 180, mr.rgba("6b3a22"), mr.INK),
    "locks_wheel": (WHEEL, WHEEL, mr.rgba("2b2233"), mr.rgba("d9c27e")),
    "locks_key": (80, 40, mr.rgba("d9c27e"), mr.INK),
    "locks_gem": (80, 80, mr.rgba("1abc9c"), mr.INK),
}
TOOL_PICTURES = {
    "apple_fly": (40, 40, mr.rgba("c0392b"), mr.INK),
    "pear_fly": (40, 50, mr.rgba("a3c14a"), mr.INK),
    "plum_fly": (36, 36, mr.rgba("6c3483"), mr.INK),
}
# Tile v: a shade of its row, lighter to the right, with a border, so a misplaced tile shows.
ROW_COLOURS = ["c0392b", "27ae60", "2980b9", "f1c40f"]


def write(out):
    assets = os.path.join(out, "assets")
    img = os.path.join(assets, "roomview", "img")
    for name, (w, h, fill, border) in PICTURES_OF_ROOMS.items():
        mr.png(os.path.join(img, name + ".png"), w, h, fill, border)
    for name, (w, h, fill, border) in TOOL_PICTURES.items():
        mr.png(os.path.join(assets, "textures", "roomview", name + ".png"), w, h, fill, border)
    for v in range(1, 16):
        base = mr.rgba(ROW_COLOURS[(v - 1) // 4])
        shade = 0.55 + 0.15 * ((v - 1) % 4)
        fill = tuple(int(c * shade) for c in base[:3]) + (255,)
        mr.png(os.path.join(img, "tile%d.png" % v), TILE, TILE, fill, mr.INK)
    mr.picture(os.path.join(img, "locks_strip.png"), WHEEL, WHEEL * PICTURES,
               lambda x, y: STRIP_COLOURS[y // WHEEL] if 6 <= x < WHEEL - 6 else mr.INK)
    rooms = (("tiles", tiles_room(), tiles_actions()), ("scales", SCALES, scales_actions()),
             ("locks", LOCKS, LOCKS_ACTIONS))
    for name, room, actions in rooms:
        with open(os.path.join(assets, "roomview", name + ".xml"), "w", newline="\n") as f:
            f.write(room)
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(actions)
