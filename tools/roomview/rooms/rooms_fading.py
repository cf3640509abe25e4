#!/usr/bin/python3
"""The fading room: a bell starts a glow that fades in and out once; at its end the glow shows a star, whose
click completes the room. Beside them three note items: a robin already collected (full alpha, its points
label fades in under the pointer in the developer view), a wren still to find (dimmed to 30 %) and an owl
the collections do not list (its own picture at its own alpha). The collections are in the room file."""

import os

from make_rooms import INK, png, rgba

PICTURES = {
    "fading_back": (1366, 768, rgba("3b3350"), None),
    "bell_button": (120, 120, rgba("d4a017"), INK),
    "glow": (200, 200, rgba("fff3b0"), rgba("e0b040")),
    "star": (120, 120, rgba("ffd166"), INK),
    "robin_note": (100, 100, rgba("c0392b"), INK),
    "wren_note": (100, 100, rgba("8d6e63"), INK),
    "owl_note": (100, 100, rgba("5d6d7e"), INK),
}

ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="fading" folder="roomview/img/" StopPrevMusic="0"/>
  <collections>
    <collection name="birds" picture="roomview/img/robin_note.png">
      <item name="robin" picture="roomview/img/robin_note.png" number="7" collected="1"/>
      <item name="wren" picture="roomview/img/wren_note.png" number="3"/>
    </collection>
  </collections>
  <Objects>
    <object id="back" name="fading_back.png"/>
    <object id="bell" name="bell_button.png" x="150" y="300" aac="glow"/>
    <object id="glow" type="blending_obj" name="glow.png" x="450" y="250" time="0.3" vae="star"/>
    <object id="star" name="star.png" x="800" y="290" v="0" flags="complete.100"/>
    <object id="robin" type="note_collection_item" name="owl_note.png" x="150" y="560" tx="150" ty="665"/>
    <object id="wren" type="note_collection_item" name="owl_note.png" x="300" y="560" tx="300" ty="665"/>
    <object id="owl" type="note_collection_item" name="owl_note.png" x="450" y="560" tx="450" ty="665"/>
  </Objects>
</room>
"""

# The pointer rests on the robin, the bell starts the glow (full at 0.6 s, gone at 1.2 s), the star completes.
ACTIONS = """move 200 610
wait 300
shot hover
click 210 360
wait 600
shot peak
wait 700
save
click 860 350
wait 300
"""


def write(out):
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(out, "assets", "roomview", "img", name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", "fading.xml"), "w", newline="\n") as f:
        f.write(ROOM)
    with open(os.path.join(out, "fading.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
