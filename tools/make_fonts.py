#!/usr/bin/python3
"""Renders the game's image fonts from Debian's DejaVu faces.

For every face and size below it writes, under assets/fonts/, one glyph atlas (white glyphs on a
transparent background, so the text colour tints them) and one font description in the game's font
language, saved as UTF-16 LE with a byte-order mark because the character lists hold Cyrillic. It
also writes assets/fonts.xml, which registers the font ids the game and its interface files name.

The output depends only on the tables here and on the installed packages, so it is committed with
the script. Usage:
    tools/make_fonts.py            regenerate assets/fonts/ and assets/fonts.xml
    tools/make_fonts.py --out DIR  write the same files under DIR instead of assets/
    tools/make_fonts.py --check    regenerate into a temporary folder and compare with assets/
"""

import glob
import os
import re
import subprocess
import sys

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEJAVU = "/usr/share/fonts/truetype/dejavu/"
PACKAGES = ["python3-pil", "fonts-dejavu-core"]

# One description per face and size; the image takes the same base name. Names hold no "_": the
# engine loads such image names as colour-and-mask pairs.
STYLES = [
    # name, face file, pixel size
    ("sans16", "DejaVuSans.ttf", 16),
    ("sans20", "DejaVuSans.ttf", 20),
    ("sans36", "DejaVuSans.ttf", 36),
    ("sansbold24", "DejaVuSans-Bold.ttf", 24),
    ("sansbold28", "DejaVuSans-Bold.ttf", 28),
]

# Font id -> style. Every id the code or an interface file names must be here.
FONT_IDS = [
    ("default", "sans20"),
    ("default16", "sans16"),
    ("big", "sans36"),
    ("maproomname", "sansbold24"),
    ("caption", "sansbold28"),
    ("body", "sans20"),
    # Every push button's text: one weight and one size on every screen.
    ("button", "sansbold24"),
]


def char_range(first, last):
    return [chr(c) for c in range(first, last + 1)]


# Printable ASCII, Latin-1, Cyrillic (the name filter accepts U+0410..U+044F) and the punctuation
# English texts use.
CHARACTERS = (char_range(0x20, 0x7E) + char_range(0xA0, 0xFF) + ["\u0401"] + char_range(0x410, 0x44F) +
              ["\u0451", "\u2013", "\u2014", "\u2018", "\u2019", "\u201C", "\u201D", "\u2026", "\u2116"])

# Pairs among these get kerning when the face kerns them.
KERNED = set(char_range(0x30, 0x39) + char_range(0x41, 0x5A) + char_range(0x61, 0x7A) + [".", ",", "-"] +
             ["\u0401"] + char_range(0x410, 0x44F) + ["\u0451"])

ATLAS_WIDTHS = [128, 256, 512, 1024]
PADDING = 1  # transparent pixels between glyphs, so scaled drawing does not bleed
LINE_WIDTH = 110  # characters per line of a description


def ensure_packages():
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh")] + PACKAGES, check=True)


class Glyph:
    def __init__(self, char, image, offset_x, offset_y, advance):
        self.char = char
        self.image = image  # "L" coverage, cropped to the inked pixels
        self.offset_x = offset_x
        self.offset_y = offset_y  # from the line's top
        self.advance = advance
        self.x = 0
        self.y = 0


def render_glyph(font, char, ascent, descent):
    from PIL import Image, ImageDraw
    advance = int(round(font.getlength(char)))
    left, top, right, bottom = font.getbbox(char, anchor="ls")
    if right > left and bottom > top:
        canvas = Image.new("L", (right - left, bottom - top), 0)
        ImageDraw.Draw(canvas).text((-left, -top), char, font=font, fill=255, anchor="ls")
        inked = canvas.getbbox()
        if inked is not None:
            image = canvas.crop(inked)
            return Glyph(char, image, left + inked[0], ascent + top + inked[1], advance)
    # A blank glyph still spans the whole line, so the font's height covers ascent and descent.
    return Glyph(char, Image.new("L", (1, ascent + descent), 0), 0, 0, advance)


def pack(glyphs, width):
    """Shelf packing, tallest first; returns the atlas height or None when a glyph is too wide."""
    order = sorted(glyphs, key=lambda g: (-g.image.height, -g.image.width, ord(g.char)))
    x = y = shelf = 0
    for glyph in order:
        w, h = glyph.image.size
        if w + PADDING > width:
            return None
        if x + w + PADDING > width:
            x, y, shelf = 0, y + shelf, 0
        glyph.x, glyph.y = x + PADDING, y + PADDING
        x += w + PADDING
        shelf = max(shelf, h + PADDING)
    return y + shelf + PADDING


def build_atlas(glyphs):
    from PIL import Image
    # The squarest atlas that holds every glyph, then the smallest.
    sizes = [(width, pack(glyphs, width)) for width in ATLAS_WIDTHS]
    width, height = min(((w, h) for w, h in sizes if h is not None), key=lambda s: (max(s), s[0] * s[1]))
    pack(glyphs, width)
    coverage = Image.new("L", (width, height), 0)
    for glyph in glyphs:
        coverage.paste(glyph.image, (glyph.x, glyph.y))
    white = Image.new("L", (width, height), 255)
    return Image.merge("RGBA", (white, white, white, coverage))


