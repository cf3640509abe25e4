#!/usr/bin/python3
"""The animation kinds' rooms, each running its kinds' own timed or input behaviour.
- strips: a lever starts a reel (a frame strip, "anim") that waits out its half-second pause and then
  plays for good; a bird (a line-moving strip, active from the start with "test") flies to the right and
  back for ever, pausing 0.3 s at each end, its wings still during the pause at the left end. The strips
  show only in the developer view; the room shows their plates. The lever also unlocks the door, whose
  click completes the room.
- atlas (with harbour): two map locations. The atlas's own location is the current one: a click on it
  clears the room it would open and opens nothing. The harbour's location is unavailable until the harbour has been visited by the boat;
  back on the map it is available and its click opens the harbour, whose chest completes the room.
- stopwatch: a bell starts a stopwatch (a timed frame counter) that turns its hand for two seconds and
  freezes on the frame it reached; rung again it starts over, and the brake stops it at once. The door's
  click completes the room.
- finders: a lamp moves a boat (a found-counter mover) on to its next place, its "1/3" counter riding
  along; a click on the boat itself moves nothing. Each place shows a buoy; the last one unlocks the door,
  whose click completes the room.
- springs: a lamp sets two stars (asterisks) turning for ever, one clockwise every two seconds, one the
  other way every second; a launcher's handle pulled down presses its spring (an up-down stretching
  object) down to a fifth of its height over its fixed bottom, and it grows back as the handle springs
  up. The door's click completes the room."""

import os

from make_rooms import INK, picture, rgba, write_room


def strip(path, colours, w, h):
    """One frame per colour side by side, each with a border and a bar that turns a quarter per frame."""
    def at(x, y):
        frame, fx = divmod(x, w)
        if fx < 3 or y < 3 or fx >= w - 3 or y >= h - 3:
            return INK
        # Frame n shows a bar from the centre towards one side: up, right, down, left.
        cx, cy = w // 2, h // 2
        dx, dy = [(0, -1), (1, 0), (0, 1), (-1, 0)][frame % 4]
        along = (fx - cx) * dx + (y - cy) * dy
        across = (fx - cx) * dy - (y - cy) * dx
        if 0 <= along < min(w, h) // 2 - 6 and abs(across) < 5:
            return INK
        return colours[frame]
    picture(path, w * len(colours), h, at)


