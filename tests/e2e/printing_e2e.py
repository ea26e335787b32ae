"""Printing with the real program and a real print system (the scheduler that scripts/test
starts, with a CUPS-PDF queue as its default): Ctrl+P shows the notice, the child can go on
colouring during it, and the PDF that comes out holds the canvas of the key press, landscape,
fitted and at the top left. The snapshot file is that canvas pixel for pixel. With no print
system to reach, the notice comes and goes and the program answers input throughout."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from book_e2e import (SKIP, Book, Checks, Picture, closed_port, need_display, read_ppm, screenshot,
                      xdotool)

need_display()
pdf_dir = os.environ.get("CB_CUPS_PDF_DIR")
if not pdf_dir or not os.environ.get("CUPS_SERVER"):
    print("no test scheduler (CB_CUPS_PDF_DIR, CUPS_SERVER; scripts/cups-service): skipped")
    sys.exit(SKIP)

book_dir = sys.argv[1]
shots = os.environ.get("CB_SHOTS", "/tmp")
c = Checks()
CANVAS = (30, 29)
CANVAS_SIZE = (750, 600)
RED, GREEN, WHITE = (255, 0, 0), (52, 204, 103), (255, 255, 255)
# Areas of page 1, in canvas pixels; the second shoe lies outside the notice.
SHIRT, SHOE, OTHER_SHOE = (270, 380), (285, 535), (390, 533)
notice_picture = Picture.load(os.path.join(book_dir, "PICTURE", "PRINTING.JPG"))


def click(x, y, on_canvas=True):
    if on_canvas:
        x, y = x + CANVAS[0], y + CANVAS[1]
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.1)
    xdotool("click", "1")


def canvas_pixel(shot, point):
    return shot.at(CANVAS[0] + point[0], CANVAS[1] + point[1])


def notice_shown(shot):
    return shot.region_difference(notice_picture, 312, 259, 400, 250) < 4


def wait_for_screen(condition, bound):
    """Screenshots until one meets the condition; returns it and the seconds taken, or None
    when the bound (only there to catch a hang) has passed."""
    start = time.monotonic()
    while True:
        shot = screenshot()
        if condition(shot):
            return shot, time.monotonic() - start
        if time.monotonic() - start > bound:
            return None, time.monotonic() - start


def our_pdfs():
    return {name for name in os.listdir(pdf_dir)
            if name.endswith(".pdf") and "Colouring_Book" in name}


def render_new_pdf(before, into, bound=20):
    """Waits for a PDF of ours that was not there before and renders it at 150 dpi once it is
    complete (a PDF still being written has no cross-reference table and does not render).
    Returns its path, or None."""
    start = time.monotonic()
    while time.monotonic() - start < bound:
        for name in sorted(our_pdfs() - before):
            path = os.path.join(pdf_dir, name)
            done = subprocess.run(["pdftoppm", "-r", "150", "-png", path,
                                   os.path.join(into, "page")], capture_output=True)
            if done.returncode == 0:
                return path
        time.sleep(0.1)
    return None


def load_held_landscape(path):
    """The page as it is held to be looked at: CUPS-PDF writes a portrait page with the
    landscape picture turned a quarter turn anticlockwise, so a portrait page is turned back
    clockwise."""
    page = Picture.load(path)
    if page.w >= page.h:
        return page
    out = subprocess.run(["/usr/bin/convert", path, "-rotate", "90", "-depth", "8", "ppm:-"],
                         check=True, capture_output=True).stdout
    return Picture(*read_ppm(out))


INK = re.compile(rb"[\x00-\xe5]")  # a channel darker than paper


def inked_box(picture):
    """(left, top, right, bottom), right and bottom exclusive, of everything but white."""
    left, top, right, bottom = picture.w, picture.h, 0, 0
    stride = picture.w * 3
    for y in range(picture.h):
        row = picture.rgb[y * stride:(y + 1) * stride]
        first = INK.search(row)
        if not first:
            continue
        last = len(row) - 1 - INK.search(row[::-1]).start()
        left, right = min(left, first.start() // 3), max(right, last // 3 + 1)
        top, bottom = min(top, y), y + 1
    return left, top, right, bottom


def near(pixel, want, tolerance=48):
    return all(abs(p - q) <= tolerance for p, q in zip(pixel, want))


def canvas_region(shot):
    left, top = CANVAS
    w, h = CANVAS_SIZE
    return Picture(w, h, b"".join(shot.rgb[((top + y) * shot.w + left) * 3:
                                           ((top + y) * shot.w + left + w) * 3]
                                  for y in range(h)))


def check_page(page, canvas):
    """The printed page against the canvas of the key press: where the canvas's drawing lies
    on the page gives the picture's scale and place."""
    cl, ct, cr, cb = inked_box(canvas)
    pl, pt, pr, pb = inked_box(page)
    sx, sy = (pr - pl) / (cr - cl), (pb - pt) / (cb - ct)
    left, top = pl - cl * sx, pt - ct * sy
    width, height = CANVAS_SIZE[0] * sx, CANVAS_SIZE[1] * sy
    margin = page.w / 50
    print("page %dx%d; picture at (%.1f, %.1f), %.1f x %.1f" % (page.w, page.h, left, top,
                                                                width, height))
    c.check(page.w > page.h, "the page is landscape as it is held")
    c.check(abs(width / height / 1.25 - 1) < 0.01,
            "the picture keeps its 5:4 proportion (%.4f)" % (width / height))
    c.check(abs(left) <= margin and abs(top) <= margin,
            "the picture sits at the top left of the printable area")
    c.check(page.w - (left + width) <= margin or page.h - (top + height) <= margin,
            "the picture fills the printable area's width or height")

    def at(point):
        return page.at(int(left + (point[0] + 0.5) * sx), int(top + (point[1] + 0.5) * sy))

    c.check(near(at(SHIRT), RED), "the shirt is red on paper %s" % (at(SHIRT),))
    c.check(near(at(SHOE), GREEN), "the shoe is green on paper %s" % (at(SHOE),))
    c.check(near(at(OTHER_SHOE), WHITE),
            "the fill made during the notice is not on paper %s" % (at(OTHER_SHOE),))


