#!/usr/bin/env python3
# SPDX-License-Identifier: CC-BY-SA-4.0
"""Zandoodle music: writes the show's Standard MIDI Files from the note data below.

    python3 compose.py OUTDIR

Writes ZNDL.MID (theme), 5.MID / 10.MID / 15.MID (countdown beds), 101.MID
(wrong answer / time's up) and 102.MID (correct answer).  Standard library
only, and the output is byte-for-byte the same on every run.

Note data
---------
Every voice is a plain string of whitespace-separated tokens:

    C5 q          note name + octave (C4 = middle C, 60), then a duration
    Bb3 e.        flats are 'b', sharps '#'
    C4+E4+G4 h    several notes struck together
    <Gm7> q       chord symbol, voiced close above the player's 'chordlow'
    r q           rest ('rest' works too)
    kick+crash q  GM drum names, drum tracks only (see DRUMS below)
    |             bar line: fails loudly if it doesn't fall on a bar boundary
    # ...         comment to the end of the line

Durations: w h q e s t (whole .. 32nd); a trailing '3' makes a triplet
(e3 = triplet eighth), dots add half the value each (q. , q..), and
pieces join with '+' (h+e = a half tied to an eighth).

After the duration, any of these modifiers:

    >         accent (louder)
    '         staccato (sounds for half the written length)
    _         tenuto (sounds for the full written length)
              (these three may also be stuck on the duration: q' e>)
    @96       exact velocity; with xN, @60-110 ramps across the repeats
    x4        play the event four times in a row
    bend:-1   sag the pitch by that many semitones over the back of the note
    wah:3     three plunger-mute "wah"s (expression swells) across the note
    exp:50-127  expression ramp across the note (a swell)

Directives change what follows in the voice:

    vel=90  transpose=5  gate=0.8  chordlow=F3

Each voice must fill the tune exactly (pad with rests), so a missing beat
shows up as an error here rather than as a tune that drifts.
"""

import math
import os
import re
import struct
import sys

PPQ = 480  # ticks per quarter note

GM_PROGRAMS = [
    "Acoustic Grand Piano", "Bright Acoustic Piano", "Electric Grand Piano",
    "Honky-tonk Piano", "Electric Piano 1", "Electric Piano 2", "Harpsichord",
    "Clavinet", "Celesta", "Glockenspiel", "Music Box", "Vibraphone", "Marimba",
    "Xylophone", "Tubular Bells", "Dulcimer", "Drawbar Organ", "Percussive Organ",
    "Rock Organ", "Church Organ", "Reed Organ", "Accordion", "Harmonica",
    "Tango Accordion", "Acoustic Guitar (nylon)", "Acoustic Guitar (steel)",
    "Electric Guitar (jazz)", "Electric Guitar (clean)", "Electric Guitar (muted)",
    "Overdriven Guitar", "Distortion Guitar", "Guitar Harmonics", "Acoustic Bass",
    "Electric Bass (finger)", "Electric Bass (pick)", "Fretless Bass",
    "Slap Bass 1", "Slap Bass 2", "Synth Bass 1", "Synth Bass 2", "Violin",
    "Viola", "Cello", "Contrabass", "Tremolo Strings", "Pizzicato Strings",
    "Orchestral Harp", "Timpani", "String Ensemble 1", "String Ensemble 2",
    "Synth Strings 1", "Synth Strings 2", "Choir Aahs", "Voice Oohs",
    "Synth Choir", "Orchestra Hit", "Trumpet", "Trombone", "Tuba",
    "Muted Trumpet", "French Horn", "Brass Section", "Synth Brass 1",
    "Synth Brass 2", "Soprano Sax", "Alto Sax", "Tenor Sax", "Baritone Sax",
    "Oboe", "English Horn", "Bassoon", "Clarinet", "Piccolo", "Flute",
    "Recorder", "Pan Flute", "Blown Bottle", "Shakuhachi", "Whistle", "Ocarina",
    "Lead 1 (square)", "Lead 2 (sawtooth)", "Lead 3 (calliope)",
    "Lead 4 (chiff)", "Lead 5 (charang)", "Lead 6 (voice)", "Lead 7 (fifths)",
    "Lead 8 (bass + lead)", "Pad 1 (new age)", "Pad 2 (warm)",
    "Pad 3 (polysynth)", "Pad 4 (choir)", "Pad 5 (bowed)", "Pad 6 (metallic)",
    "Pad 7 (halo)", "Pad 8 (sweep)", "FX 1 (rain)", "FX 2 (soundtrack)",
    "FX 3 (crystal)", "FX 4 (atmosphere)", "FX 5 (brightness)", "FX 6 (goblins)",
    "FX 7 (echoes)", "FX 8 (sci-fi)", "Sitar", "Banjo", "Shamisen", "Koto",
    "Kalimba", "Bagpipe", "Fiddle", "Shanai", "Tinkle Bell", "Agogo",
    "Steel Drums", "Woodblock", "Taiko Drum", "Melodic Tom", "Synth Drum",
    "Reverse Cymbal", "Guitar Fret Noise", "Breath Noise", "Seashore",
    "Bird Tweet", "Telephone Ring", "Helicopter", "Applause", "Gunshot",
]
assert len(GM_PROGRAMS) == 128

