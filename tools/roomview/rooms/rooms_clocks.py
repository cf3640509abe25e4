"""The clock and light-button rooms, written by make_rooms.py:
- clockface: a clock (clock) with an hour and a minute hand (clockarrow) on one pivot, to be set to half
  past twelve. The minute hand is first put down too far from its mark (it stays where it is), then picked
  up again and put down near 6 o'clock, where it snaps; the hour hand is put down near 12 and snaps too.
  With both hands right the clock's after-event 0 unlocks the chest, whose click completes the room. Beside
  it a knob (limitedarrow) turns only while the button is held and stops at its upper bound, 90 degrees.
- lightpanel: two light buttons. The first (light_checkbutton) springs back half a second after a push and
  then raises after-event 0, which unlocks the chest; released early by a second click it raises nothing.
  Its first push also unlocks the second button (light_checkbutton2), which was pushed and locked:
  unlocking releases it. The buttons' lights (their state images) show in the developer view only.
- tickingclock: a ticking hand (moving_clock_arrow) of twelve divisions, a tick of 0.1 s and a rest of
  0.2 s: three divisions (90 degrees) after 0.8 s. The lever locks it, and it stands still; the bell
  completes the room.
"""

import math
import os

import make_rooms
from make_rooms import rgba

INK = make_rooms.INK
PIVOT = (683, 384)


def disc(path, size, fill, rim):
    """A round dial with a rim and twelve marks."""
    r = size / 2.0

    def at(x, y):
        dx, dy = x + 0.5 - r, y + 0.5 - r
        d = math.hypot(dx, dy)
        if d > r:
            return (0, 0, 0, 0)
        if d > r - 8:
            return rim
        angle = math.degrees(math.atan2(dy, dx)) % 30
        if d > r - 30 and (angle < 2 or angle > 28):
            return INK
        return fill
    make_rooms.picture(path, size, size, at)


def bar(path, w, h, colour):
    """A hand: a bar pointing right from its pivot, with a darker tip."""
    def at(x, y):
        return INK if x >= w - 12 else colour
    make_rooms.picture(path, w, h, at)


def bulb(path, size, colour):
    """A round light on a clear ground."""
    r = size / 2.0

    def at(x, y):
        return colour if math.hypot(x + 0.5 - r, y + 0.5 - r) <= r - 1 else (0, 0, 0, 0)
    make_rooms.picture(path, size, size, at)


def towards(degrees, distance):
    """The point at that distance from the clock's pivot in that direction (degrees clockwise from 3 o'clock)."""
    a = math.radians(degrees)
    return "%d %d" % (round(PIVOT[0] + distance * math.cos(a)), round(PIVOT[1] + distance * math.sin(a)))


CLOCKFACE = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="clockface" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="clocks_back.png"/>
    <object id="clock" type="clock" name="clocks_dial.png" x="483" y="184" uae="chest">
      <object id="hour" type="clockarrow" name="clocks_hour.png" x="683" y="384" tcx="8" tcy="8" angle="30"
              rightangle="285"/>
      <object id="minute" type="clockarrow" name="clocks_minute.png" x="683" y="384" tcx="5" tcy="5"
              angle="150" rightangle="90"/>
    </object>
    <object id="knobplate" name="clocks_plate.png" x="150" y="284"/>
    <object id="knob" type="limitedarrow" name="clocks_knob.png" x="250" y="384" tcx="7" tcy="7" lbound="0"
            ubound="90"/>
    <object id="chest" name="clocks_chest.png" x="1100" y="500" locked="1" maxclicks="1" flags="complete.100"/>
  </Objects>
</room>
"""

LIGHTPANEL = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="lightpanel" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="clocks_back.png"/>
    <object id="lamp1" type="light_checkbutton" name="clocks_lightplate.png" x="400" y="300" unpushtime="0.5"
            uae="chest" uac="lamp2">
      <normal_image filename="clocks_bulb_off.png" x="420" y="320"/>
      <pushed_image filename="clocks_bulb_on.png" x="420" y="320"/>
    </object>
    <object id="lamp2" type="light_checkbutton2" name="clocks_lightplate.png" x="700" y="300" pushed="1"
            locked="1">
      <normal_image filename="clocks_bulb_off.png" x="720" y="320"/>
      <pushed_image filename="clocks_bulb_on.png" x="720" y="320"/>
    </object>
    <object id="chest" name="clocks_chest.png" x="1100" y="500" locked="1" maxclicks="1" flags="complete.100"/>
  </Objects>
</room>
"""

