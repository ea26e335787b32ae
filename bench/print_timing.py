#!/usr/bin/env python3
"""Times printing in the running colouring book from outside: from Ctrl+P to the notice on
the screen, how long the notice stays (its three seconds and then the call that queues the
job, since the notice is taken down only when that call returns), and from Ctrl+P to the
finished PDF in CUPS-PDF's output folder. The key goes in through XTest and one pixel of the
notice is read through Xlib every millisecond, so neither costs a process start.

Needs an X display in $DISPLAY and the test scheduler (scripts/cups-service start, with
CUPS_SERVER and CB_CUPS_PDF_DIR exported as its README section shows). A second copy of the
program is then pointed at a closed port, for the call with no print system.
Usage: print_timing.py build/book [presses]"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from book_e2e import Book, Picture, closed_port  # noqa: E402
from xprobe import ctrl_key, pixel  # noqa: E402

book_dir = sys.argv[1]
presses = int(sys.argv[2]) if len(sys.argv) > 2 else 5
pdf_dir = os.environ["CB_CUPS_PDF_DIR"]

# A pixel in the middle of the notice, where it is not white like the canvas beneath it.
PROBE = (312 + 200, 259 + 125)
notice = Picture.load(os.path.join(book_dir, "PICTURE", "PRINTING.JPG")).at(200, 125)


def finished_pdfs(before):
    out = []
    for name in set(os.listdir(pdf_dir)) - before:
        if not name.endswith(".pdf"):
            continue
        with open(os.path.join(pdf_dir, name), "rb") as f:
            f.seek(0, os.SEEK_END)
            f.seek(max(0, f.tell() - 32))
            if b"%%EOF" in f.read():
                out.append(name)
    return out


def one_press(expect_pdf):
    """Returns (notice shown, notice gone, PDF finished) in seconds after the key, or None
    for what did not happen within 15 s."""
    before = set(os.listdir(pdf_dir))
    shown = gone = written = None
    start = time.monotonic()
    ctrl_key("p")
    while time.monotonic() - start < 15:
        now = time.monotonic() - start
        on_screen = pixel(*PROBE) == notice
        if shown is None and on_screen:
            shown = now
        if shown is not None and gone is None and not on_screen:
            gone = now
        if written is None and expect_pdf:
            done = finished_pdfs(before)
            if done:
                written = now
                for name in done:
                    os.remove(os.path.join(pdf_dir, name))
        if gone is not None and (written is not None or not expect_pdf):
            break
        time.sleep(0.001)
    return shown, gone, written


def fmt(seconds):
    return "   -   " if seconds is None else "%7.3f" % seconds


def run(label, env, expect_pdf):
    book = Book(book_dir, env=env)
    try:
        book.start()
        book.wait_until(7.5)
        subprocess.run(["xdotool", "mousemove", "300", "400"], check=True)  # over the canvas
        time.sleep(0.5)
        print(label)
        print("  notice shown  notice gone  shown for - 3 s  PDF finished")
        for _ in range(presses):
            shown, gone, written = one_press(expect_pdf)
            extra = None if shown is None or gone is None else gone - shown - 3.0
            print("  %s       %s      %s         %s" % (fmt(shown), fmt(gone), fmt(extra),
                                                       fmt(written)))
            time.sleep(1.0)
    finally:
        book.cleanup()


run("with the test scheduler (CUPS_SERVER=%s)" % os.environ.get("CUPS_SERVER"), None, True)
run("with no print system (a closed port)", {"CUPS_SERVER": "127.0.0.1:%d" % closed_port()},
    False)
