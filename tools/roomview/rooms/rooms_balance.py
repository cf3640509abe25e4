"""The magnet balance's room, written by make_rooms.py:
- balance: three slider magnets on rails, a knob turned while the button is held (0 to 90 degrees), two
  indicator sliders and a ball. The first magnet is picked up, carried to the end of its rail and put
  down: the ball stands in the middle (10 + 40 of 100), and the balance's after-event 0 unlocks the chest.
  The chest's click arms the balance; the knob dragged a quarter round to its upper bound raises
  after-event 2, which unlocks the lamp, whose click completes the room. The room shows the rails, the
  knob turning and the ball; the thumbs are drawn only by the sliders' own view.
"""

import os

import make_rooms
from make_rooms import rgba

INK = make_rooms.INK

ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="balance" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="balance_back.png"/>
    <object id="beam" type="balance_object" values="10,20,30,40,100" uae="chest;;lamp">
      <object id="magnet1" type="slider" name="balance_rail.png" x="300" y="200" length="300"
              slider="balance_rail.png" thumb="balance_thumb.png"/>
      <object id="magnet2" type="slider" name="balance_rail.png" x="300" y="260" length="300"
              slider="balance_rail.png" thumb="balance_thumb.png"/>
      <object id="magnet3" type="slider" name="balance_rail.png" x="300" y="320" length="300"
              slider="balance_rail.png" thumb="balance_thumb.png"/>
      <object id="magnet4" type="limitedarrow" name="balance_knob.png" x="900" y="260" lbound="0" ubound="90"/>
      <object id="balance_left" type="slider" name="balance_gauge.png" x="300" y="460" length="300" val="0.6"
              slider="balance_rail.png" thumb="balance_thumb.png"/>
      <object id="balance_right" type="slider" name="balance_gauge.png" x="300" y="520" length="300"
              val="0.4" slider="balance_rail.png" thumb="balance_thumb.png"/>
      <object id="ball" name="balance_ball.png" x="700" y="470"/>
    </object>
    <object id="chest" name="balance_chest.png" x="300" y="620" locked="1" maxclicks="1" aac="beam"/>
    <object id="lamp" name="balance_lamp.png" x="1000" y="620" locked="1" maxclicks="1" flags="complete.100"/>
  </Objects>
</room>
"""

ACTIONS = """# magnet 1: picked up at the start of its rail, carried to its end and put down: the middle
click 300 200
move 450 200
move 600 200
click 600 200
wait 600
shot middle
save
# the chest arms the balance; the knob turned a quarter round to its upper bound unlocks the lamp
click 350 650
drag 1000 262 900 362
wait 100
wait 500
shot knob
click 1050 650
wait 300
"""


def write(out):
    img = os.path.join(out, "assets", "roomview", "img")
    make_rooms.png(os.path.join(img, "balance_back.png"), 1366, 768, rgba("36424a"))
    make_rooms.png(os.path.join(img, "balance_rail.png"), 300, 10, rgba("9a9a9a"), INK, 2)
    make_rooms.png(os.path.join(img, "balance_gauge.png"), 300, 10, rgba("d9c27e"), INK, 2)
    make_rooms.png(os.path.join(img, "balance_thumb.png"), 30, 30, rgba("e07a5f"), INK)
    make_rooms.png(os.path.join(img, "balance_knob.png"), 120, 20, rgba("bfe3ef"), INK, 3)
    make_rooms.dot(os.path.join(img, "balance_ball.png"), 40, rgba("f2efe6"))
    make_rooms.png(os.path.join(img, "balance_chest.png"), 100, 60, rgba("8a5a32"), rgba("d9c27e"))
    make_rooms.png(os.path.join(img, "balance_lamp.png"), 100, 60, rgba("e0b040"), INK)
    with open(os.path.join(out, "assets", "roomview", "balance.xml"), "w", newline="\n") as f:
        f.write(ROOM)
    with open(os.path.join(out, "balance.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
