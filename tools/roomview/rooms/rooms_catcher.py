"""The catcher room: a ghost and an infrared rune that show only under the ghost catcher's lens.

- The ghost (an alpha video, looping) flees when the held catcher moves over it and is caught by a
  press with the catcher; catching it unlocks the rune and posts "ghostfound".
- The rune (an infrared picture) shows through the lens's tinted glass; a press with the catcher catches
  it, posts "runefound" and completes the room.
- The catcher draws its finger, its glow, its eye frames and, after each catch, its viewer video and a
  green sparkle around the pointer.
The two clips (the ghost and the catcher's viewer) are made by tools/make_videos.py; this module writes
the room file, the pictures and the action table.
"""

import os

import make_rooms
from make_rooms import png, dot, picture, rgba, INK

ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="catcher" folder="roomview/catcher/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="catcher_back.png"/>
    <object id="mirror" name="mirror.png" x="420" y="160"/>
    <object type="ghost" id="ghost" name="ghost.ogv" x="560" y="300" withalpha="1" loop="-1" active="1"
            checkcoords="1" tool="catcher" findghost="ghostfound" uat="rune"/>
    <object type="infrared" id="rune" name="rune.png" x="950" y="420" tool="catcher" locked="1"
            findinfrared="runefound,complete.100"/>
  </Objects>
  <tools>
    <tool id="catcher" type="ghostcatcher" folder="catcher" imgfly="/fly" imginv="/fly" shape="/shape"
          target="/target" finger="/finger" fingerx="-12" fingery="-110" glow="/glow" glowx="-60" glowy="-60"
          eyex="-45" eyey="105" video="/viewer.ogv" runeffect="1">
      <eye name="/eye1" x="0" y="0"/>
      <eye name="/eye2" x="35" y="0"/>
      <eye name="/eye3" x="70" y="0"/>
    </tool>
  </tools>
</room>
"""

# The ghost stops at (724, 312) after the flight in the action table below: the host seeds the random
# numbers, so the flight is the same on every replay (the table test finds the ghost wherever it is).
ACTIONS = """# nothing happens without the catcher; the rune is locked until the ghost is caught
click 592 340
take catcher
move 300 600
wait 200
# the lens over the ghost: it flees
move 592 340
wait 700
shot flee
# the lens beside the ghost where it stopped (it stops where it leaves the lens), the pointer off it
move 660 312
wait 200
shot lens
click 724 312
wait 300
shot catch
wait 400
shot viewer
save
click 1010 480
wait 300
"""


def shape(path, size):
    """The lens: tinted glass (half alpha) inside an opaque rim, clear outside the circle."""
    r = size / 2.0

    def at(x, y):
        d = ((x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2) ** 0.5
        if d > r:
            return (0, 0, 0, 0)
        return (90, 230, 140, 255) if d > r - 6 else (40, 120, 70, 128)
    picture(path, size, size, at)


def rune(path, size):
    """An orange ring with a cross, on a clear ground."""
    r = size / 2.0

    def at(x, y):
        dx, dy = x + 0.5 - r, y + 0.5 - r
        d = (dx * dx + dy * dy) ** 0.5
        if abs(d - r * 0.75) < 7 or (d < r * 0.75 and (abs(dx) < 5 or abs(dy) < 5)):
            return (255, 150, 40, 255)
        return (0, 0, 0, 0)
    picture(path, size, size, at)


def ring(path, size, colour):
    r = size / 2.0

    def at(x, y):
        d = ((x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2) ** 0.5
        return colour if abs(d - r + 4) < 3 else (0, 0, 0, 0)
    picture(path, size, size, at)


def sparkles(path, frames, size):
    """A strip of green sparks that shrink frame by frame."""
    def at(x, y):
        frame, fx = divmod(x, size)
        radius = size / 2.0 * (1.0 - frame / float(frames + 2))
        d = ((fx + 0.5 - size / 2.0) ** 2 + (y + 0.5 - size / 2.0) ** 2) ** 0.5
        return (120, 255, 140, 255) if d < radius else (0, 0, 0, 0)
    picture(path, frames * size, size, at)


def write(out_dir):
    assets = os.path.join(out_dir, "assets")
    room = os.path.join(assets, "roomview", "catcher")
    png(os.path.join(room, "catcher_back.png"), 1366, 768, rgba("1f2433"))
    png(os.path.join(room, "mirror.png"), 300, 400, rgba("2e3850"), rgba("b9a46a"), width=10)
    rune(os.path.join(room, "rune.png"), 120)
    tools = os.path.join(assets, "textures", "tools", "catcher")
    shape(os.path.join(tools, "shape.png"), 200)
    png(os.path.join(tools, "fly.png"), 60, 60, rgba("4d5b4f"), INK)
    png(os.path.join(tools, "finger.png"), 24, 40, rgba("e8c39e"), INK, width=2)
    dot(os.path.join(tools, "glow.png"), 120, rgba("a8ffb8"))
    ring(os.path.join(tools, "target.png"), 60, rgba("a8ffb8"))
    for number, colour in ((1, "3a7d44"), (2, "5fb86b"), (3, "a8ffb8")):
        dot(os.path.join(tools, "eye%d.png" % number), 24, rgba(colour))
    sparkles(os.path.join(assets, "textures", "effect", "sparklegreen.png"), 14, 10)
    with open(os.path.join(assets, "roomview", "catcher.xml"), "w", newline="\n") as f:
        f.write(ROOM)
    with open(os.path.join(out_dir, "catcher.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
