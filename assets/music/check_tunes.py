#!/usr/bin/env python3
# SPDX-License-Identifier: CC-BY-SA-4.0
"""Checks the game's music files.

    python3 check_tunes.py DIR            check the six tunes in DIR
    python3 check_tunes.py DIR --self-test   also prove the checker rejects broken files

Every file is parsed as a Standard MIDI File from scratch (header, chunks,
variable-length quantities, running status, meta / sysex lengths,
end-of-track), then checked as music: every note released, instruments
chosen, sensible velocities, a length that fits what the game uses it for,
and the few things each cue has to do (the countdowns tick on every beat and
get busier and louder, the theme ends on a crash, the wrong-answer sting
falls, the right-answer one lands on a major chord).

Prints one line per file and exits non-zero if anything is wrong.
"""

import os
import struct
import sys

DRUM_CHANNEL = 9
CRASHES = {49, 57}
BRASS = range(56, 64)        # GM Trumpet .. Synth Brass 2
TROMBONE = 57
TICK_SLOP = 0.5              # seconds a countdown may be off by


class MidiError(Exception):
    """The bytes are not a well-formed Standard MIDI File."""


# ---------------------------------------------------------------------------
# Parsing
# ---------------------------------------------------------------------------

META_LENGTHS = {0x00: (0, 2), 0x20: (1,), 0x21: (1,), 0x2F: (0,), 0x51: (3,),
                0x54: (5,), 0x58: (4,), 0x59: (2,)}


def read_vlq(data, pos, end):
    value = 0
    for _ in range(4):
        if pos >= end:
            raise MidiError("variable-length quantity runs off the end of its track")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos
    raise MidiError("variable-length quantity longer than four bytes")


def parse_track(data, pos, end, number):
    """Returns [(tick, kind, ...)] for one MTrk body."""
    events = []
    tick = 0
    running = None

    def fail(msg):
        raise MidiError(f"track {number}: {msg}")

    while pos < end:
        try:
            delta, pos = read_vlq(data, pos, end)
        except MidiError as err:
            fail(str(err))
        tick += delta
        if pos >= end:
            fail("delta time with no event after it")
        status = data[pos]
        if status == 0xFF:
            if pos + 2 > end:
                fail("truncated meta event")
            kind = data[pos + 1]
            if kind & 0x80:
                fail("meta event type out of range")
            try:
                length, pos = read_vlq(data, pos + 2, end)
            except MidiError as err:
                fail(str(err))
            if pos + length > end:
                fail(f"meta event 0x{kind:02X} runs past the end of the track")
            if kind in META_LENGTHS and length not in META_LENGTHS[kind]:
                fail(f"meta event 0x{kind:02X} has length {length}")
            payload = bytes(data[pos:pos + length])
            pos += length
            running = None
            events.append((tick, "meta", kind, payload))
            if kind == 0x2F:
                if pos != end:
                    fail(f"{end - pos} bytes after end-of-track")
                return events
        elif status in (0xF0, 0xF7):
            try:
                length, pos = read_vlq(data, pos + 1, end)
            except MidiError as err:
                fail(str(err))
            if pos + length > end:
                fail("sysex runs past the end of the track")
            events.append((tick, "sysex", bytes(data[pos:pos + length])))
            pos += length
            running = None
        elif status >= 0xF0:
            fail(f"status 0x{status:02X} is not allowed in a MIDI file")
        else:
            if status & 0x80:
                running = status
                pos += 1
            elif running is None:
                fail(f"data byte 0x{status:02X} with no running status")
            kind, channel = running & 0xF0, running & 0x0F
            size = 1 if kind in (0xC0, 0xD0) else 2
            if pos + size > end:
                fail("truncated channel message")
            args = data[pos:pos + size]
            if any(b & 0x80 for b in args):
                fail("status byte where a data byte belongs")
            pos += size
            if kind == 0x90 and args[1] > 0:
                events.append((tick, "on", channel, args[0], args[1]))
            elif kind in (0x80, 0x90):
                events.append((tick, "off", channel, args[0]))
            elif kind == 0xB0:
                events.append((tick, "cc", channel, args[0], args[1]))
            elif kind == 0xC0:
                events.append((tick, "program", channel, args[0]))
            elif kind == 0xE0:
                events.append((tick, "bend", channel, args[0] | (args[1] << 7)))
            else:
                events.append((tick, "other", channel))
    fail("no end-of-track event")


