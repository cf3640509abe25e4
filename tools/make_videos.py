#!/usr/bin/python3
"""Writes the Ogg Theora clips the video reader is tested and timed with:
- tests/data/video/flat32.ogv: 10 frames of 32 x 32 at 10 frames a second, each frame one flat grey,
  frame i with luma 16 + 20 i (studio black first), so a test can tell which frame it sees;
- tests/data/video/alpha32.ogv: 10 frames of 64 x 32 for the alpha mode: a flat colour on the left half
  (but for an 8 x 8 block that brightens frame by frame), on the right half white over the top 16 rows
  and studio black below (the alpha half);
- tests/data/video/audiofirst.ogv: the flat clip behind a Vorbis stream whose header page comes first;
- tests/data/video/truncated.ogv: the flat clip cut in the middle of a data page;
- tests/data/video/offset444.ogv: 24 x 20 with full-resolution chroma, so the coded frame is larger than
  the picture and the colour changes every 8 columns (its two frames are equal: one is encoded);
- tests/data/video/bench640.ogv: 10 frames of 640 x 360 of a drifting colour pattern, for the benchmark.
The room viewer's catcher room (tools/roomview/rooms/assets) plays two alpha-mode clips:
- textures/tools/catcher/viewer.ogv: the ghost catcher's viewer, 12 frames of 96 x 96 (192 x 96 coded):
  a green ring that widens from the centre over a faint green disc, with a cross-hair;
- roomview/catcher/ghost.ogv: the ghost, 10 frames of 64 x 80 (128 x 80 coded): a pale figure with dark
  eyes that bobs up and down, for looping.

The script draws every frame itself as raw Y'CbCr planes (a YUV4MPEG stream) and has Debian's ffmpeg
encode them with libtheora; bit-exact flags keep the stream serials and headers fixed, so two runs
write the same bytes.
Usage: tools/make_videos.py [--out TOP] [--check]
    --check    render into a temporary folder and compare with the repository; exit status 1 on any difference
"""
import os
import subprocess
import sys
import tempfile

import generated_data

TOP = generated_data.TOP
PACKAGES = ["ffmpeg"]
TEST_FOLDER = "tests/data/video"
ROOMS_ASSETS = "tools/roomview/rooms/assets"
VIEWER_CLIP = ROOMS_ASSETS + "/textures/tools/catcher/viewer.ogv"
GHOST_CLIP = ROOMS_ASSETS + "/roomview/catcher/ghost.ogv"
RATE = 10


def ensure_packages():
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh")] + PACKAGES, check=True)


