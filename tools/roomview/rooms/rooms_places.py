"""The places puzzles' rooms, written by make_rooms.py:
- placesitems: a shelf of three slots (placesitems), each showing one of three coloured tiles; a slot hands out
  what it shows as the "piece" tool, and the slot the piece is used on exchanges tiles with it. Two
  exchanges put every slot at its correct tile (the first slot then locks and shows its marker, seen in
  the developer view); the shelf's after-event 0 unlocks the chest, whose click completes the room.
- places: a row of three places (places_object), each showing a piece; a place hands its piece out as
  the "piece" tool, and the place it is used on swaps pieces with it while the other piece slides back
  (250 pixels at 0.002 s each: half a second). Two swaps solve the row; its after-event 0 unlocks the
  chest, whose click completes the room.
"""

import os

import make_rooms
from make_rooms import rgba

INK = make_rooms.INK
TILES = {"r": rgba("c8553d"), "g": rgba("588b5b"), "b": rgba("3d6fc8")}
XS = (333, 583, 833)
Y = 250


def ring(path, size, colour):
    """A square frame with a clear middle: a marker that lets the tile under it show."""
    def at(x, y):
        edge = x < 10 or y < 10 or x >= size - 10 or y >= size - 10
        return colour if edge else (0, 0, 0, 0)
    make_rooms.picture(path, size, size, at)


def slot(name, x, index, correct, extra=""):
    children = "".join(
        '\n      <object id="%s%d" name="places_tile_%s.png" x="%d" y="%d"/>' % (name, k, colour, x, Y)
        for k, colour in enumerate("rgb"))
    return ('    <object id="%s" type="placesitems_object" x="%d" y="%d" index="%d" correctindex="%d"\n'
            '            exe="tool" tools="piece;piece;piece" hideaftertaketool="0"%s>%s\n    </object>\n'
            % (name, x, Y, index, correct, extra, children))


def place(name, x, piece, needed, extra=""):
    return ('    <object id="%s" type="places_object" name="places_tile_%s.png" needed_image="places_tile_%s.png" x="%d" y="%d"\n'
            '            exe="tool" tools="piece;piece;piece" hideaftertaketool="0"%s/>\n'
            % (name, piece, needed, x, Y, extra))


def room(name, back, puzzle):
    return """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="%s" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="%s.png"/>
%s    <object id="chest" name="places_chest.png" x="558" y="480" locked="1" maxclicks="1" flags="complete.100"/>
  </Objects>
  <tools>
    <tool id="piece" imgfly="roomview/places_piece_fly" hx="50" hy="50"/>
  </tools>
</room>
""" % (name, back, puzzle)


SLOTS = room("placesitems", "placesitems_back",
             '  <object id="shelf" type="placesitems_handle_object" uae="chest">\n' +
             slot("a", XS[0], 1, 0, ' lock_after_set="1" filename="places_mark.png"') +
             slot("b", XS[1], 2, 1) + slot("c", XS[2], 0, 2) + "  </object>\n")

EXCHANGE = room("places", "places_back",
                '  <object id="row" type="places_handle_object" moving_time="0.002" uae="chest">\n' +
                place("p1", XS[0], "g", "r", ' lock_after_set="1" filename="places_mark.png"') +
                place("p2", XS[1], "r", "b") + place("p3", XS[2], "b", "g") + "  </object>\n")


def centre(i):
    return "%d %d" % (XS[i] + 50, Y + 50)


ACTIONS = {
    "placesitems": """# the first slot hands out its green tile; the second takes it and gives its blue one back
click {a}
take piece
click {b}
drop
wait 100
save
# the first slot now hands out blue; the third takes it and gives red back: every slot is right
click {a}
take piece
click {c}
drop
wait 100
shot solved
click 608 530
wait 300
""".format(a=centre(0), b=centre(1), c=centre(2)),
    "places": """# p1 hands out its green piece; p2 takes it and its red piece slides back to p1
click {a}
take piece
click {b}
drop
wait 250
shot sliding
wait 450
save
# p2 hands out the green piece; p3 takes it and its blue piece slides back to p2
click {b}
take piece
click {c}
drop
wait 700
click 608 530
wait 300
""".format(a=centre(0), b=centre(1), c=centre(2)),
}


def write(out):
    img = os.path.join(out, "assets", "roomview", "img")
    make_rooms.png(os.path.join(img, "placesitems_back.png"), 1366, 768, rgba("4b3b52"))
    make_rooms.png(os.path.join(img, "places_back.png"), 1366, 768, rgba("3b4b52"))
    for colour, fill in TILES.items():
        make_rooms.png(os.path.join(img, "places_tile_%s.png" % colour), 100, 100, fill, INK)
    ring(os.path.join(img, "places_mark.png"), 100, rgba("f2e394"))
    make_rooms.png(os.path.join(img, "places_chest.png"), 100, 100, rgba("8a5a32"), rgba("d9c27e"))
    make_rooms.png(os.path.join(out, "assets", "textures", "roomview", "places_piece_fly.png"), 100, 100,
                   rgba("ffffff", 90), INK)
    for name, text in (("placesitems", SLOTS), ("places", EXCHANGE)):
        with open(os.path.join(out, "assets", "roomview", name + ".xml"), "w", newline="\n") as f:
            f.write(text)
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(ACTIONS[name])
