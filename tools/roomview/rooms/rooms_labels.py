#!/usr/bin/python3
"""Rooms of the decoration, text, texture-coordinate and input-routing kinds.
- pathimage: a bird (a frame strip, turning along its path) flies an arc over the room in 1.2 s and starts
  again 0.4 s after it lands; a row of stars (key frames) runs along a straight line at the bottom in 1 s
  and starts again 0.3 s later. Both are path images, which take none of an object's attributes: the
  bird's element names a picture, a place, a hidden flag and a reaction that none of them use. The
  paths are in "trajectories.dat" beside the rooms. The door, open from the start, completes the room.
- labels: a note (an info text) shows a plate (a text label whose description box places it) when
  clicked; the plate unlocks a sign (an info text with an image switcher showing its second image); the
  sign answers only where its shown switcher image lies, and unlocks the door. The label (in the game's
  own font, copied beside the rooms with a "fonts.xml") and the switcher image are drawn only in the
  developer view.
- uvbelts: a window (texture coordinates u 0.5..2.25, v 0..2) shows its tile repeated in the developer
  view, and a click on it unlocks the door; a belt scrolls its v coordinates up a tile a second after a
  half-second start delay, a river scrolls the other way, a tile every two seconds. The door completes.
- routing: a panel (a transparent container) passes a press to its switch, which shows a group of bulbs
  (the group shows its children with it); two cards (bring to top) swap their order when the lower one is
  pressed; two chips (first-taker list) and two bells (broadcast group) overlap, and a press on each
  overlap reaches the first chip only and both bells; a triangle (a shape) answers inside its polygon
  only; a frame (mouse enter) shows its glow while the pointer is over it; two gems (a found group) each
  take one click, and when both are used the group activates a herald (a dialog object); the herald
  clicks itself when the room is shown again after a visit to the side room, and unlocks the door."""

import math
import os
import shutil
import struct
import sys

from make_rooms import INK, picture, rgba, write_room

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
from make_graphics_data import at as spline_at, natural_spline, segment_lengths  # noqa: E402  (the engine's path spline)

GAME_ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "assets")
# The game's own 20-pixel font, which the viewer reads from "fonts.xml" so labels show in its developer view.
FONTS_XML = """<?xml version="1.0" encoding="utf-8"?>
<fonts>
  <font id="default" name="fonts/sans20.txt"/>
</fonts>
"""

TRANSPARENT = (0, 0, 0, 0)


def spline_points(points, steps):
    """Points along the path, steps to a segment."""
    xs = natural_spline([p[0] for p in points])
    ys = natural_spline([p[1] for p in points])
    return [(spline_at(cx, i / steps), spline_at(cy, i / steps)) for cx, cy in zip(xs, ys) for i in range(steps + 1)]


# The bird's arc and the stars' line; the middle point of the arc is half way along it.
PATHS = [
    ("pathimage_arc", [(200, 560), (683, 260), (1166, 560)]),
    ("pathimage_line", [(300, 700), (1066, 700)]),
]
BIRD_SECONDS = 1.2
STARS_SECONDS = 1.0


def path_length(name):
    return sum(segment_lengths(dict(PATHS)[name]))


def trajectories():
    """The paths file: a count, then each path's point count, 20-byte name and its points."""
    out = struct.pack("<I", len(PATHS))
    for name, points in PATHS:
        out += struct.pack("<i20s", len(points), name.encode("ascii"))
        for (x, y), length in zip(points, segment_lengths(points)):
            # x, y, scale, angle, angle factor, scale factor, segment length
            out += struct.pack("<ii5f", x, y, 1.0, 0.0, 1.0, 1.0, length)
    return out


def pathimage_back(path):
    """The room's sky with the two paths dotted on it."""
    dots = set()
    for name, points in PATHS:
        for x, y in spline_points(points, 60):
            for dy in range(-2, 3):
                for dx in range(-2, 3):
                    dots.add((int(x) + dx, int(y) + dy))
    sky, dot = rgba("1e2a38"), rgba("5d7a99")
    picture(path, 1366, 768, lambda x, y: dot if (x, y) in dots else sky)