# GM percussion key map (channel 10), by the names used in the note data.
DRUMS = {
    "acoustic-bass-drum": 35, "kick": 36, "side-stick": 37, "snare": 38,
    "clap": 39, "electric-snare": 40, "low-floor-tom": 41, "closed-hat": 42,
    "high-floor-tom": 43, "pedal-hat": 44, "low-tom": 45, "open-hat": 46,
    "low-mid-tom": 47, "high-mid-tom": 48, "crash": 49, "high-tom": 50,
    "ride": 51, "china": 52, "ride-bell": 53, "tambourine": 54, "splash": 55,
    "cowbell": 56, "crash2": 57, "vibraslap": 58, "ride2": 59,
    "high-bongo": 60, "low-bongo": 61, "mute-high-conga": 62,
    "open-high-conga": 63, "low-conga": 64, "high-timbale": 65,
    "low-timbale": 66, "high-agogo": 67, "low-agogo": 68, "cabasa": 69,
    "maracas": 70, "short-whistle": 71, "long-whistle": 72, "short-guiro": 73,
    "long-guiro": 74, "claves": 75, "high-wood-block": 76,
    "low-wood-block": 77, "mute-cuica": 78, "open-cuica": 79,
    "mute-triangle": 80, "triangle": 81,
}

DRUM_CHANNEL = 9          # channel 10 counted from one
ACCENT = 18               # velocity added by '>'
STACCATO = 0.5            # sounding fraction for "'"
BEND_RANGE = 2            # semitones, set on the channel through RPN 0
CONTROL_STEP = 20         # ticks between pitch-bend / expression updates

DUR_BASE = {"w": 4 * PPQ, "h": 2 * PPQ, "q": PPQ, "e": PPQ // 2,
            "s": PPQ // 4, "t": PPQ // 8}
DUR_RE = re.compile(r"([whqest])(3?)(\.{0,2})$")
NOTE_RE = re.compile(r"([A-G])(bb|b|##|#)?(-?\d)$")
CHORD_RE = re.compile(r"<([A-G])(b|#)?([^>]*)>$")
PITCH_CLASS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
ACCIDENTAL = {None: 0, "#": 1, "##": 2, "b": -1, "bb": -2}
CHORD_SHAPES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
    "maj7": (0, 4, 7, 11), "6": (0, 4, 7, 9), "m6": (0, 3, 7, 9),
    "69": (0, 2, 4, 7, 9), "9": (0, 2, 4, 7, 10), "dim": (0, 3, 6),
    "dim7": (0, 3, 6, 9), "m7b5": (0, 3, 6, 10), "aug": (0, 4, 8),
    "sus4": (0, 5, 7),
}


class ScoreError(Exception):
    """A mistake in the note data."""


# ---------------------------------------------------------------------------
# Reading the note data
# ---------------------------------------------------------------------------

def parse_duration(tok):
    total = 0
    for piece in tok.split("+"):
        m = DUR_RE.match(piece)
        if not m:
            raise ScoreError(f"bad duration {tok!r}")
        ticks = DUR_BASE[m.group(1)]
        if m.group(2):
            ticks = ticks * 2 // 3
        add = ticks
        for _ in m.group(3):
            add //= 2
            ticks += add
        total += ticks
    return total


def note_number(name):
    m = NOTE_RE.match(name)
    if not m:
        raise ScoreError(f"bad note name {name!r}")
    n = (int(m.group(3)) + 1) * 12 + PITCH_CLASS[m.group(1)] + ACCIDENTAL[m.group(2)]
    if not 0 <= n <= 127:
        raise ScoreError(f"note {name!r} is outside the MIDI range")
    return n


def chord_notes(symbol, low):
    """Close voicing: every chord tone at its lowest pitch at or above `low`."""
    m = CHORD_RE.match(symbol)
    if not m or m.group(3) not in CHORD_SHAPES:
        raise ScoreError(f"unknown chord {symbol!r}")
    root = PITCH_CLASS[m.group(1)] + ACCIDENTAL[m.group(2)]
    notes = []
    for interval in CHORD_SHAPES[m.group(3)]:
        pc = (root + interval) % 12
        notes.append(low + (pc - low) % 12)
    return sorted(notes)


def is_modifier(tok):
    return (tok in (">", "'", "_") or tok.startswith("@") or ":" in tok
            or re.fullmatch(r"x\d+", tok) is not None)


def tokenize(text):
    tokens = []
    for line in text.splitlines():
        for tok in line.split():
            if tok.startswith("#"):
                break
            tokens.append(tok)
    return tokens


class Note:
    __slots__ = ("start", "length", "keys", "velocity", "sound", "mods")

    def __init__(self, start, length, keys, velocity, sound, mods):
        self.start = start          # tick the note is struck
        self.length = length        # written length in ticks
        self.keys = keys            # MIDI note numbers
        self.velocity = velocity
        self.sound = sound          # ticks it actually sounds
        self.mods = mods            # bend / wah / exp settings


