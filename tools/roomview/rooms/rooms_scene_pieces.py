#!/usr/bin/python3
"""The scene pieces' rooms, each letting its invisible or moving kinds run their own behaviour.
- timers: a bell starts a clock timer (half a second); each time it rings it shows a lamp and counts one on
  a tally counter (two rings wanted). The tally's after-event 0 starts a chime that plays after 0.3 and
  0.3 seconds more and then unlocks the door; a hum (a sound object) starts locked and is unlocked by the
  lamp's click. The clock may be started twice ("maxactive" 2): a third bell goes unanswered. The door's
  click completes the room.
- sequences: a horn starts a parade (a show sequence) of three banners, each shown 0.3 s with 0.1 s
  between them, once; a crank starts a reel (frame items) of four frames at 0.1 s a frame, once, whose
  after-event 0 unlocks the door, the last frame staying up. The door's click completes the room.
- rotators: a lever turns a dial (a rotator) a quarter turn in half a second; a pull while it turns is
  ignored. Each finished quarter runs its after-event 0, which unlocks the door (the rotating needle is
  seen only in the developer view). The door's click completes the room.
- movers: a cart (a mover) steps through three places, 0.3 s a step, one step a click; each step's
  after-event 0 shows a flag, the last place's after-event 1 unlocks the door. A target wobbles out to
  its maximum radius and back, a click a step. A moon (an arc mover) started by a lamp runs half an
  ellipse in half a second and its after-event 0 shows a sun. The door's click completes the room.
- lights: a gong fades a veil (a focuser) in over 0.3 s; while it shows at all it catches every press, so the press meant for the door
  lands on the veil, whose click unlocks the door and fades the veil out again. The door's click
  completes the room. Under the veil a lamp (a light) flickers between its low and its high band, 0.4 s a
  swing, and a candle (the light's other type name) between 0.5..0.6 and 0.9..1.0, 0.3 s a swing."""


from make_rooms import INK, rgba, write_room

TIMERS_PICTURES = {
    "timers_back": (1366, 768, rgba("243447"), None),
    "timer_bell": (120, 120, rgba("d4a017"), INK),
    "timer_lamp": (100, 160, rgba("fff3b0"), rgba("e0b040")),
    "timer_door": (160, 260, rgba("5d4037"), rgba("d9c27e")),
}

TIMERS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="timers" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="timers_back.png"/>
    <object id="bell" name="timer_bell.png" x="150" y="300" maxclicks="5" freezeclicks="1" aac="clock"/>
    <object id="clock" type="timer" time="0.5" maxactive="2" maxclicks="3" freezeclicks="1" vac="lamp" aac="tally"/>
    <object id="tally" type="counter" count="2" aae="chime"/>
    <object id="chime" type="delay_loops_sound" sound="chime" delays="0.3,0.3" uae="door"/>
    <object id="hum" type="sound_obj" name="hum" locked="1"/>
    <object id="lamp" name="timer_lamp.png" x="500" y="280" v="0" uac="hum"/>
    <object id="door" name="timer_door.png" x="1000" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# Ring, the lamp shows 0.5 s later; ring again, the tally fires and the chime unlocks the door 0.6 s later.
TIMERS_ACTIONS = """click 210 360
wait 300
shot waiting
wait 300
click 550 360
click 210 360
wait 600
save
wait 600
click 210 360
wait 600
shot open
click 1080 370
wait 300
"""


