"""Colouring with the real program: a click fills an area of page 1 in red, the green button
changes the paint, the pencil draws a 3-pixel line, and the fill sound reaches the audio
device with effects on and not with them off (SDL's disk audio driver records it)."""

import os
import sys
import time

from book_e2e import Book, Checks, need_display, screenshot, xdotool

need_display()
c = Checks()
shots = os.environ.get("CB_SHOTS", "/tmp")
CANVAS = (30, 29)
audio_file = os.path.join(os.environ.get("TMPDIR", "/tmp"), "colouring-e2e-%d.raw" % os.getpid())
book = Book(sys.argv[1], env={"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": audio_file})


def click(x, y, on_canvas=True):
    if on_canvas:
        x, y = x + CANVAS[0], y + CANVAS[1]
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.1)
    xdotool("click", "1")
    time.sleep(0.3)


def canvas_pixel(shot, x, y):
    return shot.at(CANVAS[0] + x, CANVAS[1] + y)


def audio_since(offset, seconds):
    """Waits, then says whether any sample written after offset is not silence."""
    time.sleep(seconds)
    with open(audio_file, "rb") as f:
        f.seek(offset)
        data = f.read()
    return len(data) > 0 and any(data)


def audio_offset():
    return os.path.getsize(audio_file) if os.path.exists(audio_file) else 0


try:
    book.start()
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the program is running")

    start = audio_offset()
    click(270, 380)  # the boy's shirt
    heard = audio_since(start, 0.8)
    shot = screenshot(os.path.join(shots, "colouring-red.png"))
    c.check(canvas_pixel(shot, 270, 380) == (255, 0, 0), "the shirt is red after a click")
    c.check(canvas_pixel(shot, 400, 300) == (255, 0, 0), "all of the shirt, across the star")
    c.check(canvas_pixel(shot, 290, 430) == (255, 255, 255), "the shorts are still white")
    c.check(heard, "the fill sound reached the audio device")

    click(93 + 42, 675 + 42, on_canvas=False)  # the green paint
    time.sleep(1.2)
    click(290, 430)  # the shorts
    shot = screenshot(os.path.join(shots, "colouring-green.png"))
    c.check(canvas_pixel(shot, 290, 430) == (52, 204, 103), "the shorts are green (52, 204, 103)")
    c.check(canvas_pixel(shot, 270, 380) == (255, 0, 0), "the shirt stays red")

    time.sleep(1.0)
    click(835 + 39, 485 + 39, on_canvas=False)  # effects off
    start = audio_offset()
    click(285, 535)  # a shoe
    c.check(not audio_since(start, 1.0), "with effects off the fill is silent")
    shot = screenshot()
    c.check(canvas_pixel(shot, 285, 535) == (52, 204, 103) and canvas_pixel(shot, 10, 10) == (255, 255, 255),
            "the shoe is green and the paper around the boy still white")

    click(804 + 31, 571 + 40, on_canvas=False)  # the pencil
    xdotool("mousemove", str(CANVAS[0] + 600), str(CANVAS[1] + 100))
    time.sleep(0.1)
    xdotool("mousedown", "1")
    time.sleep(0.1)
    xdotool("mousemove", str(CANVAS[0] + 680), str(CANVAS[1] + 100))
    time.sleep(0.1)
    xdotool("mouseup", "1")
    time.sleep(0.4)
    shot = screenshot(os.path.join(shots, "colouring-pencil.png"))
    green = (52, 204, 103)
    column = [canvas_pixel(shot, 640, y) for y in range(96, 105)]
    c.check(column[3:6] == [green] * 3 and column[2] != green and column[6] != green,
            "the pencil left a green line 3 pixels wide (%s)" % column)
    c.check(canvas_pixel(shot, 680, 100) == green and canvas_pixel(shot, 600, 100) == green,
            "the line runs from the press to the release")
finally:
    book.cleanup()
    if os.path.exists(audio_file):
        os.remove(audio_file)
c.finish()