def bird_strip(path):
    """Four 60 x 60 frames of a wing beat: a body with wings at four heights."""
    colours = [rgba("f39c12"), rgba("e67e22"), rgba("d35400"), rgba("e67e22")]

    def at(x, y):
        frame, fx = divmod(x, 60)
        wing = 10 + 12 * frame if frame < 3 else 22
        body = (fx - 30) ** 2 + (y - 30) ** 2 < 14 ** 2
        wings = abs(y - wing) < 5 and 4 < fx < 56
        return INK if body and (fx - 30) ** 2 + (y - 30) ** 2 > 11 ** 2 else colours[frame] if body or wings \
            else TRANSPARENT
    picture(path, 240, 60, at)


def star(path, colour):
    def at(x, y):
        angle = math.atan2(y - 25, x - 25)
        radius = 14 + 9 * math.cos(5 * angle)
        return colour if (x - 25) ** 2 + (y - 25) ** 2 < radius ** 2 else TRANSPARENT
    picture(path, 50, 50, at)


PATHIMAGE_PICTURES = {
    "path_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

PATHIMAGE_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="pathimage" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="pathimage_back.png"/>
    <object type="trajectorymovercadr2" tr="pathimage_arc" filename="roomview/img/path_bird.png" frames="4"
            cadrw="60" cadrh="60" speed="0.1" movetime="{bird_speed:.1f}" startagaintime="0.4" addangle="180"
            id="7" name="bird" x="40" y="40" v="0" uae="door"/>
    <object type="trajectorymovercadr2" tr="pathimage_line" movetime="{stars_speed:.1f}" startagaintime="0.3"
            enablerotate="0" time="0.2">
      <item name="roomview/img/path_star1.png"/>
      <item name="roomview/img/path_star2.png"/>
      <item name="roomview/img/path_star3.png"/>
    </object>
    <object id="door" name="path_door.png" x="1150" y="60" flags="complete.100"/>
  </Objects>
</room>
"""

# Half way, landed, started again; then the door.
PATHIMAGE_ACTIONS = """wait 600
shot middle
save
wait 700
shot landed
wait 500
shot again
click 1230 190
wait 300
"""


LABELS_PICTURES = {
    "labels_back": (1366, 768, rgba("2e2a24"), None),
    "lbl_note": (140, 100, rgba("f5e6c4"), INK),
    "lbl_plate": (300, 60, rgba("b08d57"), INK),
    "lbl_sign": (320, 200, rgba("6d4c41"), rgba("d9c27e")),
    "sign_off": (120, 120, rgba("7f8c8d"), INK),
    "sign_on": (120, 120, rgba("f1c40f"), INK),
    "lbl_preview": (80, 80, rgba("95a5a6"), INK),
    "lbl_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

LABELS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="labels" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="labels_back.png"/>
    <object id="note" type="textinfo" name="lbl_note.png" x="120" y="120" text="The plate names the sign." vac="plate"/>
    <object id="plate" type="text_obj" name="lbl_plate.png" x="10" y="10" v="0" uac="sign">
      <object name="text" type="imagetext" x="420" y="140" w="300" h="60" text="The lit side answers" font="default"
              color="43.34.51.255"/>
    </object>
    <object id="sign" type="textinfoswitch" name="lbl_sign.png" x="500" y="320" locked="1" text="sign_text"
            preview="lbl_preview.png" previewx="900" previewy="600" uac="door">
      <image_switcher flag="1">
        <image filename="sign_off.png" x="520" y="360"/>
        <image filename="sign_on.png" x="680" y="360"/>
      </image_switcher>
    </object>
    <object id="door" name="lbl_door.png" x="1050" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# The note shows the plate, the plate unlocks the sign; the sign's first image does nothing, its shown one
# unlocks the door.
LABELS_ACTIONS = """click 190 170
wait 100
shot plate
click 570 170
wait 100
save
click 580 420
click 740 420
wait 100
shot open
click 1130 370
wait 300
"""


def quarters(path, w, h, colours):
    """A tile of four coloured quarters with a dark cross, so its repeats show."""
    def at(x, y):
        if x < 3 or y < 3:
            return INK
        return colours[(2 if y >= h // 2 else 0) + (1 if x >= w // 2 else 0)]
    picture(path, w, h, at)


def stripes(path, w, h, colours, height):
    picture(path, w, h, lambda x, y: colours[(y // height) % len(colours)])


UVBELTS_PICTURES = {
    "uvbelts_back": (1366, 768, rgba("22313f"), None),
    "uv_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

UVBELTS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="uvbelts" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="uvbelts_back.png"/>
    <object id="window" type="uv_obj" name="uv_tile.png" x="120" y="120" u1="0.5" u2="2.25" v1="0" v2="2"
            uac="door"/>
    <object id="belt" type="uvspin_obj" name="uv_belt.png" x="120" y="480" u2="3" time="1" stime="0.5"/>
    <object id="river" type="uvspin_obj" name="uv_river.png" x="560" y="420" v2="1.5" time="2" asc="0"/>
    <object id="door" name="uv_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# The belt waits half a second, then scrolls; the window unlocks the door.
UVBELTS_ACTIONS = """wait 300
shot waiting
wait 700
shot scrolling
save
click 170 170
wait 500
click 1180 370
wait 300
"""


ROUTING_PICTURES = {
    "rt_panel": (260, 200, rgba("455a64"), INK),
    "rt_switch": (100, 100, rgba("c0392b"), INK),
    "rt_bulb": (80, 80, rgba("fff3b0"), rgba("e0b040")),
    "rt_card_a": (160, 200, rgba("e74c3c"), INK),
    "rt_card_b": (160, 200, rgba("3498db"), INK),
    "rt_chip_a": (140, 140, rgba("1abc9c"), INK),
    "rt_chip_b": (140, 140, rgba("16a085"), rgba("ecf0f1")),
    "rt_bell_a": (120, 120, rgba("d4a017"), INK),
    "rt_bell_b": (120, 120, rgba("b7950b"), rgba("ecf0f1")),
    "rt_mark": (40, 40, rgba("ecf0f1"), INK),
    "rt_frame": (180, 180, rgba("5d6d7e"), INK),
    "rt_glow": (160, 160, rgba("f9e79f"), rgba("f4d03f")),
    "rt_gem": (80, 80, rgba("8e44ad"), rgba("ecf0f1")),
    "rt_herald": (100, 100, rgba("e67e22"), INK),
    "rt_exit": (120, 80, rgba("2980b9"), INK),
    "rt_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
    "side_back": (1366, 768, rgba("394a3b"), None),
    "side_return": (120, 80, rgba("2980b9"), INK),
}

# The triangle the shape answers to, painted on the room's back.
TRIANGLE = [(80, 360), (330, 360), (80, 610)]

ROUTING_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="routing" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="routing_back.png"/>
    <object id="panel" type="transp" name="rt_panel.png" x="40" y="60">
      <object id="switch" name="rt_switch.png" x="120" y="110" vac="bulbs"/>
    </object>
    <object id="bulbs" type="group" v="0">
      <object id="bulb1" name="rt_bulb.png" x="320" y="70" v="0"/>
      <object id="bulb2" name="rt_bulb.png" x="320" y="170" v="0"/>
    </object>
    <object id="cards" type="bring_to_top">
      <object id="card_a" name="rt_card_a.png" x="440" y="60"/>
      <object id="card_b" name="rt_card_b.png" x="520" y="90"/>
    </object>
    <object id="stack" type="animfile">
      <object id="chip_a" name="rt_chip_a.png" x="740" y="60" vac="mark_a"/>
      <object id="chip_b" name="rt_chip_b.png" x="800" y="120" vac="mark_b"/>
    </object>
    <object id="mark_a" name="rt_mark.png" x="760" y="270" v="0"/>
    <object id="mark_b" name="rt_mark.png" x="880" y="270" v="0"/>
    <object id="chorus" type="me_group">
      <object id="bell_a" name="rt_bell_a.png" x="1000" y="60" vac="tone_a"/>
      <object id="bell_b" name="rt_bell_b.png" x="1060" y="110" vac="tone_b"/>
    </object>
    <object id="tone_a" name="rt_mark.png" x="1020" y="270" v="0"/>
    <object id="tone_b" name="rt_mark.png" x="1140" y="270" v="0"/>
    <object id="tri" type="shape" name="rt_switch.png" dummy="0" points="80.360;330.360;80.610" vac="tri_mark"/>
    <object id="tri_mark" name="rt_mark.png" x="100" y="640" v="0"/>
    <object id="hover" type="mouse_enter" name="rt_frame.png" x="400" y="380" canselect="1">
      <object id="glow" name="rt_glow.png" x="410" y="390"/>
    </object>
    <object id="gems" type="fgroup" aae="herald">
      <object id="gem1" name="rt_gem.png" x="660" y="420" maxclicks="1"/>
      <object id="gem2" name="rt_gem.png" x="780" y="420" maxclicks="1"/>
    </object>
    <object id="herald" type="dialog_obj" name="rt_herald.png" x="920" y="410" v="0" uac="door"/>
    <object id="exit" name="rt_exit.png" x="900" y="620" room="routing_side"/>
    <object id="door" name="rt_door.png" x="1120" y="360" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

ROUTING_SIDE_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="routing_side" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="side_back.png"/>
    <object id="return" name="side_return.png" x="620" y="340" room="routing"/>
  </Objects>
</room>
"""

# The switch in its panel, the lower card, the overlaps of the chips and of the bells, the triangle beside
# and inside, the frame hovered and left, the two gems, the side room and back, the door.
ROUTING_ACTIONS = """click 170 160
press 470 200
release 470 200
click 860 170
click 1090 150
click 300 580
click 110 390
move 480 460
shot hovered
click 480 460
move 480 700
save
click 700 460
click 820 460
wait 100
click 960 660
wait 100
click 680 380
wait 100
shot open
click 1200 490
wait 300
"""


def routing_back(path):
    """The room's floor with the shape's triangle painted where it answers."""
    (x0, y0), (x1, _), (_, y2) = TRIANGLE
    floor, paint = rgba("2c2f3a"), rgba("34495e")

    def at(x, y):
        inside = x0 <= x <= x1 and y0 <= y <= y2 and (x - x0) * (y2 - y0) + (y - y0) * (x1 - x0) <= \
            (x1 - x0) * (y2 - y0)
        return paint if inside else floor
    picture(path, 1366, 768, at)


def write(out):
    img = os.path.join(out, "assets", "roomview", "img")
    os.makedirs(os.path.join(out, "assets", "fonts"), exist_ok=True)
    for name in ("sans20.txt", "sans20.png"):
        shutil.copyfile(os.path.join(GAME_ASSETS, "fonts", name), os.path.join(out, "assets", "fonts", name))
    with open(os.path.join(out, "assets", "fonts.xml"), "w", newline="\n") as f:
        f.write(FONTS_XML)
    with open(os.path.join(out, "assets", "trajectories.dat"), "wb") as f:
        f.write(trajectories())
    pathimage_back(os.path.join(img, "pathimage_back.png"))
    bird_strip(os.path.join(img, "path_bird.png"))
    for index, colour in enumerate(("f1c40f", "ecf0f1", "e74c3c")):
        star(os.path.join(img, "path_star%d.png" % (index + 1)), rgba(colour))
    room = PATHIMAGE_ROOM.format(bird_speed=path_length("pathimage_arc") / BIRD_SECONDS,
                                 stars_speed=path_length("pathimage_line") / STARS_SECONDS)
    write_room(out, "pathimage", PATHIMAGE_PICTURES, room, PATHIMAGE_ACTIONS)
    write_room(out, "labels", LABELS_PICTURES, LABELS_ROOM, LABELS_ACTIONS)
    quarters(os.path.join(img, "uv_tile.png"), 100, 100,
             [rgba("e74c3c"), rgba("f1c40f"), rgba("2ecc71"), rgba("3498db")])
    stripes(os.path.join(img, "uv_belt.png"), 100, 100, [rgba("7f8c8d"), rgba("bdc3c7")], 20)
    stripes(os.path.join(img, "uv_river.png"), 200, 120, [rgba("1f618d"), rgba("2e86c1"), rgba("5dade2")], 20)
    write_room(out, "uvbelts", UVBELTS_PICTURES, UVBELTS_ROOM, UVBELTS_ACTIONS)
    routing_back(os.path.join(img, "routing_back.png"))
    write_room(out, "routing", ROUTING_PICTURES, ROUTING_ROOM, ROUTING_ACTIONS)
    write_room(out, "routing_side", {}, ROUTING_SIDE_ROOM, None)