STRIPS_PICTURES = {
    "strips_back": (1366, 768, rgba("263238"), None),
    "strip_lever": (80, 160, rgba("95a5a6"), INK),
    "strip_plate": (140, 30, rgba("8d6e63"), INK),
    "strip_nest": (100, 30, rgba("6d4c41"), INK),
    "strip_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

STRIPS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="strips" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="strips_back.png"/>
    <object id="lever" name="strip_lever.png" x="120" y="120" maxclicks="1" aac="reel" uac="door"/>
    <object id="reel" type="anim" x="400" y="100" filename="strip_reel.png" frames="4" cadr_width="120"
            cadr_height="120" speed="0.2" tw="480" th="120">
      <movedat pause="0.5"/>
      <object id="plate" name="strip_plate.png" x="390" y="230"/>
    </object>
    <object id="bird" type="animlinemover" test="1" x="300" y="450" filename="strip_bird.png" frames="2"
            cadr_width="80" cadr_height="60" speed="0.1" tw="160" th="60">
      <movedat pause="0.3" startX="300" startY="450" endX="900" endY="450" time="0.6"/>
      <movedat pause="0.3" sflp="1" endX="300" endY="450" time="0.6" dont_move="0"/>
      <object id="nest" name="strip_nest.png" x="290" y="520"/>
    </object>
    <object id="door" name="strip_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# The bird flies out and back while the reel waits; the lever starts the reel and opens the door.
STRIPS_ACTIONS = """wait 500
shot flying
save
wait 700
click 160 200
wait 300
shot reel
wait 600
click 1180 370
wait 300
"""


ATLAS_PICTURES = {
    "atlas_back": (1366, 768, rgba("d7ccc8"), None),
    "atlas_pin": (120, 120, rgba("1565c0"), INK),
    "atlas_port": (120, 120, rgba("00897b"), INK),
    "atlas_here": (140, 140, rgba("fdd835", 120), rgba("f57f17")),
    "atlas_closed": (140, 140, rgba("424242", 160), rgba("b71c1c")),
    "atlas_task": (40, 40, rgba("e53935"), INK),
    "atlas_glow": (140, 140, rgba("ffffff", 90), None),
    "atlas_boat": (140, 80, rgba("795548"), INK),
    "harbour_back": (1366, 768, rgba("4fc3f7"), None),
    "harbour_pier": (200, 80, rgba("8d6e63"), INK),
    "harbour_chest": (140, 100, rgba("ffb300"), INK),
}

# Each location's state images sit over it: the current mark, the closed mark, the task mark in a corner.
LOCATION_IMAGES = """      <cur_img filename="atlas_here.png" x="{x0}" y="{y0}"/>
      <unav_img filename="atlas_closed.png" x="{x0}" y="{y0}"/>
      <task_img filename="atlas_task.png" x="{xt}" y="{y0}"/>
      <out_img filename="atlas_glow.png" x="{x0}" y="{y0}"/>
      <prev_img filename="atlas_glow.png" x="{x0}" y="{y0}"/>"""


def location(x, y):
    return LOCATION_IMAGES.format(x0=x - 10, y0=y - 10, xt=x + 100)


ATLAS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="atlas" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="atlas_back.png"/>
    <object id="atlas" type="map_obj" name="atlas_pin.png" x="300" y="250" room="harbour">
%s
    </object>
    <object id="harbour" type="map_obj" name="atlas_port.png" x="800" y="250">
%s
    </object>
    <object id="boat" name="atlas_boat.png" x="790" y="560" room="harbour"/>
  </Objects>
</room>
""" % (location(300, 250), location(800, 250))

HARBOUR_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="harbour" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="harbour_back.png"/>
    <object id="pier" name="harbour_pier.png" x="100" y="600" room="atlas"/>
    <object id="chest" name="harbour_chest.png" x="900" y="500" hint_mod="show_hint" flags="complete.100"/>
  </Objects>
</room>
"""

# Both locations clicked while the harbour is unknown, the boat there and the pier back, then the harbour's
# location and its chest.
ATLAS_ACTIONS = """wait 100
click 860 310
click 360 310
save
click 860 600
wait 100
click 200 640
wait 100
shot available
click 860 310
wait 100
click 970 550
wait 300
"""


STOPWATCH_PICTURES = {
    "stopwatch_back": (1366, 768, rgba("37474f"), None),
    "sw_bell": (120, 120, rgba("d4a017"), INK),
    "sw_brake": (120, 80, rgba("c62828"), INK),
    "sw_case": (200, 200, rgba("b0bec5"), INK),
    "sw_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

STOPWATCH_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="stopwatch" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="stopwatch_back.png"/>
    <object id="bell" name="sw_bell.png" x="150" y="150" maxclicks="5" freezeclicks="1" aac="watch"/>
    <object id="brake" name="sw_brake.png" x="150" y="500" maxclicks="5" freezeclicks="1" dac="watch"/>
    <object id="case" name="sw_case.png" x="400" y="100"/>
    <object id="watch" type="doublescorecounter" x="500" y="200" w="160" h="160" anim="sw_face.png" frames="4"
            tw="640" th="160" speed="0.3" loop="-1" time="2" active="0"/>
    <object id="door" name="sw_door.png" x="1100" y="240" flags="complete.100"/>
  </Objects>
</room>
"""

# Two seconds of turning, frozen; again, braked half a second in.
STOPWATCH_ACTIONS = """click 210 210
wait 1000
shot running
save
wait 1500
click 210 210
wait 500
click 210 540
wait 500
shot braked
click 1180 370
wait 300
"""


FINDERS_PICTURES = {
    "finders_back": (1366, 768, rgba("1a237e"), None),
    "fd_lamp": (100, 100, rgba("f1c40f"), INK),
    "fd_boat": (140, 80, rgba("ef6c00"), INK),
    "fd_buoy": (50, 70, rgba("e53935"), rgba("ffffff")),
    "fd_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

FINDERS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="finders" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="finders_back.png"/>
    <object id="lamp" name="fd_lamp.png" x="100" y="100" maxclicks="5" freezeclicks="1" aac="boat"/>
    <object id="buoy" name="fd_buoy.png" x="600" y="300" v="0"/>
    <object id="boat" type="finder_mover" name="fd_boat.png" poss="150,500;500,500;850,500" time="0.4"
            animtype="stay" count="3" curcount="1" textx="30" texty="-40" vae="buoy" uae=";door">
      <object id="tally" type="text_obj">
        <object name="text" type="imagetext" x="180" y="460" w="80" h="30"/>
      </object>
    </object>
    <object id="door" name="fd_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# A click on the boat moves nothing; the lamp twice takes it to the last place, which opens the door.
FINDERS_ACTIONS = """click 220 540
wait 500
click 150 150
wait 200
shot sailing
wait 300
save
click 150 150
wait 500
click 1180 370
wait 300
"""


SPRINGS_PICTURES = {
    "springs_back": (1366, 768, rgba("2e3b2f"), None),
    "spr_lamp": (100, 100, rgba("f1c40f"), INK),
    "spr_star": (160, 40, rgba("ffd54f"), INK),
    "spr_wheel": (120, 30, rgba("4dd0e1"), INK),
    "spr_spring": (40, 200, rgba("90be6d"), INK),
    "spr_track": (12, 190, rgba("495057"), INK),
    "spr_knob": (40, 40, rgba("f94144"), INK),
    "spr_bar": (200, 20, rgba("577590"), INK),
    "spr_ball": (30, 30, rgba("f8961e"), INK),
    "spr_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

SPRINGS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="springs" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="springs_back.png"/>
    <object id="lamp" name="spr_lamp.png" x="100" y="100" aac="star,wheel"/>
    <object id="star" type="asterix" name="spr_star.png" x="300" y="280" rot_time="2"/>
    <object id="wheel" type="asterix" name="spr_wheel.png" x="560" y="290" rot_time="1" clockwise="0"/>
    <object id="launcher" type="ball_shooter_object" ball="ball" bar="bar" handle="handle" spring="spring">
      <object id="spring" type="udflex" name="spr_spring.png" x="800" y="500"/>
      <object id="handle" type="springedobj" name="spr_track.png" x="900" y="500" horiz="0" length="150"
              slider="spr_track.png" thumb="spr_knob.png" time="0.5"/>
      <object id="bar" name="spr_bar.png" x="700" y="100"/>
      <object id="ball" name="spr_ball.png" x="805" y="300"/>
    </object>
    <object id="door" name="spr_door.png" x="1150" y="240" flags="complete.100"/>
  </Objects>
</room>
"""

# The stars start turning; the handle pulled down presses the spring, which grows back as it springs up.
SPRINGS_ACTIONS = """click 150 150
wait 500
shot turning
save
drag 900 500 900 650
wait 250
shot pressed
wait 500
click 1230 370
wait 300
"""


def write(out):
    for name, colours, w, h in (
        ("strip_reel", ["ef5350", "ffca28", "66bb6a", "42a5f5"], 120, 120),
        ("strip_bird", ["eceff1", "90a4ae"], 80, 60),
        ("sw_face", ["fafafa", "e0f7fa", "fff8e1", "f3e5f5"], 160, 160),
    ):
        strip(os.path.join(out, "assets", "roomview", "img", name + ".png"), [rgba(c) for c in colours], w, h)
    write_room(out, "strips", STRIPS_PICTURES, STRIPS_ROOM, STRIPS_ACTIONS)
    write_room(out, "atlas", ATLAS_PICTURES, ATLAS_ROOM, ATLAS_ACTIONS)
    write_room(out, "harbour", {}, HARBOUR_ROOM)
    write_room(out, "stopwatch", STOPWATCH_PICTURES, STOPWATCH_ROOM, STOPWATCH_ACTIONS)
    write_room(out, "finders", FINDERS_PICTURES, FINDERS_ROOM, FINDERS_ACTIONS)
    write_room(out, "springs", SPRINGS_PICTURES, SPRINGS_ROOM, SPRINGS_ACTIONS)
