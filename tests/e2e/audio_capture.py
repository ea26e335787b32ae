"""Reading what SDL's disk audio driver records, and writing small MIDI files.

The mixer opens the device at 44.1 kHz, signed 16-bit little-endian, two channels
interleaved, and the disk driver writes exactly that, raw, with no header. It writes one
buffer (1024 frames) at a time and sleeps the buffer's length after each (SDL_DISKAUDIODELAY,
23 ms by default), so the file grows at about the rate of real time; a byte offset is a time,
and everything the program plays reaches the file within a buffer or two."""

import array
import math
import os
import struct

RATE = 44100
FRAME_BYTES = 4  # two channels of 16 bits
WINDOW = RATE // 100  # levels are measured over 10 ms windows
SILENCE_DB = -200.0


def size(path):
    return os.path.getsize(path) if os.path.exists(path) else 0


def seconds(byte_offset):
    return byte_offset / (RATE * FRAME_BYTES)


def offset(seconds_of_audio):
    return int(seconds_of_audio * RATE) * FRAME_BYTES


def samples(path, start=0, end=None):
    """The 16-bit samples (channels interleaved) from byte start to byte end."""
    with open(path, "rb") as f:
        f.seek(start - start % FRAME_BYTES)
        data = f.read() if end is None else f.read(max(0, end - start))
    data = data[:len(data) - len(data) % FRAME_BYTES]
    out = array.array("h")
    out.frombytes(data)
    if struct.pack("=h", 1) != b"\x01\x00":
        out.byteswap()
    return out


def rms_db(s):
    """RMS level in dB relative to full scale (a full-scale square wave is 0 dB)."""
    if not s:
        return SILENCE_DB
    mean_square = sum(v * v for v in s) / len(s)
    return 10 * math.log10(mean_square / 32768.0 ** 2) if mean_square else SILENCE_DB


def levels(s):
    """RMS level of each 10 ms window."""
    step = WINDOW * 2
    return [rms_db(s[i:i + step]) for i in range(0, len(s) - step + 1, step)]


def onsets(window_levels, loud_db, quiet_db, quiet_windows=5, rise_windows=5):
    """Indexes of the windows where a sound begins out of quiet: at least quiet_windows
    windows under quiet_db, then a rise to loud_db or more within rise_windows windows. The
    index is that of the first window of the rise."""
    found = []
    quiet_run = quiet_windows  # the start of the capture counts as quiet
    last_quiet = -1  # the last quiet window, ending a run of quiet_run quiet windows
    for i, level in enumerate(window_levels):
        if level < quiet_db:
            quiet_run = quiet_run + 1 if last_quiet == i - 1 else 1
            last_quiet = i
        elif (level >= loud_db and quiet_run >= quiet_windows and i - last_quiet <= rise_windows
              and (not found or found[-1] <= last_quiet)):
            found.append(last_quiet + 1)
    return found


def _var_length(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def midi_file(notes, program=0, division=480, tempo_us=500000):
    """A type-0 MIDI file playing notes one after another on channel 1: notes is a list of
    (key, velocity, ticks), the piece ends with the last note. At the default tempo a
    quarter note (480 ticks) lasts half a second."""
    events = bytearray()
    events += b"\x00\xff\x51\x03" + tempo_us.to_bytes(3, "big")
    events += b"\x00" + bytes([0xC0, program])
    for key, velocity, ticks in notes:
        events += b"\x00" + bytes([0x90, key, velocity])
        events += _var_length(ticks) + bytes([0x80, key, 0])
    events += b"\x00\xff\x2f\x00"
    header = b"MThd" + struct.pack(">IHHH", 6, 0, 1, division)
    return header + b"MTrk" + struct.pack(">I", len(events)) + bytes(events)