def parse_voice(text, drums, bar_ticks, where, chordlow="G3"):
    """Returns (notes, total ticks) for one voice."""
    tokens = tokenize(text)
    pos = 0
    vel, transpose, gate = 90, 0, 0.9
    low = note_number(chordlow)
    notes = []
    i = 0

    def fail(msg):
        raise ScoreError(f"{where}, bar {pos // bar_ticks + 1}: {msg}")

    while i < len(tokens):
        tok = tokens[i]
        i += 1
        if tok == "|":
            if pos % bar_ticks:
                fail(f"bar line is {pos % bar_ticks} ticks past the bar boundary")
            continue
        if "=" in tok:
            key, _, value = tok.partition("=")
            try:
                if key == "vel":
                    vel = int(value)
                elif key == "transpose":
                    transpose = int(value)
                elif key == "gate":
                    gate = float(value)
                elif key == "chordlow":
                    low = note_number(value)
                else:
                    fail(f"unknown directive {tok!r}")
            except ValueError:
                fail(f"bad value in {tok!r}")
            continue
        if i >= len(tokens):
            fail(f"{tok!r} has no duration")
        dur = tokens[i]
        mods = []
        while dur and dur[-1] in ">'_":      # "q'" is shorthand for "q '"
            mods.insert(0, dur[-1])
            dur = dur[:-1]
        try:
            length = parse_duration(dur)
        except ScoreError as err:
            fail(str(err))
        i += 1
        while i < len(tokens) and is_modifier(tokens[i]):
            mods.append(tokens[i])
            i += 1

        keys = []
        if tok not in ("r", "rest"):
            for piece in tok.split("+"):
                try:
                    if drums:
                        if piece not in DRUMS:
                            fail(f"unknown drum {piece!r}")
                        keys.append(DRUMS[piece])
                    elif piece.startswith("<"):
                        keys.extend(k + transpose for k in chord_notes(piece, low))
                    else:
                        keys.append(note_number(piece) + transpose)
                except ScoreError as err:
                    fail(str(err))
            if any(not 0 <= k <= 127 for k in keys):
                fail(f"{tok!r} transposed out of range")

        repeat, ramp, accent, this_gate, extra = 1, None, 0, gate, {}
        for mod in mods:
            if mod == ">":
                accent += ACCENT
            elif mod == "'":
                this_gate = STACCATO
            elif mod == "_":
                this_gate = 1.0
            elif mod.startswith("@"):
                m = re.fullmatch(r"@(\d+)(?:-(\d+))?", mod)
                if not m:
                    fail(f"bad velocity {mod!r}")
                ramp = (int(m.group(1)), int(m.group(2) or m.group(1)))
            elif mod.startswith("x"):
                repeat = int(mod[1:])
                if repeat < 1:
                    fail("repeat count must be at least 1")
            else:
                key, _, value = mod.partition(":")
                try:
                    if key == "bend":
                        extra["bend"] = float(value)
                    elif key == "wah":
                        extra["wah"] = int(value)
                    elif key == "exp":
                        a, b = value.split("-")
                        extra["exp"] = (int(a), int(b))
                    else:
                        fail(f"unknown modifier {mod!r}")
                except ValueError:
                    fail(f"bad value in {mod!r}")
        if not keys and (ramp or accent or extra):
            fail("a rest can't carry velocity or expression")
        if "bend" in extra and abs(extra["bend"]) > BEND_RANGE:
            fail(f"bend is limited to {BEND_RANGE} semitones")

        for n in range(repeat):
            if keys:
                if ramp is None:
                    v = vel
                elif repeat == 1:
                    v = ramp[0]
                else:
                    v = round(ramp[0] + (ramp[1] - ramp[0]) * n / (repeat - 1))
                v = min(127, v + accent)
                if not 1 <= v <= 127:
                    fail(f"velocity {v} out of range")
                sound = max(1, round(length * this_gate))
                notes.append(Note(pos, length, keys, v, sound, extra))
            pos += length
    return notes, pos


# ---------------------------------------------------------------------------
# Tunes, players and MIDI output
# ---------------------------------------------------------------------------

class Player:
    def __init__(self, name, instrument, channel, voices, volume=100, pan=64,
                 reverb=40, chordlow="G3"):
        if instrument == "drums":
            if channel != DRUM_CHANNEL:
                raise ScoreError(f"{name}: drums belong on channel {DRUM_CHANNEL + 1}")
            self.program = None
        else:
            if instrument not in GM_PROGRAMS:
                raise ScoreError(f"{name}: {instrument!r} is not a GM instrument")
            if channel == DRUM_CHANNEL:
                raise ScoreError(f"{name}: channel {DRUM_CHANNEL + 1} is for drums")
            self.program = GM_PROGRAMS.index(instrument)
        self.name = name
        self.instrument = instrument
        self.channel = channel
        self.voices = voices if isinstance(voices, (list, tuple)) else [voices]
        self.volume, self.pan, self.reverb = volume, pan, reverb
        self.chordlow = chordlow


class Tune:
    def __init__(self, filename, title, bpm, bars, players, meter=(4, 4)):
        self.filename, self.title, self.bpm = filename, title, bpm
        self.meter = meter
        self.bar_ticks = PPQ * 4 * meter[0] // meter[1]
        self.bars = bars
        self.length = bars * self.bar_ticks
        self.players = players
        channels = [p.channel for p in players]
        if len(set(channels)) != len(channels):
            raise ScoreError(f"{filename}: two players share a channel")

    @property
    def seconds(self):
        return self.length / PPQ * 60.0 / self.bpm


def vlq(n):
    """MIDI variable-length quantity."""
    if not 0 <= n <= 0x0FFFFFFF:
        raise ValueError(f"{n} does not fit a variable-length quantity")
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append((n & 0x7F) | 0x80)
        n >>= 7
    return bytes(reversed(out))


