#!/usr/bin/python3
"""The multi-tool room: two shelves hand out a brass and an iron key; a panel needs the brass key in its
first lock and then the iron key in its second ("keeporder": iron is refused first). When both locks have
their keys the panel's own tool reaction unlocks the door, whose click completes the room."""

import os

from make_rooms import INK, png, rgba

PICTURES = {
    "multitool_back": (1366, 768, rgba("2f4858"), None),
    "brass_shelf": (140, 100, rgba("b8860b"), INK),
    "iron_shelf": (140, 100, rgba("7f8c8d"), INK),
    "brass_lock": (100, 140, rgba("e0b040"), INK),
    "iron_lock": (100, 140, rgba("bdc3c7"), INK),
    "vault_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}
TOOL_PICTURES = {
    "brass_fly": (50, 30, rgba("e0b040"), INK),
    "iron_fly": (50, 30, rgba("bdc3c7"), INK),
}

ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="multitool" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="multitool_back.png"/>
    <object id="brassshelf" name="brass_shelf.png" x="100" y="150" tools="brass"/>
    <object id="ironshelf" name="iron_shelf.png" x="100" y="400" tools="iron"/>
    <object id="panel" type="multytool" keeporder="1" uat="door">
      <object id="brasslock" name="brass_lock.png" x="500" y="300" tool="brass"/>
      <object id="ironlock" name="iron_lock.png" x="650" y="300" tool="iron"/>
    </object>
    <object id="door" name="vault_door.png" x="1000" y="240" locked="1" flags="complete.100"/>
  </Objects>
  <tools>
    <tool id="brass" imgfly="roomview/brass_fly"/>
    <tool id="iron" imgfly="roomview/iron_fly"/>
  </tools>
</room>
"""

ACTIONS = """click 170 200
click 170 450
wait 100
take iron
click 700 370
drop
take brass
click 550 370
drop
save
take iron
click 700 370
drop
wait 100
click 1080 370
wait 300
"""


def write(out):
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(out, "assets", "roomview", "img", name + ".png"), w, h, fill, border)
    for name, (w, h, fill, border) in TOOL_PICTURES.items():
        png(os.path.join(out, "assets", "textures", "roomview", name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", "multitool.xml"), "w", newline="\n") as f:
        f.write(ROOM)
    with open(os.path.join(out, "multitool.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
