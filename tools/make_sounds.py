#!/usr/bin/python3
"""Writes the game's sound effects and music and the list that names them:
- sounds/<id>.ogg: short mono effects (clicks, paint dabs, an error buzz, sparkles, chimes, jingles);
- music/<id>.ogg: calm stereo pieces of soft pads, plucked arpeggios, a bass and a bell melody, each
  built so that its end runs straight into its start (the menu theme loops without a seam);
- sounds.xml: the lists "music", "music1" and "sound" over those files.

Every note is synthesised by sox from fixed parameters; sox -R seeds its noise and dither, and
oggenc gets a fixed stream serial per file, so two runs write the same bytes.
Every render ends by measuring what it wrote (`measure`): how loud each effect is heard by its role,
where the error buzz and the paint dab put their energy, the end jingle against the star chime, and
each music loop's seam. A number out of bounds fails the run.
Usage: tools/make_sounds.py [--out ASSETS] [--check] | --measure
    --check    render into a temporary folder and compare with assets/; exit status 1 on any difference
    --measure  only measure the files in assets/ (exit status 1 when a number is out of bounds)
"""
import array
import math
import os
import subprocess
import sys
import tempfile
import zlib

import generated_data

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PACKAGES = ["sox", "vorbis-tools"]
RATE = 44100
FLOAT = ["-e", "floating-point", "-b", "32"]
EFFECT_QUALITY = 3
MUSIC_QUALITY = 1
# Peaks of the finished files in dBFS: headroom for the mixer, which adds every playing source.
# Effects are set by loudness (ROLE_LEVELS) and may not peak above the limit.
EFFECT_PEAK_LIMIT = -1.0
MUSIC_PEAK = -4.0
# The level of an effect's notes before normalising: low enough that mixes and reverb never clip.
EFFECT_LEVEL = 0.5


def ensure_packages():
    subprocess.run([os.path.join(TOP, "tools", "ensure-packages.sh")] + PACKAGES, check=True)