pages = tempfile.mkdtemp(prefix="colouring-print-e2e-")
book = Book(book_dir)
try:
    book.start()
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the program is running")
    click(*SHIRT)
    time.sleep(0.3)
    click(93 + 42, 675 + 42, on_canvas=False)  # the green paint
    time.sleep(1.2)
    click(*SHOE)
    time.sleep(0.5)
    shot = screenshot(os.path.join(shots, "printing-before.png"))
    c.check(canvas_pixel(shot, SHIRT) == RED and canvas_pixel(shot, SHOE) == GREEN,
            "the shirt is red and the shoe green before the key press")
    at_key_press = canvas_region(shot)

    before = our_pdfs()
    pressed = time.monotonic()
    xdotool("key", "ctrl+p")
    shot, took = wait_for_screen(notice_shown, 2.5)
    c.check(shot is not None, "the notice shows (after %.2f s)" % took)
    click(*OTHER_SHOE)
    shot, took = wait_for_screen(lambda s: canvas_pixel(s, OTHER_SHOE) == GREEN, 2.5)
    c.check(shot is not None and notice_shown(shot),
            "a fill during the notice shows while the notice is up")
    shot, took = wait_for_screen(lambda s: not notice_shown(s), 8)
    print("the notice went %.2f s after the key press" % (time.monotonic() - pressed))
    c.check(shot is not None, "the notice goes")
    if shot:
        screenshot(os.path.join(shots, "printing-after.png"))
        c.check(canvas_pixel(shot, OTHER_SHOE) == GREEN and canvas_pixel(shot, SHIRT) == RED,
                "the fill made during the notice stays on screen")

    snapshot = Picture.load(os.path.join(book.dir, "MY_PICTURE", "01.GIF"))
    c.check((snapshot.w, snapshot.h) == CANVAS_SIZE and snapshot.rgb == at_key_press.rgb,
            "MY_PICTURE/01.GIF is the canvas of the key press, pixel for pixel")

    pdf = render_new_pdf(before, pages)
    print("the PDF was complete %.2f s after the key press" % (time.monotonic() - pressed))
    c.check(pdf is not None, "a PDF of the picture comes out of the queue")
    if pdf:
        rendered = sorted(os.listdir(pages))
        c.check(len(rendered) == 1, "one page (%d)" % len(rendered))
        page = load_held_landscape(os.path.join(pages, rendered[0]))
        check_page(page, at_key_press)
        os.remove(pdf)
    c.check(book.stop() == 0, "the program ends cleanly after printing")
finally:
    book.cleanup()

# No print system at that address: the connection is refused at once.
book = Book(book_dir, env={"CUPS_SERVER": "127.0.0.1:%d" % closed_port()})
try:
    book.start()
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the second program is running")
    before = our_pdfs()
    xdotool("key", "ctrl+p")
    shot, took = wait_for_screen(notice_shown, 2.5)
    c.check(shot is not None, "without a print system the notice shows too")
    click(*SHIRT)
    shot, took = wait_for_screen(lambda s: canvas_pixel(s, SHIRT) == RED, 2.5)
    c.check(shot is not None and notice_shown(shot),
            "a fill during the notice shows while the notice is up (after %.2f s)" % took)
    shot, took = wait_for_screen(lambda s: not notice_shown(s), 8)
    c.check(shot is not None, "the notice goes")
    click(*SHOE)
    shot, took = wait_for_screen(lambda s: canvas_pixel(s, SHOE) == RED, 2.5)
    c.check(shot is not None, "after the notice a click still fills (after %.2f s)" % took)
    screenshot(os.path.join(shots, "printing-no-scheduler.png"))
    c.check(book.proc.poll() is None and not our_pdfs() - before,
            "the program runs on and nothing was printed")
finally:
    book.cleanup()
    shutil.rmtree(pages, ignore_errors=True)
c.finish()
