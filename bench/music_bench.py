#!/usr/bin/env python3
"""Measures the music of the running colouring book from outside, through SDL's disk audio
driver: how long after a click on the music button the first sound reaches the device, what
the music costs in memory and CPU, and how loud the book's tune is beside an effect.
Needs an X display in $DISPLAY with a window manager. Usage: music_bench.py build/book

The clicks go through the XTest extension, so the time of each is known to a millisecond; the
capture is polled every millisecond after it."""

import ctypes
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import audio_capture as audio  # noqa: E402

MUSIC_BUTTON = (919 + 39, 485 + 39)
RED_PAINT = (8 + 42, 675 + 42)
CYCLES = 5
TUNE_SECONDS = 32 * 4 * 60 / 112  # the book's tune: 32 bars at 112 beats a minute

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtest.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]
xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


class Program:
    def __init__(self, book_dir, capture, env=None):
        self.capture = capture
        self.proc = subprocess.Popen(
            [os.path.join(book_dir, "colouring-book")], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            env=dict(os.environ, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=capture, **(env or {})))
        self.display = x11.XOpenDisplay(None)
        time.sleep(8)  # the intro, two waits of three seconds, the first frames

    def move(self, point):
        xtest.XTestFakeMotionEvent(self.display, -1, point[0], point[1], 0)
        x11.XSync(self.display, 0)
        time.sleep(0.2)

    def click(self):
        """Clicks where the pointer is; returns the time and the capture's length then."""
        xtest.XTestFakeButtonEvent(self.display, 1, 1, 0)
        xtest.XTestFakeButtonEvent(self.display, 1, 0, 0)
        x11.XSync(self.display, 0)
        return time.monotonic(), audio.size(self.capture)

    def first_sound(self, since, timeout=3.0):
        """Polls until a sample after byte since is not silent; returns the time it was seen and
        its offset, or None."""
        end = time.monotonic() + timeout
        with open(self.capture, "rb") as f:
            while time.monotonic() < end:
                f.seek(since)
                data = f.read()
                nonzero = next((i for i, b in enumerate(data) if b), None)
                if nonzero is not None:
                    return time.monotonic(), since + nonzero
                time.sleep(0.001)
        return None

    def memory(self):
        """Resident, proportional and private dirty memory in MB."""
        out = {}
        for name in ("status", "smaps_rollup"):
            with open("/proc/%d/%s" % (self.proc.pid, name)) as f:
                for line in f:
                    key, _, value = line.partition(":")
                    if key in ("VmRSS", "Pss", "Private_Dirty", "Private_Clean"):
                        out[key] = int(value.split()[0]) / 1024
        return out

    def cpu_seconds(self):
        with open("/proc/%d/stat" % self.proc.pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def stop(self):
        x11.XCloseDisplay(self.display)
        self.proc.terminate()
        self.proc.wait(10)


def show_memory(what, m, base=None):
    line = "  %-28s VmRSS %6.1f MB  Pss %6.1f MB  Private_Dirty %6.1f MB" % (
        what, m["VmRSS"], m["Pss"], m["Private_Dirty"])
    if base:
        line += "   (+%.1f, +%.1f, +%.1f)" % tuple(
            m[k] - base[k] for k in ("VmRSS", "Pss", "Private_Dirty"))
    print(line)


def latency_and_memory(book_dir, capture):
    p = Program(book_dir, capture)
    try:
        idle = p.memory()
        print("memory")
        show_memory("before the first click", idle)
        p.move(MUSIC_BUTTON)
        delays = []
        for cycle in range(CYCLES):
            clicked, offset = p.click()
            heard = p.first_sound(offset)
            if heard is None:
                print("  click %d: no sound within 3 s" % (cycle + 1))
                delays.append(None)
            else:
                delays.append((heard[0] - clicked, audio.seconds(heard[1] - offset)))
            if cycle == 0:
                time.sleep(1.5)
                show_memory("playing, first time", p.memory(), idle)
                cpu, t0 = p.cpu_seconds(), time.monotonic()
                time.sleep(5)
                playing_cpu = (p.cpu_seconds() - cpu) / (time.monotonic() - t0)
            else:
                time.sleep(1.5)
            p.click()  # off
            time.sleep(1.0)
        show_memory("after %d times on and off" % CYCLES, p.memory(), idle)
        cpu, t0 = p.cpu_seconds(), time.monotonic()
        time.sleep(5)
        off_cpu = (p.cpu_seconds() - cpu) / (time.monotonic() - t0)
        print("CPU: %.1f %% of a core while the tune plays, %.1f %% with it switched off again"
              % (100 * playing_cpu, 100 * off_cpu))
        print("click to first sound (seen in the capture; in audio written since the click)")
        for i, d in enumerate(delays):
            if d:
                print("  click %d%s: %5.1f ms  (%5.1f ms of audio)" % (
                    i + 1, " (synthesiser made)" if i == 0 else "", 1000 * d[0], 1000 * d[1]))
    finally:
        p.stop()


def levels(book_dir, capture):
    """The effect alone, then a whole run of the tune. The disk driver waits a millisecond
    a buffer here instead of the buffer's length, so the 69-second tune is written in a few
    seconds."""
    p = Program(book_dir, capture, env={"SDL_DISKAUDIODELAY": "1"})
    try:
        p.move(RED_PAINT)
        _, offset = p.click()
        time.sleep(1.0)
        effect = audio.samples(capture, offset, audio.size(capture))
        effect_levels = audio.levels(effect)
        sounding = [i for i, level in enumerate(effect_levels) if level > -60]
        effect_db = audio.rms_db(effect[sounding[0] * audio.WINDOW * 2:
                                        (sounding[-1] + 1) * audio.WINDOW * 2])
        p.move(MUSIC_BUTTON)
        _, offset = p.click()
        deadline = time.monotonic() + 60
        while audio.size(capture) - offset < audio.offset(TUNE_SECONDS + 20) and \
                time.monotonic() < deadline:
            time.sleep(0.2)
        p.click()
    finally:
        p.stop()
    # The run: from the first sound to the first whole second of near silence after it.
    s = audio.samples(capture, offset)
    window_levels = audio.levels(s)
    start = next((i for i, level in enumerate(window_levels) if level > -60), None)
    end = None
    if start is not None:
        quiet = 0
        for i in range(start, len(window_levels)):
            quiet = quiet + 1 if window_levels[i] < -60 else 0
            if quiet == 100:
                end = i - 99
                break
    run = s[start * audio.WINDOW * 2:end * audio.WINDOW * 2] if end else None
    print("levels (RMS, dB of full scale)")
    print("  the red paint's effect       %6.1f dB" % effect_db)
    if run is None:
        print("  the tune: no whole run found")
        return
    peak = max(abs(v) for v in run)
    print("  the tune at volume 150       %6.1f dB over %.1f s (peak %.1f dB)" % (
        audio.rms_db(run), len(run) / 2 / audio.RATE, audio.rms_db([peak])))
    print("  the tune under the effect by %6.1f dB" % (effect_db - audio.rms_db(run)))


def main():
    book_dir = sys.argv[1] if len(sys.argv) > 1 else "build/book"
    with tempfile.TemporaryDirectory(prefix="music-bench-") as tmp:
        latency_and_memory(book_dir, os.path.join(tmp, "latency.raw"))
        levels(book_dir, os.path.join(tmp, "levels.raw"))


main()
