"""The eraser and the paper with the real program: the child sees the sweep move across the
canvas (white and coloured rows at once), then page 1 comes back clean; the paper leaves a
white sheet."""

import os
import sys
import time

from book_e2e import Book, Checks, Picture, need_display, screenshot, xdotool

need_display()
c = Checks()
shots = os.environ.get("CB_SHOTS", "/tmp")
book = Book(sys.argv[1])
CANVAS = (30, 29)
RED = (255, 0, 0)


def click(x, y):
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.2)
    xdotool("click", "1")


def red_rows(shot):
    """The canvas rows whose shirt pixel is red, at the column of the shirt."""
    return [y for y in range(360, 470) if shot.at(CANVAS[0] + 270, CANVAS[1] + y) == RED]


try:
    book.start()
    book.wait_until(7.5)
    click(CANVAS[0] + 270, CANVAS[1] + 380)  # the shirt turns red
    time.sleep(0.5)
    before = screenshot()
    shirt = red_rows(before)
    c.check(len(shirt) > 20, "the shirt is red before the wipe (%d rows)" % len(shirt))

    click(825 + 56, 412 + 30)  # the eraser: the first wipe is every other row, then rows down
    partway = 0
    started = time.monotonic()
    shots_taken = 0
    while time.monotonic() - started < 1.8:
        shot = screenshot()
        shots_taken += 1
        rows = red_rows(shot)
        if 0 < len(rows) < len(shirt):
            partway += 1
            if partway == 1:
                screenshot(os.path.join(shots, "wipe-partway.png"))
    c.check(partway > 0, "screenshots during the wipe show it part way (%d of %d)"
            % (partway, shots_taken))
    time.sleep(1.0)
    shot = screenshot(os.path.join(shots, "wipe-done.png"))
    diff = shot.region_difference(Picture.load(os.path.join(book.dir, "PICTURE", "01.GIF")),
                                  CANVAS[0], CANVAS[1])
    c.check(diff < 1, "then page 1 is back clean (%.2f)" % diff)

    click(936 + 31, 412 + 30)  # the paper
    time.sleep(2.8)
    xdotool("mousemove", "1010", "20")
    time.sleep(0.3)
    shot = screenshot(os.path.join(shots, "paper.png"))
    white = all(shot.at(CANVAS[0] + x, CANVAS[1] + y) == (255, 255, 255)
                for x in range(0, 750, 25) for y in range(0, 600, 25))
    c.check(white, "the paper leaves a white canvas")
    c.check(book.proc.poll() is None, "the program is still running")
finally:
    book.cleanup()
c.finish()