def meta(kind, payload):
    return bytes([0xFF, kind]) + vlq(len(payload)) + payload


def chunk(tag, payload):
    return tag + struct.pack(">I", len(payload)) + payload


def track_bytes(events, end_tick):
    """events: (tick, order, seq, bytes). Sorted, delta-timed, closed off."""
    out = bytearray()
    now = 0
    for tick, _, _, data in sorted(events):
        out += vlq(tick - now) + data
        now = tick
    if end_tick < now:
        raise ScoreError("end of track before the last event")
    out += vlq(end_tick - now) + meta(0x2F, b"")
    return bytes(out)


# Same-tick ordering: set-up first, then releases, then controllers, then new notes.
SETUP, NOTE_OFF, CONTROL, NOTE_ON = 0, 1, 2, 3


def compile_player(player, tune):
    ch = player.channel
    notes = []
    for n, text in enumerate(player.voices, 1):
        where = f"{tune.filename} {player.name} voice {n}"
        voice_notes, total = parse_voice(text, player.program is None, tune.bar_ticks,
                                         where, player.chordlow)
        if total != tune.length:
            raise ScoreError(f"{where}: lasts {total} ticks, the tune is {tune.length}")
        notes.extend(voice_notes)

    events = []
    seq = 0

    def add(tick, order, data):
        nonlocal seq
        events.append((tick, order, seq, bytes(data)))
        seq += 1

    add(0, SETUP, meta(0x03, player.name.encode("ascii")))
    if player.program is not None:
        add(0, SETUP, [0xC0 | ch, player.program])
    add(0, SETUP, [0xB0 | ch, 7, player.volume])
    add(0, SETUP, [0xB0 | ch, 10, player.pan])
    add(0, SETUP, [0xB0 | ch, 91, player.reverb])
    add(0, SETUP, [0xB0 | ch, 11, 127])
    if any("bend" in n.mods for n in notes):
        for cc, val in ((101, 0), (100, 0), (6, BEND_RANGE), (38, 0), (101, 127), (100, 127)):
            add(0, SETUP, [0xB0 | ch, cc, val])

    # One key can only sound once per channel: where two voices overlap on the
    # same key, the earlier note is cut where the later one starts, and notes
    # struck together merge into one.
    spans = {}
    for note in notes:
        for key in note.keys:
            spans.setdefault(key, []).append([note.start, note.start + note.sound, note.velocity])
    note_count = 0
    for key in sorted(spans):
        merged = []
        for start, end, vel in sorted(spans[key], key=lambda s: (s[0], -s[1])):
            if merged and start < merged[-1][1]:
                if start == merged[-1][0]:
                    merged[-1][1] = max(merged[-1][1], end)
                    merged[-1][2] = max(merged[-1][2], vel)
                    continue
                merged[-1][1] = start
            merged.append([start, end, vel])
        for start, end, vel in merged:
            add(start, NOTE_ON, [0x90 | ch, key, vel])
            add(end, NOTE_OFF, [0x80 | ch, key, 64])
            note_count += 1

    for note in notes:
        start, end = note.start, note.start + note.sound
        if "bend" in note.mods:
            # Hold the pitch for the first third, then sag into the bend.
            sag_from = start + note.sound // 3
            full = note.mods["bend"] / BEND_RANGE * 8191
            for t in range(sag_from, end, CONTROL_STEP):
                frac = (t - sag_from) / max(1, end - sag_from)
                value = 8192 + round(full * frac ** 1.5)
                add(t, CONTROL, [0xE0 | ch, value & 0x7F, value >> 7])
            add(end, CONTROL, [0xE0 | ch, 0x00, 0x40])
        if "wah" in note.mods or "exp" in note.mods:
            for t in range(start, end, CONTROL_STEP):
                frac = (t - start) / max(1, end - start)
                if "exp" in note.mods:
                    a, b = note.mods["exp"]
                    level = a + (b - a) * frac
                else:
                    level = 127
                if "wah" in note.mods:
                    closed = 0.5 + 0.5 * math.cos(2 * math.pi * note.mods["wah"] * frac)
                    level -= 55 * closed
                add(t, CONTROL, [0xB0 | ch, 11, max(0, min(127, round(level)))])
            add(end, CONTROL, [0xB0 | ch, 11, 127])

    return track_bytes(events, tune.length), note_count


def tune_to_smf(tune):
    """Returns (file bytes, number of notes)."""
    num, den = tune.meter
    tempo = round(60_000_000 / tune.bpm)
    conductor = [
        (0, SETUP, 0, meta(0x03, f"Zandoodle - {tune.title}".encode("ascii"))),
        (0, SETUP, 1, meta(0x58, bytes([num, den.bit_length() - 1, 24, 8]))),
        (0, SETUP, 2, meta(0x51, tempo.to_bytes(3, "big"))),
    ]
    tracks = [track_bytes(conductor, tune.length)]
    total = 0
    for player in tune.players:
        data, count = compile_player(player, tune)
        tracks.append(data)
        total += count
    header = chunk(b"MThd", struct.pack(">HHH", 1, len(tracks), PPQ))
    return header + b"".join(chunk(b"MTrk", t) for t in tracks), total


# ---------------------------------------------------------------------------
# ZNDL.MID - the theme.  B-flat major, 144 bpm, 31 bars (about 52 seconds):
# intro (2) | hook (8) | hook again (8) | bridge (8) | coda (5)
# ---------------------------------------------------------------------------