def kerning_pairs(path, size):
    """Pairs the face kerns by at least one pixel, with their kerning in whole pixels."""
    from PIL import ImageFont
    shaper = ImageFont.truetype(path, size, layout_engine=ImageFont.Layout.RAQM)
    kerned = sorted(KERNED)
    lengths = {c: shaper.getlength(c) for c in kerned}
    pairs = []
    for a in kerned:
        for b in kerned:
            value = int(round(shaper.getlength(a + b) - lengths[a] - lengths[b]))
            if value != 0:
                pairs.append((a + b, value))
    return pairs


def quote(text):
    """A string token of the font language: single quotes, or double quotes around a single quote."""
    if "'" in text:
        assert '"' not in text and "\\" not in text
        return '"' + text + '"'
    return "'" + text.replace("\\", "\\\\") + "'"


def statement(command, items):
    """One statement; long lists are wrapped so that no line starts with the comment mark."""
    lines = []
    line = command
    for item in items:
        if len(line) + 1 + len(item) > LINE_WIDTH:
            lines.append(line)
            line = "    " + item
        else:
            line += " " + item
    lines.append(line + ";")
    return "\n".join(lines) + "\n"


def paren(items):
    """A list token: the parentheses stick to the first and last item."""
    if not items:
        return ["()"]
    return ["(" + items[0]] + items[1:-1] + [items[-1] + ")"] if len(items) > 1 else ["(" + items[0] + ")"]


def describe(name, face, size, ascent, glyphs, pairs):
    chars = paren([quote(g.char) for g in glyphs])
    text = "# %s: DejaVu %s, %d px. Made by tools/make_fonts.py; edit the script, not this file.\n" % (
        name, "Sans Bold" if "Bold" in face else "Sans", size)
    text += "SetDefaultPointSize %d;\n" % size
    text += "CreateLayer Main;\n"
    text += "LayerSetImage Main '%s.png';\n" % name
    text += "LayerSetAscent Main %d;\n" % ascent
    # Offsets come before the image map, which measures the font's height from them.
    text += statement("LayerSetCharOffsets Main",
                      chars + paren(["(%d %d)" % (g.offset_x, g.offset_y) for g in glyphs]))
    text += statement("LayerSetImageMap Main",
                      chars + paren(["(%d %d %d %d)" % (g.x, g.y, g.image.width, g.image.height) for g in glyphs]))
    text += statement("LayerSetCharWidths Main", chars + paren([str(g.advance) for g in glyphs]))
    if pairs:
        text += statement("LayerSetKerningPairs Main",
                          paren([quote(p) for p, _ in pairs]) + paren([str(v) for _, v in pairs]))
    return text


def make_style(out_folder, name, face, size):
    from PIL import ImageFont
    path = DEJAVU + face
    font = ImageFont.truetype(path, size, layout_engine=ImageFont.Layout.BASIC)
    ascent, descent = font.getmetrics()
    glyphs = [render_glyph(font, c, ascent, descent) for c in CHARACTERS]
    atlas = build_atlas(glyphs)
    atlas.save(os.path.join(out_folder, "fonts", name + ".png"), optimize=True)
    text = describe(name, face, size, ascent, glyphs, kerning_pairs(path, size))
    with open(os.path.join(out_folder, "fonts", name + ".txt"), "wb") as file:
        file.write(b"\xff\xfe" + text.encode("utf-16-le"))


def interface_font_ids():
    ids = set()
    for path in sorted(glob.glob(os.path.join(TOP, "assets", "ui", "*.xml"))):
        with open(path, encoding="utf-8") as file:
            ids.update(re.findall(r'\bfont="([^"]*)"', file.read()))
    return ids


def write_registry(out_folder):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- The game's fonts by id. Made by tools/make_fonts.py; edit the script, not this file. -->",
             "<fonts>"]
    lines += ['  <font id="%s" name="fonts/%s.txt"/>' % (font_id, style) for font_id, style in FONT_IDS]
    lines += ["</fonts>", ""]
    with open(os.path.join(out_folder, "fonts.xml"), "w", encoding="utf-8", newline="\n") as file:
        file.write("\n".join(lines))


def generate(out_folder):
    missing = interface_font_ids() - {font_id for font_id, _ in FONT_IDS}
    if missing:
        sys.exit("font ids used by assets/ui but not made: " + ", ".join(sorted(missing)))
    os.makedirs(os.path.join(out_folder, "fonts"), exist_ok=True)
    for name, face, size in STYLES:
        make_style(out_folder, name, face, size)
    write_registry(out_folder)



if __name__ == "__main__":
    sys.exit(generated_data.run("Render the game's image fonts.", "fonts", generate, "make_fonts.py",
                                prepare=ensure_packages, owned=("fonts",)))
