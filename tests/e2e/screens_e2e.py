"""The gallery with the real program: "More pictures" shows the 25 white thumbnails at their
grid places and Back; the thumbnail under the pointer lights up; a click puts its page on the
canvas and brings the main screen back; the more-images card lights up and rests."""

import os
import sys
import time

from book_e2e import Book, Checks, Picture, need_display, screenshot, xdotool

need_display()
c = Checks()
shots = os.environ.get("CB_SHOTS", "/tmp")
book = Book(sys.argv[1])
LEFTS = [54, 198, 341, 485, 629]


def picture(name):
    return Picture.load(os.path.join(book.dir, "PICTURE", name))


def move(x, y):
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.3)


def click(x, y):
    move(x, y)
    xdotool("click", "1")
    time.sleep(0.5)


def shows(shot, name, left, top, w=None, h=None):
    diff = shot.region_difference(picture(name), left, top, w, h)
    return diff < 4, diff


try:
    book.start()
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the program is running")

    move(912, 320)  # over "More pictures"
    ok, diff = shows(screenshot(), "MOREIMAGES2.JPG", 832, 241)
    c.check(ok, "More pictures lights up under the pointer (%.2f)" % diff)
    move(1010, 20)  # the window background
    ok, diff = shows(screenshot(), "MOREIMAGES1.JPG", 832, 241)
    c.check(ok, "and rests over the background (%.2f)" % diff)

    click(912, 320)
    move(1010, 740)  # off every thumbnail
    shot = screenshot(os.path.join(shots, "gallery.png"))
    worst = 0
    for n in range(1, 26):
        row, col = (n - 1) // 5, (n - 1) % 5
        nn = 18 * row + 2 * col + 1
        ok, diff = shows(shot, "GALERIJA1BELE_%02d.JPG" % nn, LEFTS[col], 48 + 137 * row)
        worst = max(worst, diff)
        if not ok:
            c.check(False, "thumbnail %d shows its white picture (%.2f)" % (n, diff))
    c.check(worst < 4, "all 25 thumbnails show their white pictures at their places (worst %.2f)"
            % worst)
    ok, diff = shows(shot, "BACK1.JPG", 30, 0)
    c.check(ok, "Back shows at (30, 0) (%.2f)" % diff)

    move(198 + 60, 185 + 60)  # thumbnail 7
    ok, diff = shows(screenshot(os.path.join(shots, "gallery-hover.png")),
                     "GALERIJA1ZUTE_21.JPG", 198, 185)
    c.check(ok, "thumbnail 7 lights up yellow under the pointer (%.2f)" % diff)

    click(198 + 60, 322 + 60)  # thumbnail 12
    move(1010, 20)
    shot = screenshot(os.path.join(shots, "page-12.png"))
    ok, diff = shows(shot, "12.GIF", 30, 29)
    c.check(ok, "the canvas shows page 12 (%.2f)" % diff)
    ok, diff = shows(shot, "MOREIMAGES1.JPG", 832, 241)
    c.check(ok, "the main screen is back (%.2f)" % diff)
    c.check(book.proc.poll() is None, "the program is still running")
finally:
    book.cleanup()
c.finish()