class Smf:
    def __init__(self, fmt, division, tracks):
        self.format, self.division, self.tracks = fmt, division, tracks


def parse_smf(data):
    if len(data) < 14 or data[:4] != b"MThd":
        raise MidiError("no MThd header")
    (header_len,) = struct.unpack(">I", data[4:8])
    if header_len != 6:
        raise MidiError(f"MThd length is {header_len}, not 6")
    fmt, ntracks, division = struct.unpack(">HHH", data[8:14])
    if fmt > 2:
        raise MidiError(f"unknown format {fmt}")
    if division & 0x8000 or division == 0:
        raise MidiError("division is not in ticks per quarter note")
    pos = 14
    tracks = []
    while pos < len(data):
        if len(data) - pos < 8:
            raise MidiError("truncated chunk header at the end of the file")
        tag = data[pos:pos + 4]
        (length,) = struct.unpack(">I", data[pos + 4:pos + 8])
        body, end = pos + 8, pos + 8 + length
        if end > len(data):
            raise MidiError(f"chunk {len(tracks) + 1} runs {end - len(data)} bytes past the end of the file")
        if tag == b"MTrk":
            tracks.append(parse_track(data, body, end, len(tracks) + 1))
        elif not all(0x20 <= c < 0x7F for c in tag):
            raise MidiError("garbage where a chunk should start")
        pos = end
    if len(tracks) != ntracks:
        raise MidiError(f"header promises {ntracks} tracks, file has {len(tracks)}")
    return Smf(fmt, division, tracks)


# ---------------------------------------------------------------------------
# What the file sounds like, in seconds
# ---------------------------------------------------------------------------

class Timeline:
    def __init__(self, smf):
        tempos = sorted((ev[0], int.from_bytes(ev[3], "big"))
                        for track in smf.tracks for ev in track
                        if ev[1] == "meta" and ev[2] == 0x51)
        if not tempos:
            raise MidiError("no tempo event")
        if tempos[0][0] != 0:
            raise MidiError("the first tempo event is not at the start")
        self.tempos = tempos
        self.division = smf.division

    def seconds(self, tick):
        total, last_tick, last_tempo = 0.0, 0, self.tempos[0][1]
        for at, tempo in self.tempos:
            if at >= tick:
                break
            total += (at - last_tick) * last_tempo / self.division / 1e6
            last_tick, last_tempo = at, tempo
        return total + (tick - last_tick) * last_tempo / self.division / 1e6

    def tempo_at(self, tick):
        current = self.tempos[0][1]
        for at, tempo in self.tempos:
            if at <= tick:
                current = tempo
        return current


class Note:
    __slots__ = ("start", "end", "channel", "key", "velocity", "program")

    def __init__(self, start, end, channel, key, velocity, program):
        self.start, self.end = start, end
        self.channel, self.key, self.velocity, self.program = channel, key, velocity, program


