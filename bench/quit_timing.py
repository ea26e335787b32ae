#!/usr/bin/env python3
"""Times the way out in the running colouring book from outside: from the Ctrl+X key to the
exit dialog on screen, and from the click on Yes to the end of the process with the music
playing. Keys and the click go in through XTest and one pixel of the dialog is read every
millisecond. Needs an X display in $DISPLAY. Usage: quit_timing.py build/book [runs]"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from book_e2e import Book, Picture  # noqa: E402
from xprobe import click, ctrl_key, pixel  # noqa: E402

book_dir = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
PROBE = (312 + 200, 259 + 60)  # the dialog's green, over the white canvas
dialog = Picture.load(os.path.join(book_dir, "PICTURE", "CTRLX.JPG")).at(200, 60)

print("run  Ctrl+X to dialog (ms)  Yes to exit, music on (ms)  exit status")
for run in range(1, runs + 1):
    book = Book(book_dir, env={"SDL_AUDIODRIVER": "dummy"})
    try:
        book.start()
        book.wait_until(7.5)
        click(919 + 39, 485 + 39)  # the music on
        time.sleep(1.5)
        start = time.monotonic()
        ctrl_key("x")
        while pixel(*PROBE) != dialog and time.monotonic() - start < 5:
            time.sleep(0.001)
        shown = time.monotonic() - start
        time.sleep(0.5)
        start = time.monotonic()
        click(368 + 53, 409 + 25)  # Yes
        while book.proc.poll() is None and time.monotonic() - start < 5:
            time.sleep(0.001)
        ended = time.monotonic() - start
        print("%3d  %21.1f  %26.1f  %s" % (run, 1000 * shown, 1000 * ended, book.proc.poll()))
    finally:
        book.cleanup()
