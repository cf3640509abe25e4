"""The ball room: a shutter slides aside and drops its ball (open: the lamp shows; dropped: the fire button
unlocks); the fire button shoots the gun ball up and back, the barrier (a mover stepped by clicks) catches
it on its way back and carries it past the edge, where it is delivered (the trophy shows); the launcher's
ball rolls onto the spring, the player pulls the handle down and lets go, the ball lands on the sweeping
bar, rides it and is delivered when the bar wraps to the left (the trophy unlocks). The trophy completes
the room."""

import os

from make_rooms import INK, png, rgba

PICTURES = {
    "balls_back": (1366, 768, rgba("2f3e46"), None),
    "shutter": (120, 30, rgba("b08968"), INK),
    "pea": (40, 40, rgba("ffb703"), INK),
    "lever2": (60, 100, rgba("adb5bd"), INK),
    "lamp2": (60, 60, rgba("fff3b0"), INK),
    "fire": (90, 60, rgba("d62828"), INK),
    "gunball": (30, 30, rgba("e9c46a"), INK),
    "barrier": (200, 20, rgba("6c757d"), INK),
    "spring": (40, 150, rgba("90be6d"), INK),
    "knob": (40, 40, rgba("f94144"), INK),
    "track": (12, 190, rgba("495057"), INK),
    "bar": (300, 20, rgba("577590"), INK),
    "sball": (30, 30, rgba("f8961e"), INK),
    "trophy": (100, 120, rgba("ffd60a"), INK),
}

BALLS = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="balls" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="balls_back.png"/>
    <object id="lever" name="lever2.png" x="40" y="80" aac="shutter" maxclicks="1"/>
    <object id="lamp" name="lamp2.png" x="60" y="400" visible="0"/>
    <object id="shutter" type="shutter_object" name="shutter.png" x="120" y="150" shutter_offset="110"
            ball_offset="200" uae="fire" vae=";lamp">
      <object id="sh_ball" type="cadrobj" name="pea.png" x="160" y="110" active="0"/>
    </object>
    <object id="fire" name="fire.png" x="440" y="690" locked="1" aac="gun" maxclicks="1"/>
    <object id="barrier" type="mover" name="barrier.png" x="800" y="300" poss="800,300;370,300;1200,300"
            time="0.3;1.0;0" animtype="stay"/>
    <object id="gun" type="gun_ball" name="gunball.png" x="470" y="600" endX="470" endY="200" barrier="barrier"
            offBoardX="1000" deliveredX="1250" deliveredY="80" vae="trophy"/>
    <object id="trophy" name="trophy.png" x="1220" y="600" visible="0" locked="1" maxclicks="1"
            flags="complete.100"/>
    <object id="shooter" type="ball_shooter_object" ball="sball" bar="bar" handle="handle" spring="spring"
            del_pos="150" ach_px="1250" ach_py="180" uae="trophy">
      <object id="spring" type="udflex" name="spring.png" x="700" y="560"/>
      <object id="handle" type="springedobj" name="track.png" x="820" y="580" horiz="0" length="150" slider="track.png"
              thumb="knob.png"/>
      <object id="bar" name="bar.png" x="100" y="250" effector="sweep"/>
      <object id="sball" name="sball.png" x="705" y="100" effector="drop"/>
    </object>
  </Objects>
  <effector type="parent_signal" name="drop" loop="1">
    <key id="y" time="0" value="100"/><key id="y" time="1" value="500"/>
  </effector>
  <effector name="sweep">
    <key id="x" time="0" value="100"/><key id="x" time="2" value="1100"/>
  </effector>
</room>
"""

# The shutter, the gun ball and its barrier, then the launcher's shot; the trophy.
ACTIONS = """click 70 130
wait 700
click 485 720
wait 1000
click 900 310
wait 700
shot caught
click 470 310
wait 1700
save
wait %d
drag 820 580 820 730
wait 2500
shot delivered
click 1270 660
wait 300
"""

SHOT_WAIT = 100


def write(out):
    for name, (w, h, fill, border) in PICTURES.items():
        png(os.path.join(out, "assets", "roomview", "img", name + ".png"), w, h, fill, border)
    with open(os.path.join(out, "assets", "roomview", "balls.xml"), "w", newline="\n") as f:
        f.write(BALLS)
    with open(os.path.join(out, "balls.actions"), "w", newline="\n") as f:
        f.write(ACTIONS % SHOT_WAIT)
