"""The end from outside, at every phase of the program: SIGTERM, SIGINT and SIGHUP during the
intro's wait, the second wait, a wipe, a print's notice, with the music on, with a panel open
and with the window minimised end the program with status 0 within half a second, with the
keyboard let go and the desktop's display mode back. The intro killed during the first wait
leaves the book to start normally, and the X server going away ends the program, whatever its
status, without a hang. Runs on Xorg's dummy driver, whose desktop mode (1280 x 1024) differs
from the program's, so it needs root and that driver."""

import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

from book_e2e import (SKIP, Book, Checks, XServer, closed_port, keyboard_grabbed, window_state,
                      xdotool)

if os.geteuid() != 0 or not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so") \
        or not all(shutil.which(t) for t in ("xrandr", "xdotool", "Xvfb",
                                             "matchbox-window-manager")):
    print("needs root, Xorg's dummy driver, Xvfb, xrandr, xdotool and matchbox: skipped")
    sys.exit(SKIP)

book_dir = sys.argv[1]
seed = int(os.environ.get("CB_SEED", time.time_ns() % 1000000))
print("seed %d (CB_SEED repeats a run)" % seed)
rng = random.Random(seed)
c = Checks()
DESKTOP, PROGRAM = "1280x1024", "1024x768"
# Half a second is what a parent or a shutdown may expect; the bound leaves room for a loaded
# machine, and the real figures are printed.
EXIT_BOUND = 1.5
# Losing the display ends the program some other way; only a hang is a fault.
X_GONE_BOUND = 5.0


def current_mode():
    out = subprocess.run(["xrandr"], capture_output=True, text=True).stdout
    found = re.search(r"current (\d+) x (\d+)", out)
    return found and "%sx%s" % found.groups()


def click(x, y):
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.1)
    xdotool("click", "1")


# Each phase brings the program to the moment the signal goes, and says what it did.
def intro_wait(book):
    at = rng.uniform(0.5, 2.5)
    book.wait_until(at)
    return "%.2f s after start" % at


def second_wait(book):
    at = rng.uniform(3.5, 5.5)
    book.wait_until(at)
    return "%.2f s after start" % at


def main_screen(book):
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the program runs after start-up")
    return "on the main screen"


def wipe(book):
    main_screen(book)
    click(881, 442)  # the eraser
    time.sleep(0.3)
    return "0.3 s into the wipe"


def print_notice(book):
    main_screen(book)
    xdotool("key", "ctrl+p")
    time.sleep(1.0)
    return "1 s into the notice"


def music(book):
    main_screen(book)
    click(958, 524)  # the music's button
    time.sleep(1.0)
    return "1 s after the music's click"


def panel(book):
    main_screen(book)
    xdotool("key", "ctrl+r")
    time.sleep(0.5)
    return "the info panel open"


def minimised(book):
    main_screen(book)
    win = book.window()
    xdotool("key", "ctrl+r")
    time.sleep(0.5)
    click(511, 426)  # the link to the parents' page
    state = None
    for _ in range(30):
        time.sleep(0.1)
        state = window_state(win)
        if state == "Iconic":
            break
    c.check(state == "Iconic", "the link minimised the window (%s)" % state)
    return "the window minimised"


def signals_named(signals):
    return "+".join(signal.Signals(s).name for s in signals)


results = []


def send_until_ended(proc, signals):
    """The signals in turn, one every half millisecond, for as long as the process lives."""
    n = 0
    while proc.poll() is None and n < 20000:
        try:
            proc.send_signal(signals[n % len(signals)])
        except ProcessLookupError:
            break
        n += 1
        time.sleep(0.0005)


