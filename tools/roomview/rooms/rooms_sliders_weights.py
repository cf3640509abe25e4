#!/usr/bin/python3
"""The mini-puzzle rooms of the sliders, spinners, image-cycling objects and weights, written into the
room viewer's folder by make_rooms.py (the same files on every run).

- sliders: a pressed slider, a drag slider and a springed slider; the tracks and thumbs show only in the
  developer view (the game draws a slider's own image and children), so plates mark them in the room.
- spinners: a sequence of two spinners whose solution unlocks the door.
- cycling: two click-cycled tiles whose parent shows the chest, two lamps cycled by activation (from two
  buttons) whose parent unlocks the door, and an echo of a spinner.
- weights: a pan carrying two weights on its plate, and two linked weights whose parent unlocks the door.
Each room ends when the door's click posts "complete".
"""

import os

import make_rooms as mr

IMG = "roomview/img/"


def _picture(assets, name, w, h, fill, border=None):
    mr.png(os.path.join(assets, "roomview", "img", name + ".png"), w, h, fill, border)


def _half_track(assets, name, length, height, colour):
    """A track centred on the slider's position: its left half is clear, so the bar runs from the
    position to the far end of the thumb's travel."""
    w = 2 * length + 40

    def at(x, y):
        return colour if x >= length + 10 else (0, 0, 0, 0)

    mr.picture(os.path.join(assets, "roomview", "img", name + ".png"), w, height, at)


SLIDERS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="sliders" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="sw_back.png"/>
    <object id="plate1" name="sw_plate.png" x="180" y="180"/>
    <object id="plate2" name="sw_plate.png" x="180" y="380"/>
    <object id="plate3" name="sw_plate.png" x="180" y="580"/>
    <object type="slider" id="pick" x="200" y="200" length="400" slider="sw_track.png" thumb="sw_thumb.png"/>
    <object type="dragslider" id="drag" x="200" y="400" length="400" slider="sw_track.png" thumb="sw_thumb.png"/>
    <object type="springedobj" id="spring" x="200" y="600" length="400" def_val="0.25" val="0.25" time="0.5"
            slider="sw_track.png" thumb="sw_thumb.png"/>
    <object id="door" name="sw_door.png" x="1100" y="240" flags="complete.100"/>
  </Objects>
</room>
"""

SPINNERS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="spinners" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="sw_back.png"/>
    <object type="spinner_seq" id="lock" correct="1,2" uae="door">
      <object type="spinner" id="s1" name="sw_frame.png" x="400" y="300" dy="100" time="0.2" rect="400,300,100,100">
        <img filename="sw_red.png" x="400" y="300"/><img filename="sw_green.png" x="400" y="300"/>
        <img filename="sw_blue.png" x="400" y="300"/>
      </object>
      <object type="spinner" id="s2" name="sw_frame.png" x="600" y="300" dy="100" time="0.2" rect="600,300,100,100">
        <img filename="sw_red.png" x="600" y="300"/><img filename="sw_green.png" x="600" y="300"/>
        <img filename="sw_blue.png" x="600" y="300"/>
      </object>
    </object>
    <object id="door" name="sw_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

CYCLING = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="cycling" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="sw_back.png"/>
    <object type="change_on_clickp" id="tiles" vae="chest">
      <object type="change_on_click" id="t1" name="sw_frame.png" x="200" y="150" cur_idx="0" correct_idx="2">
        <img filename="sw_red.png" x="200" y="150"/><img filename="sw_green.png" x="200" y="150"/>
        <img filename="sw_blue.png" x="200" y="150"/>
      </object>
      <object type="change_on_click" id="t2" name="sw_frame.png" x="320" y="150" cur_idx="2" correct_idx="0"
              morphing_time="0.4">
        <img filename="sw_red.png" x="320" y="150"/><img filename="sw_green.png" x="320" y="150"/>
        <img filename="sw_blue.png" x="320" y="150"/>
      </object>
    </object>
    <object id="chest" name="sw_chest.png" x="480" y="150" visible="0"/>
    <object type="change_on_activatep" id="lamps" idxs="1,1" uae="door">
      <object type="change_on_activate" id="l1" name="sw_frame.png" x="200" y="400" alpha_time="0.2">
        <img filename="sw_dark.png" x="200" y="400"/><img filename="sw_lit.png" x="200" y="400"/>
      </object>
      <object type="change_on_activate" id="l2" name="sw_frame.png" x="320" y="400" alpha_time="0.2">
        <img filename="sw_dark.png" x="320" y="400"/><img filename="sw_lit.png" x="320" y="400"/>
      </object>
    </object>
    <object id="b1" name="sw_button.png" x="220" y="540" aac="l1"/>
    <object id="b2" name="sw_button.png" x="340" y="540" aac="l2"/>
    <object type="spinner" id="sp" name="sw_frame.png" x="700" y="150" dy="100" time="0.2" rect="700,150,100,100">
      <img filename="sw_red.png" x="700" y="150"/><img filename="sw_green.png" x="700" y="150"/>
      <img filename="sw_blue.png" x="700" y="150"/>
    </object>
    <object type="spinner_echo" id="echo" name="sw_frame.png" x="700" y="400" objname="sp">
      <img filename="sw_dark.png" x="710" y="410"/><img filename="sw_lit.png" x="710" y="410"/>
      <img filename="sw_chest.png" x="710" y="410"/>
    </object>
    <object id="door" name="sw_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

WEIGHTS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="weights" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="sw_back.png"/>
    <object type="weight_part" id="pan" name="sw_pan.png" x="200" y="500" platex="0" platew="240" platey="0">
      <object id="w1" name="sw_weight.png" w="60" h="60"/>
      <object id="w2" name="sw_weight.png" w="60" h="60"/>
    </object>
    <object type="conjunct_weightp" id="scale" cor_pos="2" uae="door">
      <object type="conjunct_weight" id="wa" name="sw_weight.png" mov_time="0.2" ppos="600,200;600,320;600,440"
              objs="wb"/>
      <object type="conjunct_weight" id="wb" name="sw_weight.png" mov_time="0.2" ppos="760,200;760,320;760,440"
              cpos="1" inc="0"/>
    </object>
    <object id="door" name="sw_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

ACTIONS = {
    "sliders": """# the pressed slider: picked up on its thumb, carried by plain moves, pinned at the end, put down