HOOK = """
D5 e F5 e Bb5 q. A5 e Bb5 q |          # Bb
G5 e F5 e D5 e Bb4 e r e G4 e Bb4 q |  # Gm7
Eb5 e G5 e C6 q. Bb5 e G5 q |          # Cm7
A5 e G5 e F5 e Eb5 e C5 q r q |        # F7
D5 e F5 e Bb5 q. A5 e Bb5 q |          # Bb
D6 e C6 e Bb5 e Ab5 e F5 q D5 q |      # Bb7
Eb5 e G5 e Bb5 q Gb5 e Bb5 e Eb6 q |   # Eb  Ebm
"""
HOOK_TURNAROUND = "D6 q. Bb5 e C6 e A5 e F5 q |          # Bb/F  F7\n"
HOOK_LANDING = "Bb5 q > r e F5 e Bb5 q > r q |        # Bb, punched\n"

THEME_TRUMPET = """
vel=100
F5 q > r e F5 e > r e F5 e > r q |     # intro stabs on F7
r h F4 e A4 e C5 e Eb5 e |             # pickup into the hook
""" + HOOK + HOOK_TURNAROUND + "vel=106\n" + HOOK + HOOK_LANDING + """
vel=104
# bridge: the section calls, the trumpet answers with a run
A5 q. > F#5 e D5 h |                   # D7
r e C5 e D5 e F#5 e A5 e C6 e A5 q |   # D7
B5 q. > G5 e D5 h |                    # G7
r e D5 e F5 e G5 e B5 e D6 e B5 q |    # G7
G5 q. > E5 e C5 h |                    # C7
r e Bb4 e C5 e E5 e G5 e Bb5 e G5 q |  # C7
A5 q. > F5 e C5 q Eb5 q |              # F7
F5 e G5 e A5 e Bb5 e C6 q > r q |      # F7, everybody together
# coda
vel=108
D5 e F5 e Bb5 q. A5 e Bb5 q |          # Bb
G5 e F5 e D5 e Bb4 e r e G4 e Bb4 q |  # Gm7
C5 e Eb5 e G5 e C6 e A5 e C6 e Eb6 q | # Cm7  F7
D6 w _ > |                             # big Bb6/9, held
r q Bb5 q > r h |                      # the button
"""

THEME_SECTION = """
chordlow=F3 vel=92
F3+A3+Eb4 q > r e F3+A3+Eb4 e > r e F3+A3+Eb4 e > r q |
r h F3 e A3 e C4 e Eb4 e |
# first hook: soft pads underneath
vel=62
<Bb> w | <Gm7> w | <Cm7> w | <F7> w | <Bb> w | <Bb7> w | <Eb> h <Ebm> h |
<Bb> h <F7> h |
# second hook: a bit more push
vel=72
<Bb> w | <Gm7> w | <Cm7> w | <F7> w | <Bb> w | <Bb7> w | <Eb> h <Ebm> h |
vel=96
<Bb> q > r e <Bb> e <Bb> q > r q |
# bridge: harmonised calls under the trumpet
vel=88
C5+D5+F#5 q. > A4+C5+D5 e F#4+A4+C5 h |
r w |
D5+F5+G5 q. > B4+D5+F5 e F4+G4+B4 h |
r w |
Bb4+C5+E5 q. > G4+Bb4+C5 e E4+G4+Bb4 h |
r w |
C5+Eb5+F5 q. > A4+C5+Eb5 e Eb4+F4+A4 q F4+A4+C5 q |
vel=96
F3+F4 e G3+G4 e A3+A4 e Bb3+Bb4 e C4+C5 q > r q |
# coda
vel=74
<Bb> w | <Gm7> w | <Cm7> h <F7> h |
vel=100
Bb3+F4+G4+C5+D5 w _ > |
r q Bb3+D4+F4+Bb4 q > r h |
"""

THEME_PIANO = """
vel=84
<F7> q > r e <F7> e > r e <F7> e > r q |
r w |
vel=76
r q <Bb> q' r q <Bb> q' |
r q <Gm7> q' r q <Gm7> q' |
r q <Cm7> q' r q <Cm7> q' |
r q <F7> q' r q <F7> q' |
r q <Bb> q' r q <Bb> q' |
r q <Bb7> q' r q <Bb7> q' |
r q <Eb> q' r q <Ebm> q' |
r q <Bb> q' r q <F7> q' |

r q <Bb> q' r q <Bb> q' |
r q <Gm7> q' r q <Gm7> q' |
r q <Cm7> q' r q <Cm7> q' |
r q <F7> q' r q <F7> q' |
r q <Bb> q' r q <Bb> q' |
r q <Bb7> q' r q <Bb7> q' |
r q <Eb> q' r q <Ebm> q' |
<Bb> q > r e <Bb> e <Bb> q > r q |
# bridge: off-beat eighths to drive it along
r e <D7> e' r e <D7> e' r e <D7> e' r e <D7> e' |
r e <D7> e' r e <D7> e' r e <D7> e' r e <D7> e' |
r e <G7> e' r e <G7> e' r e <G7> e' r e <G7> e' |
r e <G7> e' r e <G7> e' r e <G7> e' r e <G7> e' |
r e <C7> e' r e <C7> e' r e <C7> e' r e <C7> e' |
r e <C7> e' r e <C7> e' r e <C7> e' r e <C7> e' |
r e <F7> e' r e <F7> e' r e <F7> e' r e <F7> e' |
F3+F4 e G3+G4 e A3+A4 e Bb3+Bb4 e C4+C5 q > r q |
# coda
r q <Bb> q' r q <Bb> q' |
r q <Gm7> q' r q <Gm7> q' |
r q <Cm7> q' r q <F7> q' |
vel=90
Bb2+F3+Bb3+D4+G4+C5 w _ > |
r q Bb1+Bb2+D4+F4+Bb4 q > r h |
"""