def collect_notes(smf, problems):
    """Pairs note-ons with note-offs; reports hanging, doubled and stray notes."""
    notes = []
    for number, track in enumerate(smf.tracks, 1):
        program = {}
        sounding = {}
        for ev in track:
            tick, kind = ev[0], ev[1]
            if kind == "program":
                program[ev[2]] = ev[3]
            elif kind == "on":
                channel, key, vel = ev[2], ev[3], ev[4]
                if channel != DRUM_CHANNEL and channel not in program:
                    problems.append(f"track {number}: channel {channel + 1} plays before any program change")
                    program[channel] = None
                if (channel, key) in sounding:
                    problems.append(f"track {number}: key {key} struck again before it was released")
                    continue
                sounding[(channel, key)] = (tick, vel, program.get(channel))
            elif kind == "off":
                channel, key = ev[2], ev[3]
                if (channel, key) not in sounding:
                    problems.append(f"track {number}: key {key} released but never struck")
                    continue
                start, vel, prog = sounding.pop((channel, key))
                notes.append(Note(start, tick, channel, key, vel, prog))
        for (channel, key), (start, _, _) in sorted(sounding.items()):
            problems.append(f"track {number}: key {key} on channel {channel + 1} is never released")
    return notes


# ---------------------------------------------------------------------------
# The checks
# ---------------------------------------------------------------------------

def check_structure(smf, problems):
    if smf.format != 1:
        problems.append(f"format {smf.format}, expected 1")
    if smf.division != 480:
        problems.append(f"{smf.division} ticks per quarter, expected 480")
    if len(smf.tracks) < 2:
        problems.append("a format 1 file needs a tempo track and at least one music track")


