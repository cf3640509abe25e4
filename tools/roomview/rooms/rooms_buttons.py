"""The button room: a press-in-order panel of three click buttons whose right order (red, green, blue)
unlocks the chest, and a bell button that shows its pressed picture while held (in the developer view,
which draws the click buttons' own pictures). A wrong order locks all three, then they unlock after half a
second. The chest completes the room."""

import os

from make_rooms import INK, png, rgba

PICTURES = {
    "buttons_back": (1366, 768, rgba("3b3f56"), None),
    "panel": (420, 200, rgba("6d6a75"), INK),
    "key_red": (100, 100, rgba("c0392b"), INK),
    "key_green": (100, 100, rgba("27ae60"), INK),
    "key_blue": (100, 100, rgba("2e86c1"), INK),
    "key_up": (100, 100, rgba("f4f1de"), INK),
    "key_down": (100, 100, rgba("81b29a"), INK),
    "bell_up": (120, 120, rgba("f2cc8f"), INK),
    "bell_down": (120, 120, rgba("e07a5f"), INK),
    "chest": (200, 140, rgba("8d5524"), rgba("f2cc8f")),
}

BUTTONS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="buttons" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="buttons_back.png"/>
    <object id="chest" name="chest.png" x="900" y="300" locked="1" maxclicks="1" flags="complete.100"/>
    <object id="bell" type="click_button" name="bell_up.png" x="200" y="550">
      <img filename="bell_up.png" x="200" y="550"/>
      <img filename="bell_down.png" x="200" y="550"/>
    </object>
    <object id="seq" type="button_seq_control" name="panel.png" x="150" y="200" right_seq="red,green,blue"
            unlock_time="0.5" uae="chest">
      <object id="red" type="click_button" name="key_red.png" x="180" y="250">
        <img filename="key_up.png" x="180" y="250"/><img filename="key_down.png" x="180" y="250"/>
      </object>
      <object id="green" type="click_button" name="key_green.png" x="310" y="250">
        <img filename="key_up.png" x="310" y="250"/><img filename="key_down.png" x="310" y="250"/>
      </object>
      <object id="blue" type="click_button" name="key_blue.png" x="440" y="250">
        <img filename="key_up.png" x="440" y="250"/><img filename="key_down.png" x="440" y="250"/>
      </object>
    </object>
  </Objects>
</room>
"""

# The bell held and let go; a wrong order undone after half a second; the right order; the chest.
ACTIONS = """press 260 610
wait 100
shot bell
release 260 610
click 490 300
click 230 300
click 360 300
wait 600
save
click 230 300
click 360 300
click 490 300
wait 100
click 1000 370
wait 300
"""


def write(out):
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(out, "assets", "roomview", "img", name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", "buttons.xml"), "w", newline="\n") as f:
        f.write(BUTTONS)
    with open(os.path.join(out, "buttons.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
