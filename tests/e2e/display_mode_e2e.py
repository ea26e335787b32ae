"""A real display-mode change: on Xorg's dummy driver, whose desktop runs at 1280 x 1024,
the program switches the display to 1024 x 768 at start-up, a SIGTERM brings the desktop
mode back, and so does a link of the info panel, which minimises the window, until a parent
brings the window back: then the book has its mode, its full screen and the keyboard again.
Runs its own X server, so it needs root and the dummy driver."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from book_e2e import SKIP, Book, Checks, keyboard_grabbed, read_display_number, window_state

here = os.path.dirname(os.path.abspath(__file__))
if os.geteuid() != 0 or not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so") \
        or not shutil.which("xrandr"):
    print("needs root, Xorg's dummy driver and xrandr: skipped")
    sys.exit(SKIP)

work = tempfile.mkdtemp(prefix="colouring-xorg-")
read_end, write_end = os.pipe()
xorg = subprocess.Popen(["Xorg", "-noreset", "-nolisten", "tcp", "-displayfd", str(write_end),
                         "-config", os.path.join(here, "xorg-dummy.conf"),
                         "-logfile", os.path.join(work, "xorg.log")],
                        pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL)
os.close(write_end)
display = ":" + read_display_number(read_end)
os.close(read_end)
env = dict(os.environ, DISPLAY=display)
os.environ["DISPLAY"] = display
wm = subprocess.Popen(["matchbox-window-manager", "-use_titlebar", "no"], env=env,
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def becomes(what, wanted, seconds=5):
    """What what() gives once it is the value wanted, or what it still gives after a few
    seconds: a window manager takes a moment to hand a window back on a busy machine."""
    deadline = time.monotonic() + seconds
    while what() != wanted and time.monotonic() < deadline:
        time.sleep(0.1)
    return what()


def current_mode():
    out = subprocess.run(["xrandr"], env=env, capture_output=True, text=True).stdout
    found = re.search(r"current (\d+) x (\d+)", out)
    return found and "%sx%s" % found.groups()


c = Checks()
book = Book(sys.argv[1], env={"DISPLAY": display})
book.record_links()
try:
    # The server may take a moment to answer on a busy machine.
    for _ in range(100):
        if current_mode():
            break
        time.sleep(0.1)
    c.check(current_mode() == "1280x1024", "the desktop starts at 1280 x 1024 (%s)" % current_mode())
    book.start()
    book.wait_until(7.5)
    c.check(current_mode() == "1024x768", "the program runs at 1024 x 768 (%s)" % current_mode())
    code = book.stop()
    c.check(code == 0, "SIGTERM ends the program cleanly (exit code %s)" % code)
    time.sleep(0.3)
    c.check(current_mode() == "1280x1024", "the desktop mode is back (%s)" % current_mode())

    book.start()
    book.wait_until(7.5)
    c.check(current_mode() == "1024x768", "started again at 1024 x 768 (%s)" % current_mode())

    def xdo(*args):
        return subprocess.run(["xdotool", *args], env=env, capture_output=True,
                              text=True).stdout.strip()

    # A parent's link from the info panel minimises the window: the desktop's mode and keyboard
    # are back while the browser is in front, and the book's return with the window, three
    # times over (the window manager here frames the window anew at every change).
    win = book.window()
    for turn in range(1, 4):
        xdo("key", "ctrl+r")
        time.sleep(0.5)
        xdo("mousemove", str(346 + 165), str(395 + 31))  # the link to the parents' page
        time.sleep(0.3)
        xdo("click", "1")
        state = becomes(lambda: window_state(win), "Iconic")
        mode = becomes(current_mode, "1280x1024")
        free = not becomes(keyboard_grabbed, False)
        c.check(state == "Iconic" and mode == "1280x1024" and free,
                "%d: minimised by the link (%s), the desktop has its mode (%s) and the keyboard "
                "(%s)" % (turn, state, mode, "free" if free else "still held"))
        xdo("windowactivate", "--sync", win)
        mode = becomes(current_mode, "1024x768")
        held = becomes(keyboard_grabbed, True)
        geometry = " ".join(xdo("getwindowgeometry", win).split()[2:])
        c.check(mode == "1024x768" and held and "Geometry: 1024x768" in geometry,
                "%d: back, the book has its mode (%s), full screen (%s) and the keyboard (%s)"
                % (turn, mode, geometry, "held" if held else "free"))
        time.sleep(0.5)
        xdo("mousemove", str(632 + 36), str(269 + 13))  # close the panel
        time.sleep(0.3)
        xdo("click", "1")
        time.sleep(0.5)

    # The child's way out: Ctrl+X, then Yes.
    xdo("key", "ctrl+x")
    time.sleep(0.5)
    xdo("mousemove", str(368 + 53), str(409 + 25))
    time.sleep(0.3)
    xdo("click", "1")
    try:
        code = book.proc.wait(5)
    except subprocess.TimeoutExpired:
        code = "still running"
    c.check(code == 0, "Ctrl+X then Yes ends the program (exit code %s)" % code)
    time.sleep(0.3)
    c.check(current_mode() == "1280x1024", "the desktop mode is back after Yes (%s)"
            % current_mode())
finally:
    book.cleanup()
    wm.terminate()
    xorg.terminate()
    xorg.wait(10)
    shutil.rmtree(work, ignore_errors=True)
c.finish()
