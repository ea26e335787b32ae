"""The exit dialog and the information panel with the real program under a window manager:
Ctrl+X lays the dialog over the main screen and No takes it away; Ctrl+R and a link minimise
the window and hand the parents' page to the desktop's real xdg-open, which a recording
handler stands in for a browser; Ctrl+X then Yes ends the program with status 0."""

import html.parser
import os
import subprocess
import sys
import time
import urllib.parse

from book_e2e import (Book, Checks, Picture, keyboard_grabbed, need_display, screenshot,
                      window_state, xdotool)

need_display()
c = Checks()
shots = os.environ.get("CB_SHOTS", "/tmp")

book_dir = sys.argv[1]
book = Book(book_dir)
opened = book.record_links()


def picture(name):
    return Picture.load(os.path.join(book.dir, "PICTURE", name))


def shows(shot, name, left, top, w=None, h=None):
    diff = shot.region_difference(picture(name), left, top, w, h)
    return diff < 4, diff


def click(x, y):
    xdotool("mousemove", str(x), str(y))
    time.sleep(0.3)
    xdotool("click", "1")
    time.sleep(0.5)


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("href", "src") and value:
                self.links.append(value)


# The shipped parents' pages exist, and every local link in them resolves.
parents = os.path.join(book_dir, "PARENTS")
for page in ("index.html", "maker.html"):
    path = os.path.join(parents, page)
    c.check(os.path.isfile(path), "the parents' page %s is shipped" % page)
    if not os.path.isfile(path):
        continue
    parser = Links()
    with open(path, encoding="utf-8") as f:
        parser.feed(f.read())
    broken = []
    for link in parser.links:
        target = urllib.parse.urlparse(link)
        if target.scheme in ("http", "https", "mailto"):
            broken.append(link + " (leaves the machine)")
            continue
        if not target.path:
            continue  # a place on the same page
        if not os.path.exists(os.path.join(parents, urllib.parse.unquote(target.path))):
            broken.append(link)
    c.check(not broken and parser.links, "every local link of %s resolves (%d links) %s"
            % (page, len(parser.links), broken))

try:
    book.start()
    book.wait_until(7.5)
    win = book.window()

    xdotool("mousemove", "1010", "20")
    t0 = time.monotonic()
    xdotool("key", "ctrl+x")
    shot = screenshot()
    seen = time.monotonic() - t0
    shot = screenshot(os.path.join(shots, "exit-dialog.png"))
    ok1, d1 = shows(shot, "CTRLX.JPG", 312, 259, 400, 140)  # above the two buttons
    ok2, d2 = shows(shot, "YES1.JPG", 368, 409)
    ok3, d3 = shows(shot, "NO1.JPG", 568, 409)
    c.check(ok1 and ok2 and ok3, "Ctrl+X shows the dialog with Yes and No (%.2f %.2f %.2f; "
            "on screen within %.2f s of the key)" % (d1, d2, d3, seen))
    paper_gone = shot.region_difference(picture("PAPIR1.JPG"), 936, 412) > 10
    c.check(paper_gone, "the paper button is gone while the dialog is open")

    click(568 + 42, 409 + 25)  # No
    xdotool("mousemove", "1010", "20")
    time.sleep(0.3)
    shot = screenshot()
    ok, diff = shows(shot, "01.GIF", 30, 29)
    c.check(ok, "No takes the dialog away (%.2f)" % diff)
    ok, diff = shows(shot, "PAPIR1.JPG", 936, 412)
    c.check(ok, "and the paper button is back (%.2f)" % diff)

    xdotool("key", "ctrl+r")
    time.sleep(0.5)
    screenshot(os.path.join(shots, "info-panel.png"))
    click(346 + 165, 395 + 31)  # the link to the product's page
    time.sleep(1.5)
    c.check(window_state(win) == "Iconic", "the link minimises the window (%s)" % window_state(win))
    c.check(not keyboard_grabbed(), "minimised, the book leaves the keyboard to the browser")
    address = open(opened).read().splitlines() if os.path.exists(opened) else []
    # xdg-open hands a local page on as its file name; a browser gets the address itself.
    page = os.path.join(book.dir, "PARENTS", "index.html")
    c.check(address in ([page], ["file://" + urllib.parse.quote(page)]),
            "xdg-open handed on the parents' page: %s" % address)

    xdotool("windowactivate", "--sync", win)
    time.sleep(1.0)
    geometry = xdotool("getwindowgeometry", win)
    c.check(window_state(win) == "Normal" and "Geometry: 1024x768" in geometry,
            "restored, the window is full screen again")
    c.check(keyboard_grabbed(), "restored, the book holds the keyboard again")
    click(632 + 36, 269 + 13)  # close the panel

    xdotool("key", "ctrl+x")
    time.sleep(0.5)
    xdotool("mousemove", str(368 + 53), str(409 + 25))
    time.sleep(0.3)
    t0 = time.monotonic()
    xdotool("click", "1")
    try:
        code = book.proc.wait(5)
    except subprocess.TimeoutExpired:
        code = "still running"
    took = time.monotonic() - t0
    c.check(code == 0, "Yes ends the program with status 0 (%s, after %.2f s)" % (code, took))
finally:
    book.cleanup()
c.finish()
