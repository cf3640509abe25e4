#!/usr/bin/python3
"""Writes the room viewer's demonstration rooms: their room files, their plain-coloured pictures and the
action tables that play each one to its end. Standard library only; the same files on every run.

    tools/roomview/rooms/make_rooms.py            write into tools/roomview/rooms/
    tools/roomview/rooms/make_rooms.py --out DIR  write the same files under DIR

The rooms, in "assets/roomview/" (the viewer's data root is this folder):
- workshop: a cabinet pocket holding a casket pocket (the cabinet grows from the cabinet's centre, the
  casket from its own box centre); a lamp assembled from two named parts, whose lit stage opens the
  lantern, which hands out the key to the door; a tool handed out by "tooltool"; a decoy ("xomiss").
- gallery: an items list of three things to find ("xo" twice, "iteraction"), whose completion unlocks a
  statue found with "xodouble"; an object with its own "hint" strategy; an arch into the garden.
- garden: a gate back into the gallery; a bell that hands out a coin ("tool") for the well.
Each room ends when a flag posts "complete", on which the viewer completes the room.
The object catalogue's rooms are written by the rooms_*.py modules beside this script (each says what
its rooms show).
"""

import glob
import importlib
import os
import struct
import sys
import zlib

ROOMS = os.path.dirname(os.path.abspath(__file__))


def png(path, w, h, fill, border=None, width=4):
    """A solid picture with an optional border, as an RGBA PNG."""
    rows = []
    for y in range(h):
        row = bytearray([0])
        for x in range(w):
            edge = border is not None and (x < width or y < width or x >= w - width or y >= h - width)
            row += bytes(border if edge else fill)
        rows.append(bytes(row))
    write_png(path, w, h, rows)