THEME_BASS = """
vel=100
F2 q > r e F2 e > r e F2 e > r q |
r h F2 e G2 e Ab2 e A2 e |
# hook: two-beat bounce with walk-ups
Bb2 q. r e F2 q. A2 e |   G2 q. r e D3 q. B2 e |
C3 q. r e G2 q. E2 e |    F2 q. r e C3 q. A2 e |
Bb2 q. r e F2 q. A2 e |   Bb2 q. r e D3 q. D2 e |
Eb2 q. r e Eb2 q. E2 e |  F2 q. r e F2 q. A2 e |

Bb2 q. r e F2 q. A2 e |   G2 q. r e D3 q. B2 e |
C3 q. r e G2 q. E2 e |    F2 q. r e C3 q. A2 e |
Bb2 q. r e F2 q. A2 e |   Bb2 q. r e D3 q. D2 e |
Eb2 q. r e Eb2 q. E2 e |  Bb2 q > r e F2 e Bb2 q > r q |
# bridge: walking quarters
D2 q F#2 q A2 q C3 q |    D3 q C3 q F#2 q A2 q |
G2 q B2 q D3 q F3 q |     G2 q A2 q B2 q Db3 q |
C3 q E2 q G2 q Bb2 q |    C3 q Bb2 q G2 q E2 q |
F2 q A2 q C3 q Eb3 q |    F2 e G2 e A2 e Bb2 e C3 q > r q |
# coda
Bb2 q. r e F2 q. A2 e |   G2 q. r e D3 q. B2 e |
C3 q. r e F2 q. A2 e |
Bb1 w _ > |
r q Bb1 q > r h |
"""

THEME_GLOCK = """
vel=70
r w x2 |
r w x8 |
# the second hook gets a sparkle an octave up
transpose=12
""" + HOOK + HOOK_LANDING + """
transpose=0
r w x8 |
r w x3 |
vel=80
D6 s F6 s Bb6 s D7 s r h. |
r q Bb6 q > r h |
"""

BACKBEAT = "r q snare q r q snare q |\n"
KICK_BOUNCE = "kick q r q kick e kick e r q |\n"
EIGHTH_HATS = "closed-hat e x8 |\n"
RIDE_BOUNCE = "ride q ride e ride e ride q ride e ride e |\n"

THEME_KICK = ("""
vel=104
kick q > r e kick e > r e kick e > r q |
r w |
""" + KICK_BOUNCE * 7 + "kick q r q kick q r q |\n"
    + KICK_BOUNCE * 7 + "kick q > r e kick e kick q > r q |\n"
    + "kick q x4 |\n" * 7 + "kick e x4 kick q > r q |\n"
    + KICK_BOUNCE * 3 + """
kick q > r h. |
r q kick q > r h |
""")

THEME_SNARE = ("""
vel=96
snare q > r e snare e > r e snare e > r q |
vel=84
snare e @70 snare e @76 snare e @82 snare e @88 high-tom e @92 high-mid-tom e @96 low-tom e @100 low-floor-tom e @104 |
vel=88
""" + BACKBEAT * 7 + "r q snare q r e snare e snare s high-tom s low-tom s low-floor-tom s |\n"
    + BACKBEAT * 7 + "r h. high-tom s high-mid-tom s low-tom s low-floor-tom s |\n"
    + BACKBEAT * 7 + "snare e x4 snare q > high-tom s high-mid-tom s low-tom s low-floor-tom s |\n"
    + BACKBEAT * 2 + """
r q snare q r q snare s x4 @80-100 |
snare t x8 @50-62 snare t x8 @66-78 snare t x8 @82-94 snare t x8 @98-112 |  # roll under the last chord
r q snare q > r h |
""")

THEME_HATS = ("""
vel=72
r w x2 |
""" + EIGHTH_HATS * 8 + RIDE_BOUNCE * 8
    + "closed-hat e open-hat e closed-hat e open-hat e closed-hat e open-hat e closed-hat e open-hat e |\n" * 7
    + "r w |\n" + RIDE_BOUNCE * 3 + "r w x2 |\n")

THEME_CYMBALS = """
vel=100
crash q > r h. |
r w |
crash w | r w x7 |                    # first hook
crash w | r w x6 | crash q > r q crash q > r q |   # second hook
crash w | r w x7 |                    # bridge
crash w | r w x2 |                    # coda
crash w > |
r q crash q > r h |
"""


def theme():
    return Tune("ZNDL.MID", "Theme", bpm=144, bars=31, players=[
        Player("Trumpet", "Trumpet", 0, THEME_TRUMPET, volume=108, pan=70),
        Player("Brass", "Brass Section", 1, THEME_SECTION, volume=96, pan=50, chordlow="F3"),
        Player("Piano", "Bright Acoustic Piano", 2, THEME_PIANO, volume=84, pan=82),
        Player("Bass", "Electric Bass (finger)", 3, THEME_BASS, volume=104, pan=64),
        Player("Glockenspiel", "Glockenspiel", 4, THEME_GLOCK, volume=80, pan=90),
        Player("Drums", "drums", DRUM_CHANNEL,
             [THEME_KICK, THEME_SNARE, THEME_HATS, THEME_CYMBALS], volume=100),
    ])