def check_level(notes, problems):
    velocities = sorted(n.velocity for n in notes)
    if not velocities:
        problems.append("no notes at all")
        return
    median = velocities[len(velocities) // 2]
    if velocities[-1] < 80:
        problems.append(f"loudest note has velocity {velocities[-1]}: too quiet")
    if not 50 <= median <= 115:
        problems.append(f"median velocity {median} is outside 50..115")
    if any(n.end <= n.start for n in notes):
        problems.append("a note has no length")


def check_countdown(seconds, smf, timeline, notes, end_tick, problems):
    end, last = timeline.seconds(end_tick), timeline.seconds(max(n.end for n in notes))
    if abs(end - seconds) > TICK_SLOP:
        problems.append(f"lasts {end:.2f} s, should be {seconds} +/- {TICK_SLOP} s")
    if abs(last - seconds) > TICK_SLOP:
        problems.append(f"last note ends at {last:.2f} s, should be near {seconds} s")

    # The clock: something is struck on every beat, at 60 or 120 bpm.
    onsets = {n.start for n in notes}
    beat = smf.division
    for tick in range(0, end_tick, beat):
        bpm = 60e6 / timeline.tempo_at(tick)
        if round(bpm) not in (60, 120):
            problems.append(f"{bpm:.0f} bpm at {timeline.seconds(tick):.2f} s; the clock runs at 60 or 120")
            break
        if tick not in onsets:
            problems.append(f"no tick of the clock on the beat at {timeline.seconds(tick):.2f} s")
            break

    # Busier and louder at the end than at the start.
    third = end / 3
    first = [n for n in notes if timeline.seconds(n.start) < third]
    final = [n for n in notes if timeline.seconds(n.start) >= 2 * third]
    if not first or not final:
        problems.append("silent for a whole third of its length")
    else:
        if len(final) <= len(first):
            problems.append(f"{len(final)} notes in the last third vs {len(first)} in the first: not getting busier")
        mean_first = sum(n.velocity for n in first) / len(first)
        mean_final = sum(n.velocity for n in final) / len(final)
        if mean_final <= mean_first:
            problems.append(f"mean velocity {mean_final:.0f} at the end vs {mean_first:.0f} at the start: not getting louder")

    # A hit on the final beat: several instruments struck together.
    last_beat = [n for n in notes if n.start >= end_tick - beat]
    by_tick = {}
    for n in last_beat:
        by_tick.setdefault(n.start, set()).add((n.channel, n.key))
    if not by_tick or max(len(v) for v in by_tick.values()) < 3:
        problems.append("no hit (three or more notes together) on the final beat")


def check_theme(lo, hi, smf, timeline, notes, end_tick, problems):
    end = timeline.seconds(end_tick)
    if not lo <= end <= hi:
        problems.append(f"lasts {end:.2f} s, should be {lo}..{hi} s")
    if not any(n.program in BRASS for n in notes):
        problems.append("no brass")
    drums = [n for n in notes if n.channel == DRUM_CHANNEL]
    if not drums:
        problems.append("no drum kit")
    last_drum = max((n.start for n in drums), default=0)
    if not any(n.key in CRASHES and n.start == last_drum for n in drums):
        problems.append("does not end on a crash cymbal")


def check_sting(lo, hi, mood, smf, timeline, notes, end_tick, problems):
    end = timeline.seconds(end_tick)
    if not lo <= end <= hi:
        problems.append(f"lasts {end:.2f} s, should be {lo}..{hi} s")
    if mood == "wrong":
        lead = sorted((n for n in notes if n.program == TROMBONE), key=lambda n: n.start)
        if len(lead) < 3:
            problems.append("needs a trombone playing at least three notes")
        elif any(b.key >= a.key for a, b in zip(lead, lead[1:])):
            problems.append("the trombone line does not keep falling")
    else:
        melodic = [n for n in notes if n.channel != DRUM_CHANNEL]
        if not any(n.program in BRASS for n in melodic):
            problems.append("no brass")
        if not any(n.key in CRASHES for n in notes if n.channel == DRUM_CHANNEL):
            problems.append("no cymbal crash")
        # The chord sounding when the last melodic note is struck must be major.
        if melodic:
            at = max(n.start for n in melodic)
            classes = {n.key % 12 for n in melodic if n.start <= at < n.end}
            if not any({r, (r + 4) % 12, (r + 7) % 12} <= classes and (r + 3) % 12 not in classes
                       for r in classes):
                problems.append(f"final chord {sorted(classes)} is not a major triad")


# What each file is for, and the check that goes with it.
TUNES = {
    "ZNDL.MID": ("theme", lambda *a: check_theme(30.0, 60.0, *a)),
    "5.MID": ("countdown", lambda *a: check_countdown(5, *a)),
    "10.MID": ("countdown", lambda *a: check_countdown(10, *a)),
    "15.MID": ("countdown", lambda *a: check_countdown(15, *a)),
    "101.MID": ("wrong", lambda *a: check_sting(1.5, 3.0, "wrong", *a)),
    "102.MID": ("correct", lambda *a: check_sting(1.5, 2.5, "right", *a)),
}


def check_file(name, data):
    """Returns (problems, summary)."""
    role, check_role = TUNES[name]
    problems = []
    try:
        smf = parse_smf(data)
        timeline = Timeline(smf)
    except MidiError as err:
        return [f"malformed: {err}"], role
    check_structure(smf, problems)
    notes = collect_notes(smf, problems)
    check_level(notes, problems)
    end_tick = max(track[-1][0] for track in smf.tracks)
    if notes:
        check_role(smf, timeline, notes, end_tick, problems)
    summary = (f"{role:9s} {timeline.seconds(end_tick):6.2f} s "
               f"(last note ends {timeline.seconds(max((n.end for n in notes), default=0)):6.2f} s), "
               f"{len(smf.tracks)} tracks, {len(notes)} notes")
    return problems, summary


# ---------------------------------------------------------------------------
# Self-test: broken copies of a real file must be rejected
# ---------------------------------------------------------------------------

def _track_chunks(data):
    pos, chunks = 14, []
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos + 4:pos + 8])
        chunks.append((pos, length))
        pos += 8 + length
    return chunks


def _with_track(data, pos, length, new_body):
    """`data` with the chunk at `pos` given a new body and a matching length."""
    return data[:pos + 4] + struct.pack(">I", len(new_body)) + new_body + data[pos + 8 + length:]