click 200 200
move 400 200
wait 100
move 700 200
wait 100
click 500 200
save
move 300 200
wait 100
# the drag slider follows a held drag
drag 200 400 500 400
wait 100
# the springed slider springs back to its default once released
drag 300 600 520 600
wait 250
shot spring
wait 400
click 1170 370
wait 300
""",
    "spinners": """click 450 350
wait 300
click 450 350
wait 300
save
click 650 350
wait 300
click 1170 370
wait 300
""",
    "cycling": """click 250 200
wait 300
click 250 200
wait 300
click 370 200
wait 500
save
click 250 570
wait 500
click 370 570
wait 500
click 750 200
wait 300
click 1170 370
wait 300
""",
    "weights": """wait 100
save
click 630 230
wait 300
click 790 230
wait 300
click 630 350
wait 300
click 1170 370
wait 300
""",
}

ROOMS = {"sliders": SLIDERS, "spinners": SPINNERS, "cycling": CYCLING, "weights": WEIGHTS}


def write(out):
    assets = os.path.join(out, "assets")
    ink = mr.INK
    _picture(assets, "sw_back", 1366, 768, mr.rgba("3b3f55"))
    _picture(assets, "sw_plate", 460, 40, mr.rgba("6f6a80"), ink)
    _half_track(assets, "sw_track", 400, 12, mr.rgba("d9c27e"))
    _picture(assets, "sw_thumb", 30, 50, mr.rgba("e07a5f"), ink)
    _picture(assets, "sw_door", 140, 260, mr.rgba("6b3a22"), ink)
    _picture(assets, "sw_frame", 100, 100, mr.rgba("22303a"), mr.rgba("d9c27e"))
    _picture(assets, "sw_red", 100, 100, mr.rgba("c0392b"), ink)
    _picture(assets, "sw_green", 100, 100, mr.rgba("27ae60"), ink)
    _picture(assets, "sw_blue", 100, 100, mr.rgba("2e86c1"), ink)
    _picture(assets, "sw_dark", 80, 80, mr.rgba("2b2233"), ink)
    _picture(assets, "sw_lit", 80, 80, mr.rgba("ffd166"), ink)
    _picture(assets, "sw_chest", 80, 80, mr.rgba("8a5a32"), ink)
    _picture(assets, "sw_button", 60, 60, mr.rgba("9a9a9a"), ink)
    _picture(assets, "sw_pan", 240, 20, mr.rgba("cfcfc4"), ink)
    _picture(assets, "sw_weight", 60, 60, mr.rgba("7a2f4a"), ink)
    for name, text in ROOMS.items():
        with open(os.path.join(assets, "roomview", name + ".xml"), "w", newline="\n") as f:
            f.write(text)
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(ACTIONS[name])
