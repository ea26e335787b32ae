"""A real display-mode change: on Xorg's dummy driver, whose desktop runs at 1280 x 1024,
the program switches the display to 1024 x 768 at start-up and a SIGTERM brings the desktop
mode back. Runs its own X server, so it needs root and the dummy driver."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from book_e2e import SKIP, Book, Checks, read_display_number

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
wm = subprocess.Popen(["matchbox-window-manager", "-use_titlebar", "no"], env=env,
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def current_mode():
    out = subprocess.run(["xrandr"], env=env, capture_output=True, text=True).stdout
    found = re.search(r"current (\d+) x (\d+)", out)
    return found and "%sx%s" % found.groups()


c = Checks()
book = Book(sys.argv[1], env={"DISPLAY": display})
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
