#!/usr/bin/env python3
"""Writes dist/tavrel.mid, the tune of the About box: eight bars in C major,
a vibraphone melody over piano chords, as a standard MIDI file of format 0."""
import pathlib
import struct

TICKS = 480  # per quarter note
TEMPO = 500000  # microseconds per quarter note (120 beats a minute)

# (note, length in quarters); None is a rest.
MELODY = [
    (76, 1), (74, .5), (72, .5), (74, 1), (67, 1),
    (72, 1), (76, 1), (79, 2),
    (81, 1), (79, .5), (77, .5), (76, 1), (72, 1),
    (74, 3), (None, 1),
    (76, 1), (74, .5), (72, .5), (74, 1), (67, 1),
    (72, 1), (76, 1), (79, 1), (84, 1),
    (83, 1), (79, 1), (74, 1), (77, 1),
    (72, 3), (None, 1),
]
CHORDS = [  # one a bar
    (48, 55, 64), (48, 55, 64), (53, 57, 65), (43, 55, 59),
    (48, 55, 64), (45, 57, 64), (43, 55, 62), (48, 55, 64),
]


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def main():
    events = []  # (tick, order, bytes): note-offs before note-ons at the same tick
    tick = 0
    for note, length in MELODY:
        ticks = int(length * TICKS)
        if note is not None:
            events.append((tick, 1, bytes([0x90, note, 96])))
            events.append((tick + ticks - 20, 0, bytes([0x80, note, 0])))
        tick += ticks
    for bar, chord in enumerate(CHORDS):
        start = bar * 4 * TICKS
        for note in chord:
            events.append((start, 1, bytes([0x91, note, 56])))
            events.append((start + 4 * TICKS - 40, 0, bytes([0x81, note, 0])))
    events.sort(key=lambda e: (e[0], e[1]))

    track = bytearray()
    track += var_len(0) + b"\xFF\x51\x03" + TEMPO.to_bytes(3, "big")
    track += var_len(0) + b"\xFF\x58\x04\x04\x02\x18\x08"  # 4/4
    track += var_len(0) + bytes([0xC0, 11])  # vibraphone
    track += var_len(0) + bytes([0xC1, 0])  # acoustic grand piano
    last = 0
    for at, _, data in events:
        track += var_len(at - last) + data
        last = at
    end = len(CHORDS) * 4 * TICKS
    track += var_len(end - last) + b"\xFF\x2F\x00"

    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
    out = pathlib.Path(__file__).resolve().parent.parent / "dist" / "tavrel.mid"
    out.write_bytes(header + b"MTrk" + struct.pack(">I", len(track)) + track)


if __name__ == "__main__":
    main()