class Planes:
    """One frame's Y', Cb and Cr planes; the chroma planes are subsampled as the format says."""

    def __init__(self, width, height, chroma):
        self.width = width
        self.height = height
        self.cw = width // 2 if chroma == "420" else width
        self.ch = height // 2 if chroma == "420" else height
        self.y = bytearray(width * height)
        self.cb = bytearray(self.cw * self.ch)
        self.cr = bytearray(self.cw * self.ch)

    def fill(self, x0, y0, x1, y1, luma, cb, cr):
        """Paints the picture rectangle [x0, x1) x [y0, y1); chroma follows the subsampling."""
        for row in range(y0, y1):
            self.y[row * self.width + x0:row * self.width + x1] = bytes([luma]) * (x1 - x0)
        sx = self.width // self.cw
        sy = self.height // self.ch
        for row in range(y0 // sy, y1 // sy):
            first = row * self.cw
            self.cb[first + x0 // sx:first + x1 // sx] = bytes([cb]) * ((x1 - x0) // sx)
            self.cr[first + x0 // sx:first + x1 // sx] = bytes([cr]) * ((x1 - x0) // sx)

    def bytes(self):
        return bytes(self.y) + bytes(self.cb) + bytes(self.cr)


def write_y4m(path, frames, chroma):
    first = frames[0]
    tag = "420jpeg" if chroma == "420" else "444"
    with open(path, "wb") as out:
        out.write(("YUV4MPEG2 W%d H%d F%d:1 Ip A1:1 C%s\n" % (first.width, first.height, RATE, tag)).encode())
        for frame in frames:
            out.write(b"FRAME\n")
            out.write(frame.bytes())


BITEXACT = ["-fflags", "+bitexact", "-flags", "bitexact", "-map_metadata", "-1"]


def encode(y4m, target, chroma, quality=10, audio_first=False):
    os.makedirs(os.path.dirname(target), exist_ok=True)
    args = ["ffmpeg", "-v", "error", "-y", "-f", "yuv4mpegpipe", "-i", y4m]
    if audio_first:
        # The audio input is mapped first, so its header page opens the file.
        args += ["-f", "lavfi", "-i", "sine=frequency=440:sample_rate=22050:duration=1",
                 "-map", "1:a", "-map", "0:v", "-c:a", "libvorbis", "-q:a", "0"]
    pixel_format = "yuv420p" if chroma == "420" else "yuv444p"
    args += ["-c:v", "libtheora", "-q:v", str(quality), "-g", str(RATE), "-pix_fmt", pixel_format] + BITEXACT
    subprocess.run(args + [target], check=True)


def flat_frames():
    frames = []
    for index in range(10):
        frame = Planes(32, 32, "420")
        frame.fill(0, 0, 32, 32, 16 + 20 * index, 128, 128)
        frames.append(frame)
    return frames


def alpha_frames():
    frames = []
    for index in range(10):
        frame = Planes(64, 32, "420")
        frame.fill(0, 0, 32, 32, 81, 90, 240)
        # A block whose brightness changes, so no frame repeats the one before (the encoder would drop it).
        frame.fill(16, 16, 24, 24, 81 + 10 * index, 90, 240)
        frame.fill(32, 0, 64, 16, 235, 128, 128)
        frame.fill(32, 16, 64, 32, 16, 128, 128)
        frames.append(frame)
    return frames


# The 8-column stripes of the full-chroma clip: (luma, Cb, Cr), left to right.
STRIPES = [(81, 90, 240), (41, 240, 110), (145, 54, 34)]


def offset_frames():
    frames = []
    for _index in range(2):
        frame = Planes(24, 20, "444")
        for number, (luma, cb, cr) in enumerate(STRIPES):
            frame.fill(8 * number, 0, 8 * number + 8, 20, luma, cb, cr)
        frames.append(frame)
    return frames


def bench_frames():
    frames = []
    width, height = 640, 360
    for index in range(10):
        frame = Planes(width, height, "420")
        for row in range(height):
            start = row * width
            frame.y[start:start + width] = bytes(16 + ((col + row + 6 * index) * 219 // (width + height + 60))
                                                 for col in range(width))
        for row in range(height // 2):
            start = row * (width // 2)
            frame.cb[start:start + width // 2] = bytes(64 + (col * 128) // (width // 2) for col in range(width // 2))
            frame.cr[start:start + width // 2] = bytes([64 + (row * 128 + index * 90) // (height // 2) % 128]) * (
                width // 2)
        frames.append(frame)
    return frames


OPAQUE = 235
CLEAR = 16


def alpha_clip_frame(size_w, size_h, colour, at):
    """A frame of the alpha mode: colour (luma, Cb, Cr) on the left half, and at(x, y) giving the luma of
    the left half and the alpha luma of the right half (or None where the picture is clear)."""
    frame = Planes(2 * size_w, size_h, "420")
    luma, cb, cr = colour
    frame.fill(0, 0, size_w, size_h, luma, cb, cr)
    frame.fill(size_w, 0, 2 * size_w, size_h, CLEAR, 128, 128)
    for y in range(size_h):
        for x in range(size_w):
            found = at(x, y)
            if found is not None:
                frame.y[y * frame.width + x] = found[0]
                frame.y[y * frame.width + size_w + x] = found[1]
    return frame


def viewer_frames():
    frames = []
    size = 96
    centre = size / 2.0
    for index in range(12):
        ring = 6 + index * 3.5

        def at(x, y, ring=ring):
            d = ((x + 0.5 - centre) ** 2 + (y + 0.5 - centre) ** 2) ** 0.5
            if d > 46:
                return None
            if abs(d - ring) < 2.5 or d > 43:
                return (190, OPAQUE)
            if abs(x + 0.5 - centre) < 1 or abs(y + 0.5 - centre) < 1:
                return (170, 180)
            return (110, 70)
        frames.append(alpha_clip_frame(size, size, (145, 54, 34), at))
    return frames


def ghost_frames():
    frames = []
    width, height = 64, 80
    bob = [0, 1, 2, 3, 4, 4, 3, 2, 1, 0]
    for index in range(10):
        lift = bob[index]

        def at(x, y, lift=lift, index=index):
            y = y + lift - 2
            cx = x + 0.5 - 32
            if y < 30:
                inside = cx * cx + (y + 0.5 - 30) ** 2 < 26 * 26
            else:
                # The hem waves: its edge moves with the frame.
                hem = 72 + 4 * (((x + 2 * index) // 8) % 2)
                inside = abs(cx) < 26 and y < hem
            if not inside:
                return None
            if (abs(cx + 10) < 4 or abs(cx - 10) < 4) and 22 <= y < 32:
                return (30, OPAQUE)
            return (215, 200)
        frames.append(alpha_clip_frame(width, height, (215, 140, 118), at))
    return frames


def truncate(source, target):
    """Copies the clip up to the middle of its first page after the three header pages' data."""
    with open(source, "rb") as data:
        whole = data.read()
    pages = []
    start = whole.find(b"OggS")
    while start >= 0:
        pages.append(start)
        start = whole.find(b"OggS", start + 4)
    # Cut halfway into the page that holds the fifth frame or so: past the headers, before the end.
    page = pages[len(pages) // 2]
    following = pages[pages.index(page) + 1] if page != pages[-1] else len(whole)
    with open(target, "wb") as out:
        out.write(whole[:page + (following - page) // 2])


def generate(folder):
    tests = os.path.join(folder, TEST_FOLDER)
    os.makedirs(tests, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        def raw(name, frames, chroma):
            path = os.path.join(scratch, name + ".y4m")
            write_y4m(path, frames, chroma)
            return path

        flat = raw("flat", flat_frames(), "420")
        encode(flat, os.path.join(tests, "flat32.ogv"), "420")
        encode(flat, os.path.join(tests, "audiofirst.ogv"), "420", audio_first=True)
        truncate(os.path.join(tests, "flat32.ogv"), os.path.join(tests, "truncated.ogv"))
        encode(raw("alpha", alpha_frames(), "420"), os.path.join(tests, "alpha32.ogv"), "420")
        encode(raw("offset", offset_frames(), "444"), os.path.join(tests, "offset444.ogv"), "444")
        encode(raw("bench", bench_frames(), "420"), os.path.join(tests, "bench640.ogv"), "420", quality=5)
        encode(raw("viewer", viewer_frames(), "420"), os.path.join(folder, VIEWER_CLIP), "420", quality=8)
        encode(raw("ghost", ghost_frames(), "420"), os.path.join(folder, GHOST_CLIP), "420", quality=8)


if __name__ == "__main__":
    sys.exit(generated_data.run("Draw and encode the video clips.", "videos", generate, "make_videos.py",
                                prepare=ensure_packages, owned=(TEST_FOLDER,), root=TOP))