def end_by_signal(book, phase, signals, repeated=False):
    book.start()
    what = phase(book)
    name = "%s%s, %s" % (signals_named(signals), " over and over" if repeated else "",
                         phase.__name__.replace("_", " "))
    if book.proc.poll() is not None:
        c.check(False, "%s: the program was running when the signal went (it ended with %s)"
                % (name, book.proc.returncode))
        return
    sent = time.monotonic()
    if repeated:
        send_until_ended(book.proc, signals)
    else:
        for s in signals:
            book.proc.send_signal(s)
    try:
        code = book.proc.wait(10)
    except subprocess.TimeoutExpired:
        book.proc.kill()
        code = "still running after 10 s"
    took = time.monotonic() - sent
    results.append((name, took))
    c.check(code == 0 and took < EXIT_BOUND,
            "%s (%s): exit status %s after %.3f s" % (name, what, code, took))
    c.check(not keyboard_grabbed(), "%s: the keyboard is free" % name)
    mode = current_mode()
    c.check(mode == DESKTOP, "%s: the desktop's mode is back (%s)" % (name, mode))
    book.end_intro()


TERM, INT, HUP = signal.SIGTERM, signal.SIGINT, signal.SIGHUP
# Every phase with one signal, the three taking turns so that each ends the program at least
# twice; all three one after another at the phase with the most threads running; and all
# three at once and then again and again until the program has gone, as a session's end
# sends SIGTERM and SIGHUP together and an impatient parent sends another.
MATRIX = [(intro_wait, [TERM]), (second_wait, [INT]), (wipe, [HUP]), (print_notice, [TERM]),
          (music, [INT]), (panel, [HUP]), (minimised, [TERM]), (music, [TERM]), (music, [HUP])]
REPEATED = [(main_screen, [TERM, HUP, INT]), (music, [HUP, INT, TERM])]

x = XServer(dummy=True)
os.environ["DISPLAY"] = x.display
# Nothing here is meant to reach a printer: the notice is all that is wanted of Ctrl+P.
book = Book(book_dir, env={"CUPS_SERVER": "127.0.0.1:%d" % closed_port(),
                           "SDL_AUDIODRIVER": "disk"})
book.env["SDL_DISKAUDIOFILE"] = os.path.join(book.tmp, "audio.raw")
book.record_links()
try:
    mode = current_mode()
    c.check(mode == DESKTOP, "the desktop starts at %s (%s)" % (DESKTOP, mode))
    for phase, signals in MATRIX:
        end_by_signal(book, phase, signals)
    for phase, signals in REPEATED:
        end_by_signal(book, phase, signals, repeated=True)

    # The intro crashes during the first wait: the book starts all the same.
    book.start()
    pids = []
    while not pids and time.monotonic() - book.started < 3.0:
        time.sleep(0.05)
        pids = book.intro_pids()
    c.check(bool(pids), "the intro runs during the first wait (%.2f s after the start)"
            % (time.monotonic() - book.started))
    for pid in pids:
        os.kill(pid, signal.SIGKILL)
    book.wait_until(7.5)
    win = book.window()
    geometry = xdotool("getwindowgeometry", win) if win else ""
    c.check(book.proc.poll() is None and "Geometry: 1024x768" in geometry
            and current_mode() == PROGRAM and keyboard_grabbed(),
            "with the intro killed the book starts normally: full screen at %s, keyboard held"
            % current_mode())
    code = book.stop()
    c.check(code == 0 and current_mode() == DESKTOP,
            "and ends normally (status %s, mode %s)" % (code, current_mode()))
finally:
    book.cleanup()
    x.stop()

# The X server goes away under the running program, the music playing.
x = XServer(dummy=False)
os.environ["DISPLAY"] = x.display
book = Book(book_dir, env={"SDL_AUDIODRIVER": "disk"})
book.env["SDL_DISKAUDIOFILE"] = os.path.join(book.tmp, "audio.raw")
try:
    book.start()
    music(book)
    alive = book.proc.poll() is None
    gone = time.monotonic()
    x.kill()
    try:
        code = book.proc.wait(X_GONE_BOUND)
    except subprocess.TimeoutExpired:
        code = "still running"
    took = time.monotonic() - gone
    c.check(alive and code != "still running",
            "without its X server the program ends (status %s after %.3f s)" % (code, took))
finally:
    book.cleanup()
    x.stop()

if results:
    print("exit times: " + ", ".join("%s %.3f s" % r for r in results))
    print("slowest %.3f s" % max(t for _, t in results))
c.finish()