def write_png(path, w, h, rows):
    raw = zlib.compress(b"".join(rows), 9)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", raw) + chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def dot(path, size, colour):
    """A round dot whose alpha falls off towards its rim."""
    r = size / 2.0
    pixels = {}
    for y in range(size):
        for x in range(size):
            d = ((x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2) ** 0.5 / r
            pixels[(x, y)] = colour[:3] + (max(0, min(255, int(255 * (1.0 - d) * 1.5))),)
    picture(path, size, size, lambda x, y: pixels[(x, y)])


def arrow(path, w, h, colour):
    """An arrow pointing left: a triangle head and a shaft."""
    def at(x, y):
        head = x < w // 2 and abs(y - h / 2) < (x + 1) * h / w
        shaft = x >= w // 2 and abs(y - h / 2) < h / 6
        return colour if head or shaft else (0, 0, 0, 0)
    picture(path, w, h, at)


def picture(path, w, h, at):
    rows = []
    for y in range(h):
        row = bytearray([0])
        for x in range(w):
            row += bytes(at(x, y))
        rows.append(bytes(row))
    write_png(path, w, h, rows)


def write_room(out, name, pictures, room, actions=None):
    """A room's pictures (name: (w, h, fill, border)), its description and, when given, its action table."""
    for picture_name, (w, h, fill, border) in pictures.items():
        png(os.path.join(out, "assets", "roomview", "img", picture_name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", name + ".xml"), "w", newline="\n") as f:
        f.write(room)
    if actions is not None:
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(actions)


def rgba(hex_colour, alpha=255):
    return (int(hex_colour[0:2], 16), int(hex_colour[2:4], 16), int(hex_colour[4:6], 16), alpha)


INK = rgba("2b2233")
PICTURES = {
    # name: (w, h, fill, border)
    "workshop_back": (1366, 768, rgba("5b4a3f"), None),
    "gallery_back": (1366, 768, rgba("3f4f5b"), None),
    "garden_back": (1366, 768, rgba("3f5b44"), None),
    "cabinet": (120, 180, rgba("8a5a32"), INK),
    "cat": (110, 80, rgba("d9d2c5"), INK),
    "lantern": (90, 140, rgba("e0b040"), INK),
    "door": (140, 260, rgba("6b3a22"), INK),
    "shelf": (560, 460, rgba("a77b4f"), INK),
    "wick": (80, 80, rgba("f2efe6"), INK),
    "casket": (120, 90, rgba("7a2f4a"), INK),
    "velvet": (360, 200, rgba("4a1f3a"), INK),
    "glass": (90, 90, rgba("bfe3ef"), INK),
    "chip": (70, 70, rgba("ffd166"), INK),
    "cup": (90, 90, rgba("e07a5f"), INK),
    "vase": (90, 140, rgba("3d85c6"), INK),
    "lever": (60, 140, rgba("9a9a9a"), INK),
    "statue": (130, 240, rgba("cfcfc4"), INK),
    "arch": (160, 260, rgba("22303a"), rgba("d9c27e")),
    "gate": (160, 260, rgba("22331f"), rgba("d9c27e")),
    "bell": (90, 90, rgba("d4a017"), INK),
    "well": (180, 140, rgba("6d6d6d"), INK),
}
TOOL_PICTURES = {
    "lamp_fly": (60, 60, rgba("e0b040"), INK),
    "part_wick": (40, 40, rgba("f2efe6"), INK),
    "part_glass": (40, 40, rgba("bfe3ef"), INK),
    "key_fly": (60, 30, rgba("d9c27e"), INK),
    "spark_fly": (30, 30, rgba("ffd166"), INK),
    "coin_fly": (40, 40, rgba("d4a017"), INK),
}

WORKSHOP = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="workshop" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="workshop_back.png"/>
    <object id="cabinet" name="cabinet.png" x="100" y="260" pocket="cabinet"/>
    <object id="cat" name="cat.png" x="300" y="600" exe="xomiss"/>
    <object id="lantern" name="lantern.png" x="760" y="300" tool="lamp_lit" tools="key"
            exe="toolaftertool" maxclickstool="5" hideaftertaketool="0"/>
    <object id="door" name="door.png" x="1100" y="240" tool="key" tflags="complete.100"/>
  </Objects>
  <pockets>
    <pocket name="cabinet" x="400" y="150" w="560" h="460" appeartime="0.3" disappeartime="0.3">
      <object id="shelf" name="shelf.png" x="400" y="150"/>
      <object id="wick" name="wick.png" x="450" y="200" tools="lamp,true,wick"/>
      <object id="casket" name="casket.png" x="650" y="200" pocket="casket"/>
      <pocket name="casket" x="500" y="380" w="360" h="200" startx="680" starty="480"
              toolstoclosepocket="lamp,spark" appeartime="0.3" disappeartime="0.3">
        <object id="velvet" name="velvet.png" x="500" y="380"/>
        <object id="glass" name="glass.png" x="530" y="430" tools="lamp,true,glass"/>
        <object id="chip" name="chip.png" x="720" y="440" exe="tooltool" tools="spark"/>
      </pocket>
    </pocket>
  </pockets>
  <tools>
    <tool id="key" imgfly="roomview/key_fly"/>
    <tool id="spark" imgfly="roomview/spark_fly"/>
  </tools>
  <globaltools>
    <tools>
      <tool id="lamp" imgfly="roomview/lamp_fly"
            subtools="wick,roomview/part_wick,roomview/part_wick;glass,roomview/part_glass,roomview/part_glass">
        <tool id="lamp_lit" imgfly="roomview/lamp_fly"/>
      </tool>
    </tools>
  </globaltools>
</room>
"""

GALLERY = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="gallery" folder="roomview/img/" StopPrevMusic="0" connectedroomsformap="garden"/>
  <Objects>
    <object id="back" name="gallery_back.png"/>
    <object id="cup" name="cup.png" x="150" y="220" exe="xo"/>
    <object id="vase" name="vase.png" x="350" y="200" exe="xo" hintexe="hint" hint="vase_a,vase_b"/>
    <object id="lever" name="lever.png" x="560" y="200" exe="iteraction"/>
    <object id="statue" name="statue.png" x="800" y="160" exe="xodouble" locked="1" maxclicks="1"
            flags="complete.100"/>
    <object id="arch" name="arch.png" x="1120" y="240" room="garden"/>
  </Objects>
  <lists>
    <list unlock="statue">
      <item objects="cup"/>
      <item objects="vase"/>
      <item objects="lever"/>
    </list>
  </lists>
</room>
"""

GARDEN = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="garden" folder="roomview/img/" StopPrevMusic="0" connectedroomsformap="gallery"/>
  <Objects>
    <object id="back" name="garden_back.png"/>
    <object id="gate" name="gate.png" x="80" y="240" room="gallery"/>
    <object id="bell" name="bell.png" x="500" y="200" tools="coin"/>
    <object id="well" name="well.png" x="800" y="420" tool="coin" tflags="complete.100"/>
  </Objects>
  <tools>
    <tool id="coin" imgfly="roomview/coin_fly"/>
  </tools>
</room>
"""

# One action a line: "click X Y", "take TOOL", "drop", "wait MS", "hint", "save", "restore"; "shot NAME"
# saves a picture when the viewer was given --shots.
ACTIONS = {
    "workshop": """# the decoy, then into the cabinet
click 350 640
click 160 350
wait 400
click 490 240
click 710 240
wait 400
shot pockets
click 575 475
click 755 475
wait 800
save
click 200 700
wait 500
take lamp
click 805 370
drop
take key
click 1170 370
wait 300
""",
    "gallery": """click 1200 370
wait 100
click 160 370
wait 100
hint
wait 300
shot hint
click 195 265
click 395 270
click 590 270
wait 100
save
click 865 280
wait 300
""",
    "garden": """click 545 245
wait 100
save
take coin
click 890 490
wait 300
""",
}


def main():
    out = ROOMS
    if len(sys.argv) == 3 and sys.argv[1] == "--out":
        out = sys.argv[2]
    assets = os.path.join(out, "assets")
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(assets, "roomview", "img", name + ".png"), w, h, fill, border)
    for name, (w, h, fill, border) in TOOL_PICTURES.items():
        png(os.path.join(assets, "textures", "roomview", name + ".png"), w, h, fill, border)
    # The hint's rolling dots, the back arrow and the shadow under an open pocket.
    dot(os.path.join(assets, "textures", "effect", "adot_alpha.png"), 32, rgba("fff3b0"))
    arrow(os.path.join(assets, "textures", "gui", "backarrow.png"), 96, 64, rgba("fff3b0"))
    png(os.path.join(assets, "textures", "gui", "sh1.png"), 1366, 768, (0, 0, 0, 255))
    for name, text in (("workshop", WORKSHOP), ("gallery", GALLERY), ("garden", GARDEN)):
        with open(os.path.join(assets, "roomview", name + ".xml"), "w", newline="\n") as f:
            f.write(text)
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(ACTIONS[name])
    # Each rooms_*.py module beside this script writes its own rooms (room files, pictures, action
    # tables) under the same folder, with the helpers above.
    sys.path.insert(0, ROOMS)
    for path in sorted(glob.glob(os.path.join(ROOMS, "rooms_*.py"))):
        importlib.import_module(os.path.splitext(os.path.basename(path))[0]).write(out)


if __name__ == "__main__":
    main()
