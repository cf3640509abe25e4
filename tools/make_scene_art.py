#!/usr/bin/python3
"""Draws the animated scenes behind the main menu and over the level map, and writes their room files
"mainmenu.xml" and "map.xml" with the particle descriptions they use (scenes/menu/, scenes/map/).

The menu's scene: two layers of clouds drifting over the top strip, a kite of board cells swaying on
key tracks beside the menu's panel, a lantern that bobs and glows on the right, a paper bird that
crosses the sky on an ellipse, and fireflies. The map's scene lies over the plates, so it keeps to the
top and bottom edges: mist along the top, a balloon of board colours drifting there, a paper bird
skimming the bottom edge and fireflies under the plates. Fixed shapes and seeded positions, so every run
writes the same files.

    tools/make_scene_art.py              write into the repository's assets/
    tools/make_scene_art.py --out DIR    write the same files under DIR instead of assets/
    tools/make_scene_art.py --check      regenerate into a temporary folder and compare with assets/
"""

import math
import os
import random
import sys

import art_style
import generated_data
from art_style import CELL_COLOURS, GOLD, GOLD_DARK, GOLD_LIGHT, INK, SMOOTH

MENU_FOLDER = os.path.join("scenes", "menu")
MAP_FOLDER = os.path.join("scenes", "map")
WIDTH = 1366


def smooth(width, height, paint):
    """Paints at SMOOTH times the size and scales down, for soft edges."""
    big = art_style.Image.new("RGBA", (width * SMOOTH, height * SMOOTH), (0, 0, 0, 0))
    paint(art_style.ImageDraw.Draw(big), SMOOTH)
    return big.resize((width, height), art_style.Image.LANCZOS)


def clouds(width, height, seed, count, alpha, size):
    """A strip of soft clouds that tiles sideways: every puff is drawn again one tile to each side."""
    rng = random.Random(seed)
    puffs = []
    for _ in range(count):
        x = rng.uniform(0, width)
        y = rng.uniform(height * 0.25, height * 0.7)
        for lobe in range(5):
            puffs.append((x + (lobe - 2) * size * 0.45 + rng.uniform(-6, 6),
                          y + rng.uniform(-size * 0.18, size * 0.12) - (size * 0.12 if lobe in (1, 2, 3) else 0),
                          size * rng.uniform(0.35, 0.6)))

    def paint(draw, k):
        for x, y, r in puffs:
            for shift in (-width, 0, width):
                draw.ellipse([(x + shift - r) * k, (y - r * 0.6) * k, (x + shift + r) * k, (y + r * 0.6) * k],
                             fill=(214, 232, 240, 255))

    shape = smooth(width, height, paint)
    # One alpha for the whole layer, fading out towards the strip's bottom.
    fade = art_style.Image.new("L", (width, height))
    fade.putdata([int(alpha * max(0.0, 1.0 - max(0, y - height * 0.55) / (height * 0.45)))
                  for y in range(height) for _x in range(width)])
    mask = art_style.ImageChops.multiply(shape.getchannel("A"), fade)
    shape.putalpha(mask)
    return shape


def kite():
    w, h = 64, 118
    cell = 16

    def paint(draw, k):
        cx, top = w / 2, 4
        # The tail: a gold string with three bows.
        points = [(cx + 10 * math.sin(i / 3.0), 62 + i * 2.6) for i in range(21)]
        draw.line([(x * k, y * k) for x, y in points], fill=GOLD_DARK, width=2 * k)
        for i, (x, y) in enumerate(points[5::6]):
            colour = CELL_COLOURS[(i + 1) % len(CELL_COLOURS)] + (255,)
            draw.polygon([((x - 6) * k, (y - 4) * k), (x * k, y * k), ((x - 6) * k, (y + 4) * k)], fill=colour)
            draw.polygon([((x + 6) * k, (y - 4) * k), (x * k, y * k), ((x + 6) * k, (y + 4) * k)], fill=colour)
        # The body: a diamond of four board cells in a gold frame.
        diamond = [(cx, top), (cx + 2 * cell, top + 2 * cell), (cx, top + 4 * cell - 4), (cx - 2 * cell, top + 2 * cell)]
        centre = (cx, top + 2 * cell)
        for i in range(4):
            a, b = diamond[i], diamond[(i + 1) % 4]
            draw.polygon([(centre[0] * k, centre[1] * k), (a[0] * k, a[1] * k), (b[0] * k, b[1] * k)],
                         fill=CELL_COLOURS[i] + (255,))
        draw.polygon([(x * k, y * k) for x, y in diamond], outline=GOLD, width=3 * k)
        draw.line([(diamond[0][0] * k, diamond[0][1] * k), (diamond[2][0] * k, diamond[2][1] * k)], fill=INK,
                  width=k)
        draw.line([(diamond[1][0] * k, diamond[1][1] * k), (diamond[3][0] * k, diamond[3][1] * k)], fill=INK,
                  width=k)

    return smooth(w, h, paint)


