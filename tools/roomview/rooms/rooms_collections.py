#!/usr/bin/python3
"""The collections room: two note collections, the birds (a robin already collected: full alpha) and the
shells (nothing collected yet: dimmed to 30 %), and a conch lying on the sand. Picking the conch up
collects it, starts its collection effect (half a second, ended by the item's own message) and hides it;
its click completes the room. The collections are in the room file."""

import os

from make_rooms import INK, png, rgba

PICTURES = {
    "collections_back": (1366, 768, rgba("c2a878"), None),
    "birds_note": (160, 160, rgba("c0392b"), INK),
    "shells_note": (160, 160, rgba("2e86c1"), INK),
    "conch": (90, 70, rgba("f5cba7"), INK),
    "plain_note": (160, 160, rgba("95a5a6"), INK),
}

ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="collections" folder="roomview/img/" StopPrevMusic="0"/>
  <collections>
    <collection name="birds" picture="roomview/img/birds_note.png">
      <item name="robin" picture="roomview/img/birds_note.png" number="7" collected="1"/>
    </collection>
    <collection name="shells" picture="roomview/img/shells_note.png">
      <item name="conch" picture="roomview/img/conch.png" number="5"/>
    </collection>
  </collections>
  <Objects>
    <object id="back" name="collections_back.png"/>
    <object id="birds" type="note_collection" name="plain_note.png" x="100" y="80"/>
    <object id="shells" type="note_collection" name="plain_note.png" x="300" y="80"/>
    <object id="conch" type="collection_item" iid="conch" name="conch.png" x="700" y="500" flags="complete.100"/>
  </Objects>
</room>
"""

ACTIONS = """wait 100
save
click 745 535
wait 300
shot effect
wait 300
"""


def write(out):
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(out, "assets", "roomview", "img", name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", "collections.xml"), "w", newline="\n") as f:
        f.write(ROOM)
    with open(os.path.join(out, "collections.actions"), "w", newline="\n") as f:
        f.write(ACTIONS)