def _corruptions(data):
    """(fault, broken bytes, what the checker must say about it)."""
    chunks = _track_chunks(data)
    tempo_pos, tempo_len = chunks[0]
    music_pos, music_len = chunks[1]
    tempo_track = data[tempo_pos + 8:tempo_pos + 8 + tempo_len]
    music = data[music_pos + 8:music_pos + 8 + music_len]
    eot = music.rfind(b"\xff\x2f\x00")
    out = [
        ("file cut short", data[:-5], "past the end of the file"),
        ("header says format 0", data[:8] + b"\x00\x00" + data[10:], "format 0"),
        ("wrong track count", data[:10] + struct.pack(">H", len(chunks) + 1) + data[12:],
         "promises"),
        ("wrong division", data[:12] + struct.pack(">H", 96) + data[14:], "ticks per quarter"),
        ("track length one byte long",
         data[:music_pos + 4] + struct.pack(">I", music_len + 1) + data[music_pos + 8:],
         "after end-of-track"),
        ("track length one byte short",
         data[:music_pos + 4] + struct.pack(">I", music_len - 1) + data[music_pos + 8:],
         "track 2"),
        ("end-of-track missing",
         _with_track(data, music_pos, music_len, music[:eot] + b"\xff\x01\x00" + music[eot + 3:]),
         "no end-of-track"),
        ("five-byte delta time",
         _with_track(data, music_pos, music_len, b"\x81\x81\x81\x81\x01\xff\x01\x00" + music),
         "longer than four bytes"),
        ("data byte without a status", _with_track(data, music_pos, music_len, b"\x00\x40" + music),
         "no running status"),
        ("meta event longer than its track",
         _with_track(data, music_pos, music_len, b"\x00\xff\x01\x7f" + music[:20]),
         "runs past the end of the track"),
        ("no tempo", _with_track(data, tempo_pos, tempo_len,
                                 tempo_track.replace(b"\xff\x51\x03", b"\xff\x01\x03")),
         "no tempo"),
    ]
    # Turn the first note-off of the music track into another note-on: that key hangs.
    status_at = _first_event_offset(music, 0x80)
    if status_at is not None:
        patched = bytearray(music)
        patched[status_at] = 0x90 | (patched[status_at] & 0x0F)
        patched[status_at + 2] = 100
        out.append(("note never released",
                    _with_track(data, music_pos, music_len, bytes(patched)), "released"))
    return out


def _first_event_offset(track, status_kind):
    """Offset of the first channel event of that kind (files written without running status)."""
    pos = 0
    while pos < len(track):
        _, pos = read_vlq(track, pos, len(track))
        status = track[pos]
        if status == 0xFF:
            length, p = read_vlq(track, pos + 2, len(track))
            pos = p + length
        elif status & 0xF0 == status_kind:
            return pos
        else:
            pos += 2 if status & 0xF0 in (0xC0, 0xD0) else 3
    return None


def self_test(directory):
    with open(os.path.join(directory, "ZNDL.MID"), "rb") as f:
        good = f.read()
    failures = 0
    problems, _ = check_file("ZNDL.MID", good)
    cases = [("untouched file passes", not problems, "; ".join(problems))]
    for what, broken, expected in _corruptions(good):
        problems, _ = check_file("ZNDL.MID", broken)
        said = "; ".join(problems)
        cases.append((f"rejects {what}", expected in said, said or "accepted"))
    for what, ok, said in cases:
        print(f"{'ok  ' if ok else 'FAIL'} self-test: {what}" + ("" if ok else f" ({said})"))
        failures += not ok
    return failures


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    if len(args) != 1:
        print(f"usage: {argv[0]} DIR [--self-test]", file=sys.stderr)
        return 2
    directory = args[0]
    failed, passed = 0, 0
    for name in TUNES:
        path = os.path.join(directory, name)
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as err:
            print(f"FAIL {name:9s} cannot read: {err.strerror}")
            failed += 1
            continue
        problems, summary = check_file(name, data)
        if problems:
            print(f"FAIL {name:9s} {summary}: " + "; ".join(problems))
            failed += 1
        else:
            print(f"ok   {name:9s} {summary}")
            passed += 1
    if "--self-test" in argv:
        failed += self_test(directory)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
