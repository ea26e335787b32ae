#!/usr/bin/env python3
"""Measures the CPU the running colouring book uses while idle after start-up, from outside,
through /proc/PID/stat. Needs an X display in $DISPLAY. Usage: idle_cpu.py build/book"""

import os
import subprocess
import sys
import time

book = os.path.join(sys.argv[1], "colouring-book")
proc = subprocess.Popen([book], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
ticks = os.sysconf("SC_CLK_TCK")


def cpu_seconds():
    with open("/proc/%d/stat" % proc.pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks  # utime + stime


try:
    time.sleep(8)  # start-up: the intro, two waits, the first frames
    before, t0 = cpu_seconds(), time.monotonic()
    time.sleep(10)
    used, elapsed = cpu_seconds() - before, time.monotonic() - t0
    print("idle CPU: %.3f s in %.1f s = %.2f %% of a core" % (used, elapsed, 100 * used / elapsed))
finally:
    proc.terminate()
    proc.wait(10)