def lantern():
    w, h = 56, 84

    def paint(draw, k):
        # A soft glow, then the paper body in gold with ribs and a cap.
        for r, a in ((27, 40), (22, 60), (17, 80)):
            draw.ellipse([(28 - r) * k, (48 - r) * k, (28 + r) * k, (48 + r) * k], fill=(255, 214, 120, a))
        draw.line([(28 * k, 0), (28 * k, 22 * k)], fill=GOLD_DARK, width=2 * k)
        draw.rectangle([20 * k, 22 * k, 36 * k, 28 * k], fill=INK)
        draw.ellipse([12 * k, 26 * k, 44 * k, 70 * k], fill=(246, 196, 64, 255), outline=GOLD_DARK, width=2 * k)
        for x in (20, 28, 36):
            draw.line([(x * k, 28 * k), (x * k, 68 * k)], fill=(214, 150, 48, 255), width=k)
        draw.rectangle([22 * k, 68 * k, 34 * k, 74 * k], fill=INK)
        draw.line([(28 * k, 74 * k), (28 * k, 82 * k)], fill=(226, 96, 72, 255), width=2 * k)

    return smooth(w, h, paint)


def bird(colour):
    w, h = 44, 26

    def paint(draw, k):
        # A folded paper bird flying to the right: two wings and a body.
        draw.polygon([(2 * k, 8 * k), (26 * k, 14 * k), (16 * k, 22 * k)], fill=art_style.mix(colour, INK, 0.35))
        draw.polygon([(4 * k, 14 * k), (42 * k, 10 * k), (28 * k, 20 * k), (14 * k, 20 * k)], fill=colour)
        draw.polygon([(12 * k, 2 * k), (30 * k, 14 * k), (18 * k, 15 * k)], fill=art_style.mix(colour, GOLD_LIGHT, 0.4))

    return smooth(w, h, paint)


def balloon():
    w, h = 44, 60

    def paint(draw, k):
        # An envelope of board-coloured stripes, its cords and a basket.
        box = [4 * k, 2 * k, 40 * k, 40 * k]
        draw.ellipse(box, fill=CELL_COLOURS[0] + (255,))
        for i, colour in enumerate(CELL_COLOURS[1:4]):
            inset = (i + 1) * 4.5
            draw.ellipse([(4 + inset) * k, 2 * k, (40 - inset) * k, 40 * k], fill=colour + (255,))
        draw.ellipse(box, outline=GOLD, width=2 * k)
        for x0, x1 in ((9, 17), (35, 27)):
            draw.line([(x0 * k, 34 * k), (x1 * k, 48 * k)], fill=GOLD_DARK, width=k)
        draw.rectangle([16 * k, 48 * k, 28 * k, 57 * k], fill=(150, 112, 40, 255), outline=INK, width=k)

    return smooth(w, h, paint)


FIREFLIES = """; Warm sparks rising slowly over the emitter's rectangle. Made by tools/make_scene_art.py.
[Default]
nEmission=%d
fLifetime=-1
fParticleLifeMin=1.6
fParticleLifeMax=3.2
fDirection=0
fSpread=6.28
fSpeedMin=0.05
fSpeedMax=0.25
fGravityMin=-0.05
fGravityMax=-0.01
fSizeStart=0.5
fSizeEnd=0.9
fSizeVar=0.4
colColorStartR=1
colColorStartG=0.9
colColorStartB=0.55
colColorStartA=0.9
colColorEndR=1
colColorEndG=0.75
colColorEndB=0.4
colColorEndA=0
fColorVar=0.2
fAlphaVar=0.2
iDrawMode=1
ImageFile=fx/sparkle
bUseRandomRect=1
TextureRect0=0,0,16,16
TextureRect1=16,0,16,16
"""