def hz(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def samples(seconds):
    return int(round(seconds * RATE))


def number(value):
    return "%.4f" % value


# One partial of a note: a sox synth wave, its frequency (a number, a sweep text such as "400/900",
# or None for noise) and its amplitude.
def bell(midi, amp=1.0):
    f = hz(midi)
    return [("sine", f, 0.6 * amp), ("sine", 2.0 * f, 0.2 * amp), ("sine", 3.01 * f, 0.12 * amp),
            ("sine", 4.2 * f, 0.05 * amp)]


def pluck(midi, amp=1.0):
    return [("pluck", hz(midi), amp)]


def pad(midi, amp=1.0):
    f = hz(midi)
    return [("sine", f, 0.6 * amp), ("triangle", f * 1.003, 0.25 * amp)]


def sine(freq, amp=1.0):
    return [("sine", freq, amp)]


def noise(kind="pinknoise", amp=1.0):
    return [(kind, None, amp)]


class Layer:
    """Notes that share a length, an envelope, filters and a place in the stereo field; each note
    starts at its own delay after the layer's start."""

    def __init__(self, start, length, notes, envelope=("l", 0.0, None), effects=(), pan=0.0, gain=1.0):
        self.start = start
        self.length = length
        self.notes = notes  # [(delay, [partial, ...]), ...]
        shape, attack, release = envelope
        self.envelope = (shape, attack, release if release is not None else 0.7 * length)
        self.effects = list(effects)
        self.pan = pan
        self.gain = gain


class Renderer:
    def __init__(self, scratch):
        self.scratch = scratch
        self.count = 0

    def temp(self, tag):
        self.count += 1
        return os.path.join(self.scratch, "%05d-%s.wav" % (self.count, tag))

    @staticmethod
    def sox(args):
        subprocess.run(["sox", "-R", "-V2"] + args, check=True)

    def layer(self, layer, channels):
        parts = [(delay, partial) for delay, partials in layer.notes for partial in partials]
        out = self.temp("layer")
        args = ["-r", str(RATE), "-c", str(len(parts)), "-n"] + FLOAT + [out, "synth", number(layer.length)]
        for _delay, (wave, freq, _amp) in parts:
            args.append(wave)
            if freq is not None:
                args.append(freq if isinstance(freq, str) else number(freq))
        shape, attack, release = layer.envelope
        args += ["fade", shape, number(attack), number(layer.length), number(release)]
        delays = [samples(delay) for delay, _partial in parts]
        if any(delays):
            args += ["delay"] + ["%ds" % d for d in delays]
        if channels == 1:
            sides = [1.0]
        else:
            angle = (layer.pan + 1.0) * math.pi / 4.0
            sides = [math.cos(angle) * math.sqrt(2.0), math.sin(angle) * math.sqrt(2.0)]
        args.append("remix")
        for side in sides:
            args.append(",".join("%dv%.5f" % (i + 1, amp * layer.gain * side)
                                 for i, (_delay, (_wave, _freq, amp)) in enumerate(parts)))
        # Filters run after the weights, so a filter's overshoot on a full-scale wave cannot clip.
        args += layer.effects
        if samples(layer.start) > 0:
            args += ["pad", "%ds" % samples(layer.start)]
        self.sox(args)
        return out

    def mix(self, inputs, effects=()):
        out = self.temp("mix")
        if len(inputs) == 1:
            self.sox([inputs[0]] + FLOAT + [out] + list(effects))
        else:
            args = ["-m"]
            for name in inputs:
                args += ["-v", "1", name]
            self.sox(args + FLOAT + [out] + list(effects))
        return out

    def layers(self, layers, channels, effects=(), level=1.0):
        for layer in layers:
            layer.gain *= level
        return self.mix([self.layer(layer, channels) for layer in layers], effects)

    @staticmethod
    def length(path):
        return int(subprocess.run(["soxi", "-s", path], check=True, capture_output=True, text=True).stdout)

    def padded(self, path, total):
        extra = total - self.length(path)
        if extra < 0:
            raise ValueError("%s is longer than %d samples" % (path, total))
        out = self.temp("pad")
        self.sox([path] + FLOAT + [out, "pad", "0", "%ds" % extra])
        return out

    def silence(self, count, channels):
        out = self.temp("silence")
        self.sox(["-r", str(RATE), "-c", str(channels), "-n"] + FLOAT + [out, "trim", "0", "%ds" % count])
        return out

    def concat(self, inputs):
        out = self.temp("concat")
        self.sox(list(inputs) + FLOAT + [out])
        return out

    def trimmed(self, path, start, count=None):
        out = self.temp("trim")
        args = [path] + FLOAT + [out, "trim", "%ds" % start]
        if count is not None:
            args.append("%ds" % count)
        self.sox(args)
        return out

    def encode(self, mixed, folder, name, quality, peak=None, loudness=None):
        """Writes folder/name.ogg, normalised either to its peak or to its loudness (see loudest_db);
        the stream serial comes from the name."""
        final = self.temp("final")
        if loudness is None:
            self.sox([mixed, "-e", "signed-integer", "-b", "16", final, "gain", "-n", number(peak)])
        else:
            frames, channels = read_samples(mixed)
            gain = loudness - loudest_db(frames, channels)
            if peak_db(frames) + gain > EFFECT_PEAK_LIMIT:
                raise ValueError("%s would peak at %.1f dBFS (above %.1f) at its loudness"
                                 % (name, peak_db(frames) + gain, EFFECT_PEAK_LIMIT))
            self.sox([mixed, "-e", "signed-integer", "-b", "16", final, "gain", number(gain)])
        target = os.path.join(folder, name + ".ogg")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        serial = zlib.crc32(name.encode()) & 0x7FFFFFFF
        subprocess.run(["oggenc", "--quiet", "--serial", str(serial), "-q", str(quality), "-o", target, final],
                       check=True)


# ---------------------------------------------------------------------------------------------
# Sound effects. Each returns its layers and the effects run over their mix.

def arpeggio(start, midis, step, make, length, amp=1.0, envelope=None):
    notes = [(i * step, make(m, amp)) for i, m in enumerate(midis)]
    return Layer(start, length, notes, envelope or ("l", 0.002, None))


def fx_btnmouseenter():
    return [Layer(0, 0.07, [(0, sine(2093, 0.7) + sine(3136, 0.3))], ("l", 0.002, 0.065))], []


def fx_btnmousedown():
    return [Layer(0, 0.09, [(0, sine("1400/700"))], ("l", 0.001, 0.085)),
            Layer(0, 0.02, [(0, noise("whitenoise", 0.4))], ("l", 0.0, 0.018), ["highpass", "3000"])], []


def fx_flywindow():
    # Four noise grains with a rising centre: a soft whoosh.
    grains = [Layer(0.07 * i, 0.22, [(0, noise())], ("q", 0.08, 0.12), ["bandpass", str(400 + 350 * i), "1.2q"],
                    gain=0.9 - 0.1 * i) for i in range(4)]
    return grains, ["lowpass", "5000"]


def fx_gamename():
    rise = arpeggio(0, [72, 76, 79, 84], 0.09, pluck, 1.2)
    chord = Layer(0.4, 1.6, [(0, bell(84, 0.6)), (0.02, bell(91, 0.4)), (0.04, bell(88, 0.3))], ("l", 0.005, 1.4))
    return [rise, chord], ["reverb", "40", "50", "70"]


def fx_mosaiccellover():
    return [Layer(0, 0.045, [(0, sine(1760, 0.8) + sine(2640, 0.2))], ("l", 0.002, 0.04))], []


def fx_cellmove():
    return [Layer(0, 0.12, [(0, sine("500/1100"))], ("l", 0.003, 0.11), ["lowpass", "3000"])], []


def fx_hint():
    sparkle = arpeggio(0, [88, 91, 93, 96, 100, 103], 0.07, bell, 0.45, 0.8, ("l", 0.002, 0.42))
    return [sparkle], ["reverb", "50", "40", "60"]


def fx_timerbonus():
    return [arpeggio(0, [79, 86], 0.12, bell, 0.5, 1.0, ("l", 0.003, 0.45))], ["reverb", "30"]


def fx_timeup():
    tones = [(0.32 * i, [("square", hz(m), 0.3), ("sine", hz(m), 0.7)]) for i, m in enumerate([69, 65, 62])]
    return [Layer(0, 0.5, tones, ("l", 0.01, 0.4), ["lowpass", "1400"])], ["reverb", "30"]


def fx_changemosaiccolor():
    # A brush dab: a short band of noise over a soft plucked note. It plays at every colour change,
    # so nothing in it hisses: the pluck's bright attack is cut above 5 kHz.
    swish = Layer(0, 0.22, [(0, noise())], ("q", 0.03, 0.17), ["bandpass", "1500", "0.9q"])
    note = Layer(0.02, 0.3, [(0, pluck(67, 0.5))], ("l", 0.0, 0.25))
    return [swish, note], ["lowpass", "5000"]


def fx_changemosaicshape():
    block = Layer(0, 0.14, [(0, sine(880, 0.6) + sine(1320, 0.3) + sine(2710, 0.1))], ("l", 0.001, 0.13))
    tick = Layer(0, 0.012, [(0, noise("whitenoise", 0.3))], ("l", 0.0, 0.01), ["bandpass", "2500", "1q"])
    return [block, tick], []


def fx_wrongmosaic():
    # Two short nasal buzzes a semitone apart: low enough to sound wrong, but pitched where the ear
    # is keen and small speakers play, so it cuts through the music.
    buzz = [("square", hz(66), 0.35), ("square", hz(67), 0.35)]
    return [Layer(0, 0.14, [(0, buzz)], ("t", 0.008, 0.04)),
            Layer(0.15, 0.18, [(0, buzz)], ("t", 0.008, 0.1))], ["highpass", "320", "lowpass", "3200"]


def fx_loselevel():
    fall = arpeggio(0, [69, 65, 62], 0.28, pluck, 0.9, 0.8)
    low = Layer(0.84, 1.5, [(0, pad(50, 0.5) + pad(53, 0.4) + pad(57, 0.4))], ("q", 0.2, 1.1), ["lowpass", "1200"])
    return [fall, low], ["reverb", "50", "50", "80"]


def fx_levelcomplete():
    rise = arpeggio(0, [72, 76, 79, 84], 0.12, pluck, 1.0)
    chord = Layer(0.5, 2.2, [(0, bell(72, 0.5) + bell(76, 0.4) + bell(79, 0.4) + bell(84, 0.5))], ("l", 0.005, 2.0))
    sparkle = arpeggio(0.62, [96, 100, 103, 108], 0.06, bell, 0.4, 0.3, ("l", 0.002, 0.38))
    return [rise, chord, sparkle], ["reverb", "50", "50", "80"]


def fx_findhiddencell():
    return [arpeggio(0, [100, 95, 103, 107], 0.08, bell, 0.5, 0.8, ("l", 0.002, 0.47))], ["reverb", "40"]


def fx_findpuzzle():
    sweep = Layer(0, 0.7, [(0, sine("400/1600", 0.5))], ("q", 0.2, 0.3))
    chime = arpeggio(0.6, [84, 88, 91], 0.05, bell, 0.9, 0.8, ("l", 0.003, 0.85))
    return [sweep, chime], ["reverb", "50", "50", "70"]


def fx_newpair():
    return [arpeggio(0, [81, 88], 0.07, pluck, 0.3)], []


def fx_getreward():
    return [arpeggio(0, [79, 83, 86, 91], 0.08, bell, 1.1, 0.8, ("l", 0.003, 1.0))], ["reverb", "50", "50", "70"]


def fx_tipwindow():
    # A page turned: two quick swishes of bright noise.
    return [Layer(0, 0.16, [(0, noise())], ("q", 0.05, 0.1), ["highpass", "1500"]),
            Layer(0.12, 0.22, [(0, noise(amp=0.8))], ("q", 0.03, 0.18), ["highpass", "2200", "lowpass", "7000"])], []


def fx_gotstar():
    return [Layer(0, 0.9, [(0, bell(88)), (0.06, bell(95, 0.6))], ("l", 0.003, 0.85))], ["reverb", "40", "50", "60"]


def fx_need_tool():
    return [Layer(0, 0.25, [(0, sine("180/110") + noise("brownnoise", 0.3))], ("l", 0.002, 0.23),
                  ["lowpass", "600"])], []


def fx_drop_tool():
    return [Layer(0, 0.2, [(0, sine("220/150"))], ("l", 0.002, 0.18)),
            Layer(0.01, 0.3, [(0, pluck(60, 0.5))], ("l", 0.0, 0.25))], []


def fx_move():
    return [Layer(0, 0.12, [(0, pluck(79, 0.8))], ("l", 0.0, 0.1))], []


def fx_winbells():
    peal = arpeggio(0, [84, 79, 76, 72, 76, 79, 84], 0.11, bell, 1.5, 0.7, ("l", 0.003, 0.8))
    return [peal], ["reverb", "50", "50", "80"]


def fx_winharp():
    sweep = arpeggio(0, [60, 64, 67, 72, 76, 79, 84, 88], 0.07, pluck, 1.4, 0.8)
    return [sweep], ["reverb", "60", "50", "90"]


def fx_winhorns():
    call = arpeggio(0, [67, 72, 76], 0.16, pad, 0.6, 0.8)
    held = Layer(0.48, 1.4, [(0, pad(72, 0.6) + pad(76, 0.5) + pad(79, 0.5))], ("q", 0.05, 1.2))
    return [call, held], ["reverb", "40", "50", "70"]


# The stages' own sound lists ("stages.xml", volume 0.9): the sound a level is won to. Not in "sounds.xml".
STAGE_SOUNDS = [("winbells", fx_winbells, 0.9, "win"), ("winharp", fx_winharp, 0.9, "win"),
                ("winhorns", fx_winhorns, 0.9, "win")]


# id -> (maker, volume in the list, role). Every name the game plays, in the order the list keeps.
# Sounds of one role are heard at one loudness; the roles rank how much a sound must be noticed.
EFFECTS = [
    ("btnmouseenter", fx_btnmouseenter, 0.5, "hover"),
    ("btnmousedown", fx_btnmousedown, 0.7, "action"),
    ("flywindow", fx_flywindow, 0.5, "action"),
    ("gamename", fx_gamename, 0.9, "fanfare"),
    ("mosaiccellover", fx_mosaiccellover, 0.3, "hover"),
    ("cellmove", fx_cellmove, 0.4, "action"),
    ("hint", fx_hint, 0.8, "chime"),
    ("timerbonus", fx_timerbonus, 0.7, "chime"),
    ("timeup", fx_timeup, 0.8, "alert"),
    ("changemosaiccolor", fx_changemosaiccolor, 0.7, "action"),
    ("changemosaicshape", fx_changemosaicshape, 0.6, "action"),
    ("wrongmosaic", fx_wrongmosaic, 1.0, "alert"),
    ("loselevel", fx_loselevel, 0.9, "fanfare"),
    ("levelcomplete", fx_levelcomplete, 1.0, "fanfare"),
    ("findhiddencell", fx_findhiddencell, 0.8, "chime"),
    ("findpuzzle", fx_findpuzzle, 0.9, "chime"),
    ("newpair", fx_newpair, 0.7, "action"),
    ("getreward", fx_getreward, 0.9, "chime"),
    ("tipwindow", fx_tipwindow, 0.6, "action"),
    ("gotstar", fx_gotstar, 0.9, "chime"),
    ("need_tool", fx_need_tool, 1.0, "alert"),
    ("drop_tool", fx_drop_tool, 0.7, "action"),
    ("move", fx_move, 0.6, "action"),
]

# The loudness each role is heard at, in dBFS of the loudest LOUDNESS_WINDOW of the file after the
# list's volume: hovering stays in the background; a stroke's dab sits well under the error buzz
# that must cut through it; the end-of-level jingles top the star chimes they follow, and a stage's
# own win sounds lie between the two.
ROLE_LEVELS = {"hover": -28.0, "action": -24.0, "alert": -16.0, "chime": -17.0, "win": -16.0, "fanfare": -14.5}
LOUDNESS_WINDOW = 0.4
# Sounds of one role may differ by this much (dB) once encoded.
ROLE_SPREAD = 3.0

# ---------------------------------------------------------------------------------------------
# Music: four-beat bars over a chord progression. Each bar is rendered with the tails of its notes;
# bars are laid end to end, and what rings past the last bar is folded onto the start, so the piece
# loops without a seam.

MAJOR = [0, 2, 4, 5, 7, 9, 11]
MINOR = [0, 2, 3, 5, 7, 8, 10]
# Scales every layer of a bar so that bars, their overlaps and the reverb stay below full scale
# before the finished piece is normalised.
BAR_LEVEL = 0.25


def into_range(midi, low, high):
    while midi < low:
        midi += 12
    while midi > high:
        midi -= 12
    return midi


class Lcg:
    """The melodies' fixed random choices, the same on every Python."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def below(self, n):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return (self.state >> 16) % n


class Track:
    def __init__(self, tempo, tonic, scale, progression, seed):
        self.beat = 60.0 / tempo
        self.tonic = tonic
        self.scale = scale
        self.progression = progression
        self.seed = seed

    def degree(self, step):
        octave, index = divmod(step, len(self.scale))
        return self.tonic + 12 * octave + self.scale[index]

    def chord(self, root, low, high):
        """The triad on a scale step, each note moved by octaves into low..high."""
        return sorted(into_range(self.degree(step), low, high) for step in (root, root + 2, root + 4))

    def melody_notes(self):
        """The melody's range: ten scale steps from the tonic an octave up."""
        return [self.degree(step) for step in range(7, 7 + 10)]


# Rhythms of a melody bar: (beat, beats held).
RHYTHMS = [
    [(0, 2), (2, 1), (3, 1)],
    [(0, 1.5), (1.5, 0.5), (2, 2)],
    [(0, 3), (3, 1)],
    [(1, 1), (2, 1), (3, 1)],
    [(0, 2), (2.5, 1.5)],
]


def bar_layers(track, index, rng, melody_state):
    bar_count = len(track.progression)
    beat = track.beat
    bar = 4 * beat
    root = track.progression[index]
    chord = track.chord(root, 53, 67)
    # Two pads, one each side, the right one in an open voicing; each rings into the next bar.
    open_chord = chord[1:] + [chord[0] + 12]
    layers = [Layer(0, bar + 1.0, [(0, pad(m, 0.5)) for m in notes], ("q", 0.7, 1.3), ["lowpass", "1600"], side, 0.5)
              for notes, side in ((chord, -0.5), (open_chord, 0.5))]
    bass = into_range(track.degree(root), 36, 47)
    layers.append(Layer(0, 2 * beat + 0.6, [(0, pad(bass, 0.8)), (2 * beat, pad(bass, 0.6))], ("l", 0.02, 0.8),
                        ["lowpass", "500"], gain=0.8))
    # Plucked arpeggio: quarter notes in the first and last quarter of the piece, eighths between.
    arp = track.chord(root, 60, 74)
    pattern = [arp[0], arp[1], arp[2], arp[0] + 12, arp[2], arp[1], arp[0], arp[1]]
    dense = bar_count // 4 <= index < bar_count - bar_count // 4
    step = beat / 2 if dense else beat
    picks = pattern if dense else pattern[::2]
    for parity, side in ((0, -0.35), (1, 0.35)):
        offset = parity * step
        notes = [(i * step - offset, pluck(m, 0.6)) for i, m in enumerate(picks) if i % 2 == parity]
        # A few milliseconds of attack: a pluck that jumps in at full level clicks, above all at the loop seam.
        layers.append(Layer(offset, 1.2, notes, ("l", 0.004, 0.9), ["lowpass", "3500"], side, 0.45))
    # Bell melody from the second bar on, resting on the last bar so the loop breathes.
    if 0 < index < bar_count - 1:
        scale_notes = track.melody_notes()
        chord_classes = {m % 12 for m in chord}
        for start, held in RHYTHMS[rng.below(len(RHYTHMS))]:
            position = min(max(melody_state[0] + rng.below(5) - 2, 0), len(scale_notes) - 1)
            # A note on the bar's first beat leans onto the nearest chord tone.
            if start == 0:
                for reach in (0, 1, -1, 2, -2):
                    candidate = min(max(position + reach, 0), len(scale_notes) - 1)
                    if scale_notes[candidate] % 12 in chord_classes:
                        position = candidate
                        break
            melody_state[0] = position
            length = held * beat + 0.8
            layers.append(Layer(start * beat, length, [(0, bell(scale_notes[position], 0.6))],
                                ("l", 0.01, 0.8 * length), pan=0.15, gain=0.55))
    return layers


def render_track(renderer, track):
    bar = samples(4 * track.beat)
    rng = Lcg(track.seed)
    melody_state = [4]
    bar_files = []
    for index in range(len(track.progression)):
        mixed = renderer.layers(bar_layers(track, index, rng, melody_state), 2, level=BAR_LEVEL)
        bar_files.append(renderer.padded(mixed, 2 * bar))
    # Bars overlap by their tails: even and odd bars go to two streams that are mixed.
    even = renderer.concat(bar_files[0::2])
    odd = renderer.concat([renderer.silence(bar, 2)] + bar_files[1::2])
    whole = renderer.mix([even, odd], ["pad", "0", "2", "reverb", "45", "50", "90", "60", "15", "-4"])
    loop = bar * len(track.progression)
    return renderer.mix([renderer.trimmed(whole, 0, loop), renderer.trimmed(whole, loop)])


# id, list, loop, volume, track. The menu theme loops for ever; each level track plays twice, then
# the list goes on to the next one.
MUSIC = [
    ("mainmenu", "music", -1, 0.8,
     Track(72, 53, MAJOR, [0, 5, 3, 4, 0, 5, 3, 4, 1, 4, 0, 5, 3, 4, 0, 0], 1201)),
    ("level1", "music1", 2, 0.8,
     Track(80, 50, MAJOR, [0, 3, 5, 4, 0, 3, 1, 4, 5, 3, 0, 4, 5, 3, 4, 4], 2402)),
    ("level2", "music1", 2, 0.8,
     Track(66, 57, MINOR, [0, 5, 2, 6, 0, 5, 3, 4, 3, 5, 6, 6], 3603)),
    ("level3", "music1", 2, 0.8,
     Track(88, 48, MAJOR, [0, 2, 3, 4, 0, 2, 1, 4, 3, 4, 2, 5, 1, 3, 4, 4], 4804)),
]


def sounds_xml():
    lines = ["<!-- Written by tools/make_sounds.py: change the script and run it again. The menu theme loops",
             "     without end; a level starts one of the \"music1\" tracks, each plays twice, then the next",
             "     follows. -->",
             "<sounds>"]
    for name, listname, loop, volume, _track in MUSIC:
        lines.append('  <%s id="%s" name="music/%s" loop="%d" volume="%.1f"/>' % (listname, name, name, loop, volume))
    for name, _maker, volume, _role in EFFECTS:
        lines.append('  <sound id="%s" name="sounds/%s" volume="%.1f"/>' % (name, name, volume))
    lines.append("</sounds>")
    return "\n".join(lines) + "\n"


def generate(folder):
    os.makedirs(folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        renderer = Renderer(scratch)
        for name, maker, volume, role in EFFECTS + STAGE_SOUNDS:
            layers, effects = maker()
            mixed = renderer.layers(layers, 1, effects, EFFECT_LEVEL)
            # The list's volume scales the file when played: the file makes up for it.
            loudness = ROLE_LEVELS[role] - 20.0 * math.log10(volume)
            renderer.encode(mixed, folder, "sounds/" + name, EFFECT_QUALITY, loudness=loudness)
        for name, _listname, _loop, _volume, track in MUSIC:
            mixed = render_track(renderer, track)
            renderer.encode(mixed, folder, "music/" + name, MUSIC_QUALITY, peak=MUSIC_PEAK)
    with open(os.path.join(folder, "sounds.xml"), "w", newline="\n") as out:
        out.write(sounds_xml())
    if measure(folder) != 0:
        raise SystemExit(1)


# ---------------------------------------------------------------------------------------------
# The numbers every finished file must meet, read back from the encoded files.

def read_samples(path):
    """The file's samples as floats (channels interleaved) and its channel count."""
    channels = int(subprocess.run(["soxi", "-c", path], check=True, capture_output=True, text=True).stdout)
    raw = subprocess.run(["sox", path, "-t", "raw"] + FLOAT + ["-"], check=True, capture_output=True).stdout
    frames = array.array("f")
    frames.frombytes(raw)
    return frames, channels


def to_db(power_ratio):
    return 10.0 * math.log10(max(power_ratio, 1e-20))


def peak_db(frames):
    return 2.0 * to_db(max((abs(v) for v in frames), default=0.0))


def loudest_db(frames, channels):
    """The RMS level of the loudest LOUDNESS_WINDOW (the whole file when shorter), in dBFS: what the ear
    takes as a short sound's loudness, untouched by how long its tail rings."""
    count = len(frames) // channels
    if count == 0:
        return -200.0
    running = [0.0]
    for i in range(count):
        energy = sum(frames[i * channels + c] ** 2 for c in range(channels)) / channels
        running.append(running[-1] + energy)
    window = min(samples(LOUDNESS_WINDOW), count)
    best = max(running[i + window] - running[i] for i in range(count - window + 1))
    return to_db(best / window)


def band_share(path, band):
    """The share of the file's energy that passes a sox sinc filter ("300-6000" band-pass, "8000" high-pass)."""
    def rms(filters):
        report = subprocess.run(["sox", path, "-n"] + filters + ["stats"], check=True, capture_output=True,
                                text=True).stderr
        line = next(line for line in report.splitlines() if line.startswith("RMS lev dB"))
        return float(line.split()[3])
    # A 20 Hz transition band: sox's default one is so wide that it takes 1 dB off a 500 Hz tone.
    return 10.0 ** ((rms(["sinc", "-t", "20", band]) - rms([])) / 10.0)


def seam_steps(frames, channels):
    """For each channel: the step from the last sample back to the first and the largest step inside, then
    the change of slope across the seam (the larger of its two sides) and the largest change inside. A
    loop whose seam breaks either is heard as a tick each time it starts again."""
    result = []
    for c in range(channels):
        x = frames[c::channels]
        if len(x) < 3:
            result.append((0.0, 0.0, 0.0, 0.0))
            continue
        inside = max(abs(b - a) for a, b in zip(x, x[1:]))
        bend = max(abs(a - 2 * b + d) for a, b, d in zip(x, x[1:], x[2:]))
        seam_bend = max(abs(x[-2] - 2 * x[-1] + x[0]), abs(x[-1] - 2 * x[0] + x[1]))
        result.append((abs(x[0] - x[-1]), inside, seam_bend, bend))
    return result


def measure(folder):
    """Checks the effects and music in folder: prints each number and returns 1 when one is out of bounds."""
    failures = []

    def expect(ok, text):
        print("  %s %s" % ("ok  " if ok else "FAIL", text))
        if not ok:
            failures.append(text)

    heard = {}
    lengths = {}
    for name, _maker, volume, role in EFFECTS + STAGE_SOUNDS:
        frames, channels = read_samples(os.path.join(folder, "sounds", name + ".ogg"))
        heard[name] = loudest_db(frames, channels) + 20.0 * math.log10(volume)
        lengths[name] = len(frames) / channels / RATE
        expect(peak_db(frames) <= 0.0, "%s peaks at %.1f dBFS, heard at %.1f dB (%s)"
               % (name, peak_db(frames), heard[name], role))
    wrong = os.path.join(folder, "sounds", "wrongmosaic.ogg")
    paint = os.path.join(folder, "sounds", "changemosaiccolor.ogg")
    share = band_share(wrong, "300-6000")
    expect(share >= 0.80, "wrongmosaic has %.0f%% of its energy in 300-6000 Hz (at least 80%%)" % (100 * share))
    share = band_share(paint, "8000")
    expect(share < 0.05, "changemosaiccolor has %.1f%% of its energy above 8 kHz (under 5%%)" % (100 * share))
    gap = heard["wrongmosaic"] - heard["changemosaiccolor"]
    expect(gap >= 6.0, "changemosaiccolor is %.1f dB below wrongmosaic (at least 6)" % gap)
    expect(heard["levelcomplete"] > heard["gotstar"] and lengths["levelcomplete"] > lengths["gotstar"],
           "levelcomplete is %.1f dB louder and %.2f s longer than gotstar (both above 0)"
           % (heard["levelcomplete"] - heard["gotstar"], lengths["levelcomplete"] - lengths["gotstar"]))
    for role in ROLE_LEVELS:
        levels = [heard[name] for name, _maker, _volume, r in EFFECTS + STAGE_SOUNDS if r == role]
        spread = max(levels) - min(levels)
        expect(spread <= ROLE_SPREAD, "the %s sounds lie within %.1f dB (at most %.0f)" % (role, spread, ROLE_SPREAD))
    for name, _listname, _loop, _volume, _track in MUSIC:
        frames, channels = read_samples(os.path.join(folder, "music", name + ".ogg"))
        for channel, (seam, inside, seam_bend, bend) in enumerate(seam_steps(frames, channels)):
            expect(seam <= inside, "music %s channel %d: loop seam step %.4f, largest step inside %.4f"
                   % (name, channel, seam, inside))
            expect(seam_bend <= bend, "music %s channel %d: change of slope at the seam %.4f, largest inside %.4f"
                   % (name, channel, seam_bend, bend))
    print("sound check: %s" % ("%d number(s) out of bounds" % len(failures) if failures else "all numbers in bounds"))
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--measure"]:
        ensure_packages()
        sys.exit(measure(generated_data.ASSETS))
    sys.exit(generated_data.run("Synthesise the game's sounds and music.", "sounds", generate, "make_sounds.py",
                                prepare=ensure_packages, owned=("sounds", "music")))