# ---------------------------------------------------------------------------
# 5.MID, 10.MID, 15.MID - countdown beds.  120 bpm in 2/4, so one bar is one
# second and every beat is one tick of the clock.  Each bed climbs through
# the cells below (written in A, transposed bar by bar by its plan), then all
# three finish with the same last three seconds: a dominant pedal on E with
# the strings climbing chromatically to G#, and a hit on A on the last beat.
# ---------------------------------------------------------------------------

COUNTDOWN_CELLS = {
    "pizz": {
        "calm":  "A3 e E4 e A3 e F4 e",
        "build": "A3 e E4 e A3 s A3 s F4 e",
        "drive": "A3 s E4 s A4 s E4 s A3 s F4 s A4 s F4 s",
    },
    "strings": {
        "calm":  "A3+E4 h",
        "build": "A3+E4 q A3+F4 q",
        "drive": "A4+E5 q A4+F5 q",
    },
    "bass": {
        "calm":  "A1 e' A1 e' r q",           # heartbeat
        "build": "A1 e' A1 e' r e A1 e'",
        "drive": "A1 e' A1 e' A1 e' A1 e'",
    },
    "timpani": {
        "calm":  "r h",
        "build": "r q A2 q",
        "drive": "A2 e x4",
    },
    "brass": {
        "calm":  "r h",
        "build": "r h",
        "drive": "A2+E3 h exp:40-110",
    },
    "hit": {
        "calm":  "r h",
        "build": "r h",
        "drive": "r h",
    },
    "clock": {
        "calm":  "high-wood-block q low-wood-block q",   # tick, tock
        "build": "high-wood-block q low-wood-block q",
        "drive": "high-wood-block q low-wood-block q",
    },
    "kick": {
        "calm":  "kick e kick e r q",
        "build": "kick e kick e r q",
        "drive": "kick q kick q",
    },
    "hats": {
        "calm":  "r h",
        "build": "closed-hat e x4",
        "drive": "closed-hat s x8",
    },
    "snare": {
        "calm":  "r h",
        "build": "r h",
        "drive": "r q snare q",
    },
}

# How much louder or softer than the plan's level each player plays.
COUNTDOWN_BALANCE = {
    "pizz": 0, "strings": -18, "bass": -6, "timpani": -10, "brass": -20,
    "hit": 0, "clock": 6, "kick": -4, "hats": -24, "snare": -14,
}

COUNTDOWN_FINALE = {
    "pizz": """
        vel=92 E4 s B4 s E4 s B4 s E4 s C5 s E4 s C5 s |
        vel=98 E4 s C#5 s E4 s C#5 s E4 s D5 s E4 s D5 s |
        vel=104 E4 s D#5 s E4 s D#5 s A3+E4+A4 e' r e |""",
    "strings": """
        vel=86 B4+E5 q B4+F5 q |
        vel=94 B4+F#5 q B4+G5 q |
        vel=102 B4+G#5 q A4+E5+A5 e' > r e |""",
    "bass": """
        vel=92 E2 e' x4 |
        vel=98 E2 s x8 |
        vel=104 E2 s x4 A1 e' > r e |""",
    "timpani": """
        vel=84 E2 e x4 |
        E2 s x8 @84-96 |
        r h |                 # timpani ring on for ages: let them clear before the end""",
    "brass": """
        vel=74 E3+B3 h exp:50-127 |
        vel=86 E3+B3+E4 h exp:60-127 |
        vel=96 E3+B3+E4+G#4 q A3+C4+E4+A4 e' > r e |""",
    "hit": """
        r h |
        r h |
        vel=90 r q A3+A4 s r e. |""",
    "clock": """
        vel=98 high-wood-block q low-wood-block q |
        vel=102 high-wood-block q low-wood-block q |
        vel=106 high-wood-block q r q |""",
    "kick": """
        vel=94 kick q kick q |
        vel=98 kick q kick e kick e |
        vel=104 kick q kick e > r e |""",
    "hats": """
        vel=72 closed-hat s x8 |
        vel=78 closed-hat s x8 |
        vel=84 closed-hat s x4 r q |""",
    "snare": """
        vel=80 r q snare q |
        snare s x8 @60-92 |
        snare t x8 @88-108 snare e > r e |""",
}

# (cell, semitones above A, level) for each second before the last three.
COUNTDOWN_PLANS = {
    5: [("calm", 0, 74), ("build", 3, 84)],
    10: [("calm", 0, 68), ("calm", 0, 70), ("calm", 0, 72),
         ("build", 1, 78), ("build", 2, 82),
         ("drive", 4, 88), ("drive", 6, 94)],
    15: [("calm", 0, 66), ("calm", 0, 68), ("calm", 0, 70), ("calm", 0, 72),
         ("build", 1, 76), ("build", 1, 78), ("build", 2, 81), ("build", 2, 84),
         ("drive", 3, 87), ("drive", 4, 90), ("drive", 5, 93), ("drive", 6, 96)],
}