SEQUENCES_PICTURES = {
    "sequences_back": (1366, 768, rgba("2d3a2e"), None),
    "seq_horn": (120, 120, rgba("d4a017"), INK),
    "seq_crank": (120, 120, rgba("8d6e63"), INK),
    "banner_red": (120, 200, rgba("c0392b"), INK),
    "banner_green": (120, 200, rgba("27ae60"), INK),
    "banner_blue": (120, 200, rgba("2e86c1"), INK),
    "reel_1": (160, 160, rgba("f1c40f"), INK),
    "reel_2": (160, 160, rgba("e67e22"), INK),
    "reel_3": (160, 160, rgba("9b59b6"), INK),
    "reel_4": (160, 160, rgba("1abc9c"), INK),
    "seq_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

SEQUENCES_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="sequences" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="sequences_back.png"/>
    <object id="horn" name="seq_horn.png" x="100" y="100" aac="parade"/>
    <object id="parade" type="seq_show" showtime="0.3" delaytime="0.1" count="1">
      <object id="red" name="banner_red.png" x="300" y="80" v="0"/>
      <object id="green" name="banner_green.png" x="450" y="80" v="0"/>
      <object id="blue" name="banner_blue.png" x="600" y="80" v="0"/>
    </object>
    <object id="crank" name="seq_crank.png" x="100" y="450" aac="reel"/>
    <object id="reel" type="cadritemsobj" speed="0.1" count="1" uae="door">
      <object id="frame1" name="reel_1.png" x="300" y="430"/>
      <object id="frame2" name="reel_2.png" x="300" y="430"/>
      <object id="frame3" name="reel_3.png" x="300" y="430"/>
      <object id="frame4" name="reel_4.png" x="300" y="430"/>
    </object>
    <object id="door" name="seq_door.png" x="1000" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# The parade runs 1.2 s; the reel's four frames take 0.4 s, then the door opens.
SEQUENCES_ACTIONS = """click 160 160
wait 150
shot first
wait 400
save
wait 700
click 160 510
wait 250
shot reel
wait 300
shot open
click 1080 370
wait 300
"""


ROTATORS_PICTURES = {
    "rotators_back": (1366, 768, rgba("3e2f45"), None),
    "rot_lever": (80, 160, rgba("95a5a6"), INK),
    "rot_dial": (240, 240, rgba("ecf0f1"), INK),
    "rot_needle": (200, 24, rgba("c0392b"), INK),
    "rot_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

ROTATORS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="rotators" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="rotators_back.png"/>
    <object id="lever" name="rot_lever.png" x="150" y="300" maxclicks="5" freezeclicks="1" aac="dial"/>
    <object id="dial" type="rotator" name="rot_dial.png" x="450" y="260" turns="0.25" time="0.5" uae="door">
      <img filename="rot_needle.png" x="570" y="380" pos_is_center="1"/>
    </object>
    <object id="door" name="rot_door.png" x="1000" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# Pull (and pull again while it turns), the quarter ends 0.5 s later and opens the door; one more quarter.
ROTATORS_ACTIONS = """click 190 380
wait 250
shot turning
click 190 380
wait 350
save
click 190 380
wait 600
shot open
click 1080 370
wait 300
"""


MOVERS_PICTURES = {
    "movers_back": (1366, 768, rgba("1f3b4d"), None),
    "mov_cart": (100, 80, rgba("e67e22"), INK),
    "mov_flag": (60, 100, rgba("27ae60"), INK),
    "mov_target": (80, 80, rgba("e74c3c"), rgba("ecf0f1")),
    "mov_lamp": (100, 100, rgba("f1c40f"), INK),
    "mov_moon": (60, 60, rgba("ecf0f1"), INK),
    "mov_sun": (120, 120, rgba("ffd166"), INK),
    "mov_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
}

MOVERS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="movers" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="movers_back.png"/>
    <object id="flag" name="mov_flag.png" x="100" y="520" v="0"/>
    <object id="cart" type="mover" name="mov_cart.png" poss="100,650;300,650;500,650" time="0.3"
            animtype="stay" vae="flag" uae=";door"/>
    <object id="target" type="target" name="mov_target.png" x="700" y="560" maxradius="45" targetradius="25"
            time="0.1"/>
    <object id="lamp" name="mov_lamp.png" x="100" y="100" aac="moon"/>
    <object id="moon" type="arc_mover" name="mov_moon.png" x="300" y="300" rectX="300" rectY="100" rectW="400"
            rectH="200" startAngle="0" sweepAngle="180" time="0.5" vae="sun"/>
    <object id="sun" name="mov_sun.png" x="800" y="100" v="0"/>
    <object id="door" name="mov_door.png" x="1100" y="240" locked="1" flags="complete.100"/>
  </Objects>
</room>
"""

# Two cart steps (the second reaches the last place), two target steps, the moon's half ellipse.
MOVERS_ACTIONS = """click 150 690
wait 400
click 350 690
wait 150
shot moving
wait 250
save
click 740 600
wait 200
click 785 600
wait 200
click 150 150
wait 600
shot open
click 1180 370
wait 300
"""


LIGHTS_PICTURES = {
    "lights_back": (1366, 768, rgba("1b1b2f"), None),
    "light_gong": (120, 120, rgba("b8860b"), INK),
    "light_veil": (1366, 768, rgba("000000", 160), None),
    "light_door": (160, 260, rgba("4e342e"), rgba("d9c27e")),
    "light_lamp": (140, 140, rgba("fff3b0"), rgba("e0b040")),
    "light_candle": (80, 160, rgba("ffd166"), INK),
}

LIGHTS_ROOM = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="lights" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="lights_back.png"/>
    <object id="gong" name="light_gong.png" x="150" y="300" aac="veil"/>
    <object id="door" name="light_door.png" x="1000" y="240" locked="1" flags="complete.100"/>
    <object id="lamp" type="light_obj" name="light_lamp.png" x="450" y="120" mint="0.4" maxt="0.4"/>
    <object id="candle" type="fading_video" name="light_candle.png" x="700" y="420" mina="0.5" da="0.1" mint="0.3"
            maxt="0.3"/>
    <object id="veil" type="focuser" name="light_veil.png" time="0.3" uac="door" aac="veil"/>
  </Objects>
</room>
"""

# The gong, the veil fades in; the press on the door lands on the veil, which fades out; then the door.
LIGHTS_ACTIONS = """wait 300
click 210 360
wait 400
shot veiled
save
click 1080 370
wait 400
click 1080 370
wait 300
"""


def write(out):
    write_room(out, "timers", TIMERS_PICTURES, TIMERS_ROOM, TIMERS_ACTIONS)
    write_room(out, "sequences", SEQUENCES_PICTURES, SEQUENCES_ROOM, SEQUENCES_ACTIONS)
    write_room(out, "rotators", ROTATORS_PICTURES, ROTATORS_ROOM, ROTATORS_ACTIONS)
    write_room(out, "movers", MOVERS_PICTURES, MOVERS_ROOM, MOVERS_ACTIONS)
    write_room(out, "lights", LIGHTS_PICTURES, LIGHTS_ROOM, LIGHTS_ACTIONS)