MAINMENU = """<?xml version="1.0" encoding="utf-8"?>
<!-- The scene behind the main menu. Made by tools/make_scene_art.py. The menu plays its own music: the
     room leaves it alone. Every object is drawn on layer 0. -->
<scene>
  <Common name="menuscene" folder="scenes/menu/" StopPrevMusic="0"/>
  <Objects>
    <!-- Two cloud layers drifting over the top strip; the menu's own background shows between them. -->
    <object id="sky" type="cloud" rect="0,0,1366,200" imgclouds="clouds_far" speed="8"
            imgclouds2="clouds_near" speed2="20"/>
    <!-- A kite of board cells beside the panel, swaying on key tracks whose last keys equal their first. -->
    <object id="kite" name="kite" x="170" y="300" effector="kitefly"/>
    <!-- A lantern on the right that bobs and glows. -->
    <object id="lantern" name="lantern" x="1150" y="330" effector="lanternbob"/>
    <!-- A paper bird crossing the sky and coming back, endlessly. -->
    <object id="bird" name="bird" x="-80" y="214" effector="birdpath"/>
    <!-- Fireflies around the lantern. -->
    <object id="fireflies" type="particle" particle="scenes/menu/fireflies.ini" x="1170" y="470" w="300"
            h="260" active="1"/>
  </Objects>
  <effector name="kitefly">
    <key id="x" time="0" value="170"/>
    <key id="x" time="7" value="290"/>
    <key id="x" time="14" value="170"/>
    <key id="y" time="0" value="300"/>
    <key id="y" time="2.5" value="350"/>
    <key id="y" time="5" value="300"/>
    <key id="a" time="0" value="0.1"/>
    <key id="a" time="2" value="-0.1"/>
    <key id="a" time="4" value="0.1"/>
  </effector>
  <effector name="lanternbob">
    <key id="y" time="0" value="330"/>
    <key id="y" time="3" value="352"/>
    <key id="y" time="6" value="330"/>
    <key id="o" time="0" value="1"/>
    <key id="o" time="1.5" value="0.7"/>
    <key id="o" time="3" value="1"/>
  </effector>
  <effector name="birdpath" type="trajectory" hide="0" trajfile="ellipse" elipsex1="-80" elipsey1="200"
            elipsew="1526" elipseh="0" amplituda="22" time="28" calc_angle="0"/>
</scene>
"""

MAP = """<?xml version="1.0" encoding="utf-8"?>
<!-- The scene over the level map. Made by tools/make_scene_art.py. It is drawn over the plates and the
     buttons, so it keeps to the top and bottom edges. The map plays its own music. -->
<scene>
  <Common name="mapscene" folder="scenes/map/" StopPrevMusic="0"/>
  <Objects>
    <object id="mist" type="cloud" rect="0,0,1366,96" imgclouds="mist" speed="6"/>
    <object id="balloon" name="balloon" x="240" y="20" effector="balloondrift"/>
    <object id="bird" name="bird" x="-80" y="712" effector="birdpath"/>
    <object id="fireflies" type="particle" particle="scenes/map/fireflies.ini" x="683" y="735" w="1300" h="40"
            active="1"/>
  </Objects>
  <effector name="balloondrift">
    <key id="y" time="0" value="20"/>
    <key id="y" time="3" value="34"/>
    <key id="y" time="6" value="20"/>
    <key id="x" time="0" value="240"/>
    <key id="x" time="20" value="560"/>
    <key id="x" time="40" value="240"/>
  </effector>
  <effector name="birdpath" type="trajectory" hide="0" trajfile="ellipse" elipsex1="-80" elipsey1="706"
            elipsew="1526" elipseh="0" amplituda="16" time="34" calc_angle="0"/>
</scene>
"""


def generate(root):
    art_style.save_images(root, MENU_FOLDER, {
        "clouds_far": lambda: clouds(683, 200, 3, 4, 70, 70),
        "clouds_near": lambda: clouds(911, 200, 8, 3, 120, 56),
        "kite": kite,
        "lantern": lantern,
        "bird": lambda: bird((250, 240, 210, 255)),
    })
    art_style.save_images(root, MAP_FOLDER, {
        "mist": lambda: clouds(683, 96, 21, 5, 80, 40),
        "balloon": balloon,
        "bird": lambda: bird((246, 196, 64, 255)),
    })
    generated_data.write_text(root, os.path.join(MENU_FOLDER, "fireflies.ini"), FIREFLIES % 10)
    generated_data.write_text(root, os.path.join(MAP_FOLDER, "fireflies.ini"), FIREFLIES % 8)
    generated_data.write_text(root, "mainmenu.xml", MAINMENU)
    generated_data.write_text(root, "map.xml", MAP)


def prepare():
    art_style.load()
    from PIL import ImageChops
    art_style.ImageChops = ImageChops


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw the animated scenes of the menu and the map.", "scene art", generate,
                                "make_scene_art.py", prepare=prepare, owned=(MENU_FOLDER, MAP_FOLDER)))