COUNTDOWN_BAND = [
    # lane(s), track name, instrument, channel, volume, pan
    (["pizz"], "Pizzicato", "Pizzicato Strings", 0, 94, 44),
    (["strings"], "Tremolo", "Tremolo Strings", 1, 96, 84),
    (["bass"], "Bass", "Contrabass", 2, 100, 64),
    (["timpani"], "Timpani", "Timpani", 3, 100, 64),
    (["brass"], "Brass", "Brass Section", 4, 92, 70),
    (["hit"], "Hit", "Orchestra Hit", 5, 86, 64),
    (["clock", "kick", "hats", "snare"], "Clock", "drums", DRUM_CHANNEL, 90, 64),
]


def countdown_voice(lane, seconds):
    plan = COUNTDOWN_PLANS[seconds]
    pitched = lane not in ("clock", "kick", "hats", "snare")
    text = ""
    for cell, semitones, level in plan:
        text += f"vel={level + COUNTDOWN_BALANCE[lane]} "
        if pitched:
            text += f"transpose={semitones} "
        text += COUNTDOWN_CELLS[lane][cell] + " |\n"
    return text + "transpose=0\n" + COUNTDOWN_FINALE[lane]


def countdown(seconds):
    bars = len(COUNTDOWN_PLANS[seconds]) + 3
    if bars != seconds:
        raise ScoreError(f"the {seconds}-second plan lasts {bars} seconds")
    players = [Player(name, instrument, channel,
                  [countdown_voice(lane, seconds) for lane in lanes],
                  volume=volume, pan=pan, reverb=16)
             for lanes, name, instrument, channel, volume, pan in COUNTDOWN_BAND]
    return Tune(f"{seconds}.MID", f"{seconds} second countdown", bpm=120,
                bars=bars, meter=(2, 4), players=players)


# ---------------------------------------------------------------------------
# 101.MID - wrong answer / time's up: a trombone sighing down a diminished
# triad, then sagging half a step further with a plunger wah.  Two seconds.
# ---------------------------------------------------------------------------

WRONG_TROMBONE = """
vel=120
Bb3 e. wah:1 G3 e. wah:1 E3 e. wah:1 Eb3 q+e+s _ wah:4 bend:-1 |
"""
WRONG_TUBA = """
vel=96
Bb2 e. G2 e. E2 e. Eb2 q+e+s _ bend:-1 |
"""
WRONG_TIMPANI = """
vel=72
Bb2 e. r e. r e. Eb2 q+e+s |
"""


def wrong():
    return Tune("101.MID", "Wrong answer", bpm=120, bars=1, players=[
        Player("Trombone", "Trombone", 0, WRONG_TROMBONE, volume=127, pan=60),
        Player("Tuba", "Tuba", 1, WRONG_TUBA, volume=120, pan=70),
        Player("Timpani", "Timpani", 2, WRONG_TIMPANI, volume=96, pan=64),
    ])


# ---------------------------------------------------------------------------
# 102.MID - correct answer: a triplet run up a D major arpeggio into a held
# chord with a cymbal crash and a glockenspiel sparkle.  Two seconds.
# ---------------------------------------------------------------------------

RIGHT_TRUMPET = """
vel=104
A4 e3 D5 e3 F#5 e3 A5 e. > F#5 s D6 h _ > |
"""
RIGHT_SECTION = """
vel=92
A3 e3 D4 e3 F#4 e3 D4+F#4+A4 e. A3+D4+F#4 s A3+D4+F#4+A4+D5 h _ > |
"""
RIGHT_TROMBONE = """
vel=96
r q D3+A3 e. D3+A3 s D2+D3+A3 h _ > |
"""
RIGHT_GLOCK = """
vel=88
r h D6 s F#6 s A6 s D7 s D7+F#7 q |
"""
RIGHT_TIMPANI = """
r q A2 s x4 @70-92 D2 h > |
"""
RIGHT_DRUMS = [
    "snare e3 x3 @64-84 snare e. @90 snare s @96 kick h > |",
    "vel=104 r h crash h > |",
]


def right():
    return Tune("102.MID", "Correct answer", bpm=120, bars=1, players=[
        Player("Trumpet", "Trumpet", 0, RIGHT_TRUMPET, volume=110, pan=70),
        Player("Brass", "Brass Section", 1, RIGHT_SECTION, volume=96, pan=54),
        Player("Trombone", "Trombone", 2, RIGHT_TROMBONE, volume=92, pan=40),
        Player("Glockenspiel", "Glockenspiel", 3, RIGHT_GLOCK, volume=84, pan=96),
        Player("Timpani", "Timpani", 4, RIGHT_TIMPANI, volume=96, pan=64),
        Player("Drums", "drums", DRUM_CHANNEL, RIGHT_DRUMS, volume=100),
    ])


def all_tunes():
    return [theme(), countdown(5), countdown(10), countdown(15), wrong(), right()]


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} OUTDIR", file=sys.stderr)
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    try:
        tunes = all_tunes()
        for tune in tunes:
            data, notes = tune_to_smf(tune)
            with open(os.path.join(outdir, tune.filename), "wb") as f:
                f.write(data)
            print(f"{tune.filename:9s} {tune.seconds:6.2f} s  {len(tune.players) + 1} tracks  "
                  f"{notes:4d} notes  {tune.title}")
    except ScoreError as err:
        print(f"compose.py: {err}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