TICKINGCLOCK = """<?xml version="1.0" encoding="utf-8"?>
<room>
  <Common name="tickingclock" folder="roomview/img/" StopPrevMusic="0"/>
  <Objects>
    <object id="back" name="clocks_back.png"/>
    <object id="dial" name="clocks_dial.png" x="483" y="184"/>
    <object id="hand" type="moving_clock_arrow" name="clocks_minute.png" x="683" y="384" tcx="5" tcy="5"
            div_num="12" time_per_div="0.3" time_tick="0.1"/>
    <object id="lever" name="clocks_lever.png" x="200" y="300" maxclicks="1" lockafterclick="hand"/>
    <object id="bell" name="clocks_chest.png" x="1100" y="500" maxclicks="1" flags="complete.100"/>
  </Objects>
</room>
"""

ACTIONS = {
    "clockface": """# the minute hand is picked up and put down at 3 o'clock, too far from its mark: it stays there
click {minute_start}
click {three}
wait 100
# picked up again and put down near 6 o'clock: it snaps and is solved
click {minute_at_three}
move {six}
click {six}
wait 100
save
# the hour hand, put down near 12 o'clock: it snaps, the clock is solved and unlocks the chest
click {hour_start}
move {twelve}
click {twelve}
wait 100
shot solved
# the knob turns while held and stops at its upper bound
press 300 387
move 290 420
move 260 480
move 200 470
release 200 470
wait 100
click 1150 550
wait 300
""".format(minute_start=towards(150, 130), three=towards(0, 150), minute_at_three="813 386",
           six="685 534", hour_start=towards(30, 60), twelve=towards(-75, 150)),
    "lightpanel": """# pushed, then released before it springs back: no after-event
click 450 350
click 450 350
wait 600
# pushed and left to spring back: its after-event unlocks the chest
click 450 350
wait 200
shot pushed
wait 400
save
click 1150 550
wait 300
""",
    "tickingclock": """# three divisions of 30 degrees in 0.8 s
wait 800
shot ticking
# the lever locks the hand, which stands still from then on
click 230 370
save
wait 500
click 1150 550
wait 300
""",
}


def write(out):
    img = os.path.join(out, "assets", "roomview", "img")
    make_rooms.png(os.path.join(img, "clocks_back.png"), 1366, 768, rgba("33404d"))
    disc(os.path.join(img, "clocks_dial.png"), 400, rgba("efe6d2"), rgba("8a5a32"))
    bar(os.path.join(img, "clocks_hour.png"), 110, 16, rgba("3d2b1f"))
    bar(os.path.join(img, "clocks_minute.png"), 170, 10, rgba("5a4030"))
    bar(os.path.join(img, "clocks_knob.png"), 90, 14, rgba("c8553d"))
    make_rooms.png(os.path.join(img, "clocks_plate.png"), 200, 200, rgba("6d6d6d"), INK)
    make_rooms.png(os.path.join(img, "clocks_chest.png"), 100, 100, rgba("8a5a32"), rgba("d9c27e"))
    make_rooms.png(os.path.join(img, "clocks_lightplate.png"), 100, 100, rgba("4a4a52"), INK)
    bulb(os.path.join(img, "clocks_bulb_off.png"), 60, rgba("5b5b3a"))
    bulb(os.path.join(img, "clocks_bulb_on.png"), 60, rgba("fff3b0"))
    make_rooms.png(os.path.join(img, "clocks_lever.png"), 60, 140, rgba("9a9a9a"), INK)
    for name, text in (("clockface", CLOCKFACE), ("lightpanel", LIGHTPANEL), ("tickingclock", TICKINGCLOCK)):
        with open(os.path.join(out, "assets", "roomview", name + ".xml"), "w", newline="\n") as f:
            f.write(text)
        with open(os.path.join(out, name + ".actions"), "w", newline="\n") as f:
            f.write(ACTIONS[name])
