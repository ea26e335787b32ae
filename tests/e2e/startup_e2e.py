"""The real program starts under a window manager: the intro runs, the main screen shows the
shipped pictures at their places, and the system keys leave it full screen and focused."""

import os
import subprocess
import sys
import time

from book_e2e import Book, Checks, Picture, keyboard_grabbed, need_display, screenshot, xdotool

need_display()
book_dir = sys.argv[1]
shots = os.environ.get("CB_SHOTS", "/tmp")
c = Checks()
book = Book(book_dir)
try:
    book.start()
    time.sleep(1.0)
    intro = subprocess.run(["pgrep", "-f", os.path.join(book.dir, "COLORS.EXE")],
                           capture_output=True).returncode == 0
    c.check(intro, "the intro program runs while the book is still hidden")
    c.check(book.window() is None or xdotool("getwindowfocus") != book.window(),
            "the book's window is not in front during the intro")

    book.wait_until(7.5)  # two waits of three seconds, and time to draw
    c.check(book.proc.poll() is None, "the program is running after start-up")
    shot = screenshot(os.path.join(shots, "startup.png"))
    pictures = os.path.join(book.dir, "PICTURE")
    for name, left, top, w, h in [("01.GIF", 30, 29, 750, 600),
                                  ("MOREIMAGES1.JPG", 832, 241, 160, 169),
                                  ("GUMICA1.JPG", 825, 412, 112, 61),
                                  ("ZVUCNIK1.JPG", 835, 485, 78, 79),
                                  ("MUSICOFF2.JPG", 919, 485, 78, 78),
                                  ("KAPLJICA1.JPG", 871, 571, 58, 81),
                                  ("OLOVKA2.JPG", 804, 571, 62, 81),
                                  ("BOJE1_01.JPG", 8, 675, 85, 85),
                                  ("BOJE1_12.JPG", 932, 675, 84, 85)]:
        diff = shot.region_difference(Picture.load(os.path.join(pictures, name)), left, top, w, h)
        c.check(diff < 4, "%s shows at (%d, %d) (mean difference %.2f)" % (name, left, top, diff))
    background = Picture.load(os.path.join(pictures, "GLAVNA.JPG"))
    diff = shot.region_difference(background, 0, 0, 1024, 28)
    c.check(diff < 4, "the main background shows above the canvas (%.2f)" % diff)

    win = book.window()
    c.check(win is not None, "the book has a window")

    def in_front():
        alive = book.proc.poll() is None
        focused = xdotool("getwindowfocus") == win
        geometry = xdotool("getwindowgeometry", win)
        return alive and focused and "Geometry: 1024x768" in geometry and "Position: 0,0" in geometry

    for keys in (["alt+Tab"], ["alt+F4"], ["super"], ["Menu"], ["super+d"], ["alt+Escape"]):
        xdotool("key", *keys)
        time.sleep(0.4)
        c.check(in_front(), "%s leaves the book running, focused and full screen" % "+".join(keys))
    screenshot(os.path.join(shots, "after-keys.png"))

    # Minimised (the info panel's links do it, to show the browser), the keyboard belongs to the
    # desktop; restored, the lockdown is back by itself.
    c.check(keyboard_grabbed(), "the book holds the keyboard")
    xdotool("windowminimize", win)
    time.sleep(0.5)
    c.check(not keyboard_grabbed(), "minimised, the book leaves the keyboard to the desktop")
    xdotool("windowactivate", win)
    time.sleep(0.5)
    c.check(in_front() and keyboard_grabbed(),
            "restored, the book is focused, full screen and holds the keyboard again")
    code = book.stop()
    c.check(code == 0, "SIGTERM ends the program cleanly (exit code %s)" % code)
finally:
    book.cleanup()
c.finish()
