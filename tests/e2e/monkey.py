"""A four-year-old at the keyboard and the mouse for as long as asked: random pointer moves,
clicks, drags, double clicks and key presses, most of them on the program's controls; the
system keys, Shift, Ctrl+P, R and X, Yes and No among them. The real program runs on an X
server of the test's own under a window manager, sound going to SDL's disk driver (its file
emptied now and then), printing to the test scheduler when CUPS_SERVER names one and
otherwise to a closed port, links to a recording browser; a parent brings the window back
whenever a link has minimised it.

The run: the program starts, the monkey plays a little, then Ctrl+X and Yes end it (status
0) and it is started again. Each run of the program then begins with a tour of every screen,
panel and control, each screen checked by a screenshot, which also warms up everything that
is loaded on first use; then the monkey plays. Yes is on its list only in the first quarter
of the whole time (each Yes is counted, and the program started again), so that the rest is
one long run of the program to measure.

What must hold: no crash, no hang, no sanitizer report (meant for a CB_SANITIZE=ON build),
the program alive, full screen and holding the keyboard at the end, and, over the long run
after warm-up, resident memory and open files that do not grow.

    monkey.py BOOK_DIR [SECONDS]      (120 by default; CB_SEED repeats the monkey's choices)
"""

import os
import random
import shutil
import statistics
import subprocess
import sys
import time

from book_e2e import (SANITIZER_EXIT, SKIP, Book, Checks, Picture, XServer, closed_port,
                      keyboard_grabbed, screenshot, window_state)

if not all(shutil.which(t) for t in ("Xvfb", "xdotool", "matchbox-window-manager", "xprop")):
    print("needs Xvfb, xdotool, xprop and matchbox: skipped")
    sys.exit(SKIP)

book_dir = sys.argv[1]
duration = float(sys.argv[2]) if len(sys.argv) > 2 else 120.0
seed = int(os.environ.get("CB_SEED", time.time_ns() % 1000000))
rng = random.Random(seed)
print("seed %d (CB_SEED repeats the monkey's choices), %.0f s" % (seed, duration))

STARTUP = 7.5  # the two waits of three seconds, and time to draw
SAMPLE_EVERY = 3.0
LOOK_EVERY = 5.0
TRUNCATE_EVERY = 20.0
# After the tour, everything loaded on first use is loaded; a little play settles the rest.
SETTLE = 15.0
# Memory may move by this much between the early and the late part of the long run.
RSS_GROWTH_KB = 2048
# ASan keeps freed memory from reuse for a while to catch late uses: by default 256 MB of it,
# which makes resident memory climb for most of a run and then swing by the size of the
# large blocks that happen to wait in it. A quarantine of 1 MB still catches a use soon after
# the free and leaves resident memory steady enough to see a leak of 2 MB.
QUARANTINE = "quarantine_size_mb=1"


def box(left, top, width, height):
    return (left, top, width, height)


# Where a child's clicks go, by weight. The canvas and the paints take most, as they would;
# No and Close weigh enough that panels do not stay open for most of the run.
PALETTE = [box(8 + 84 * i, 675, 84, 85) for i in range(12)]
THUMBNAILS = [box(left, 48 + 137 * row, 131, 122)
              for row in range(5) for left in (54, 198, 341, 485, 629)]
TARGETS = [
    (30, "canvas", [box(30, 29, 750, 600)]),
    (14, "paint", PALETTE),
    (8, "more pictures", [box(832, 241, 160, 169)]),
    (4, "eraser", [box(825, 412, 112, 61)]),
    (3, "paper", [box(936, 412, 63, 61)]),
    (4, "pencil", [box(804, 571, 62, 81)]),
    (4, "drop", [box(871, 571, 58, 81)]),
    (3, "effects", [box(835, 485, 78, 79)]),
    (4, "music", [box(919, 485, 78, 78)]),
    (8, "thumbnail", THUMBNAILS),
    (3, "back", [box(30, 0, 192, 40)]),
    (12, "no", [box(568, 409, 85, 50)]),
    (10, "close", [box(632, 269, 73, 27)]),
    (1, "maker's link", [box(459, 462, 110, 35)]),
    (1, "product's link", [box(346, 395, 330, 62)]),
    (5, "anywhere", [box(0, 0, 1024, 768)]),
]
YES = (4, "yes", [box(368, 409, 107, 50)])

# Keys by weight: the shortcuts, the ones a desktop would act on, and anything else.
KEYS = [
    (3, ["ctrl+x"]), (3, ["ctrl+r"]), (3, ["ctrl+p"]),
    (2, ["alt+Tab"]), (2, ["alt+F4"]), (2, ["super"]), (1, ["super+d"]), (1, ["Menu"]),
    (1, ["alt+Escape"]), (1, ["alt"]), (1, ["alt+space"]), (1, ["super+l"]), (1, ["alt+c"]),
    (2, ["shift"]), (1, ["shift+Tab"]), (1, ["ctrl+shift+p"]), (1, ["ctrl+alt+x"]),
    (1, ["ctrl+alt+Tab"]), (1, ["Escape"]), (1, ["Return"]), (1, ["space"]),
    (1, ["F1"]), (1, ["F11"]), (1, ["Tab"]), (3, ["a", "s", "d", "f"]), (1, ["ctrl+c"]),
    (1, ["ctrl+q"]), (1, ["ctrl+w"]), (1, ["BackSpace", "Delete"]),
]


def weighted(table):
    return rng.choices(table, weights=[w for w, *_ in table])[0]


def point_in(area):
    left, top, width, height = area
    return left + rng.randrange(width), top + rng.randrange(height)


events = 0


def xdo(*args, count=1):
    """One xdotool command line; `count` is the number of input events it sends."""
    global events
    events += count
    return subprocess.run(["xdotool", *args], capture_output=True, text=True,
                          timeout=30).stdout.strip()


class Monkey:
    """Makes up what a child does, a few things at a time: each batch is one xdotool command
    line, because starting xdotool costs far more than any one event."""

    def __init__(self):
        self.actions = {}
        self.events = 0

    def count(self, what, events):
        self.events += events
        self.actions[what] = self.actions.get(what, 0) + 1

    def target(self, yes_allowed):
        """A control and a point on it. While Yes is not allowed, no click lands where Yes
        shows, whatever it was meant for."""
        table = TARGETS + ([YES] if yes_allowed else [])
        _, name, areas = weighted(table)
        while True:
            x, y = point_in(rng.choice(areas))
            left, top, width, height = YES[2][0]
            if yes_allowed or not (left <= x < left + width and top <= y < top + height):
                return name, (x, y)

    def action(self, yes_allowed):
        """One thing a child does, as xdotool commands, and the name of the control it
        clicked, if any."""
        kind = rng.choices(["click", "move", "drag", "double", "key", "burst", "wheel"],
                           weights=[40, 14, 8, 6, 18, 6, 2])[0]
        if kind == "key":
            key = rng.choice(weighted(KEYS)[1])
            self.count("key " + key, 1)
            return ["key", "--delay", str(rng.randint(5, 60)), key], None
        name, (x, y) = self.target(yes_allowed)
        here = ["mousemove", str(x), str(y)]
        if kind == "move":
            self.count("move", 1)
            return here, None
        if kind == "wheel":
            self.count("wheel", 2)
            return here + ["click", rng.choice(["4", "5"])], None
        if kind == "drag":
            to = point_in(box(0, 0, 1024, 768) if rng.random() < 0.3 else
                          box(30, 29, 750, 600))
            steps = []
            for i in range(1, rng.randint(2, 8)):
                steps += ["mousemove", str(x + (to[0] - x) * i // 8),
                          str(y + (to[1] - y) * i // 8)]
            button = rng.choice(["1", "1", "1", "3"])
            self.count("drag", 3 + len(steps) // 3)
            return (here + ["mousedown", button] + steps +
                    ["mousemove", str(to[0]), str(to[1]), "mouseup", button]), name
        if kind == "double":
            self.count("double click", 3)
            return here + ["click", "--repeat", "2", "--delay", str(rng.randint(30, 150)),
                           "1"], name
        if kind == "burst":
            # Everything pressed at once: a click, a key and another click without a pause.
            other = self.target(yes_allowed)[1]
            key = rng.choice(weighted(KEYS)[1])
            self.count("burst", 5)
            return here + ["click", "1", "key", key, "mousemove", str(other[0]),
                           str(other[1]), "click", "1"], name
        button = rng.choices(["1", "2", "3"], weights=[10, 1, 2])[0]
        self.count("click " + name, 2)
        return here + ["click", button], name

    def play(self, yes_allowed):
        """Does a few things, with a child's pauses between them (or none); returns the
        controls clicked. A click on More pictures ends the batch, so that a look can find
        the gallery before the next click takes it away."""
        commands, clicked = [], []
        before = self.events
        for _ in range(rng.randint(1, 6)):
            command, name = self.action(yes_allowed)
            commands += command
            if name:
                clicked.append(name)
                if name == "more pictures":
                    break
            if rng.random() < 0.7:
                commands += ["sleep", "%.3f" % rng.uniform(0.0, 0.15)]
        xdo(*commands, count=self.events - before)
        return clicked


def vm_rss_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return None


class Screens:
    """Which screen or panel a screenshot shows, by the pictures at their places."""

    def __init__(self, pictures):
        def load(name):
            return Picture.load(os.path.join(pictures, name))
        self.looks = [("exit dialog", load("CTRLX.JPG"), 312, 259, 400, 140),
                      ("info panel", load("CTRL-R.JPG"), 312, 259, 400, 120),
                      ("print notice", load("PRINTING.JPG"), 312, 259, 400, 250),
                      ("gallery", load("BACK1.JPG"), 30, 0, 192, 40),
                      ("gallery", load("BACK2.JPG"), 30, 0, 192, 40),
                      ("main screen", load("MOREIMAGES1.JPG"), 832, 241, 160, 169),
                      ("main screen", load("MOREIMAGES2.JPG"), 832, 241, 160, 169)]
        self.seen = {}

    def look(self, window=None):
        if window and window_state(window) == "Iconic":
            self.seen["minimised"] = self.seen.get("minimised", 0) + 1
            return "minimised"
        shot = screenshot()
        found = "something else"
        for name, picture, left, top, w, h in self.looks:
            if shot.region_difference(picture, left, top, w, h) < 6:
                found = name
                break
        self.seen[found] = self.seen.get(found, 0) + 1
        return found


class Program:
    """The program under the monkey: started again after a Yes, watched, measured."""

    def __init__(self):
        self.book = Book(book_dir, env={"SDL_AUDIODRIVER": "disk", "CUPS_SERVER": cups})
        self.book.env["ASAN_OPTIONS"] += ":" + QUARANTINE
        self.audio = os.path.join(self.book.tmp, "audio.raw")
        self.book.env["SDL_DISKAUDIOFILE"] = self.audio
        self.opened = self.book.record_links()
        self.lives = []  # per run: {"samples": [(seconds, rss kB, fds)], "toured": seconds}
        self.restarts = 0
        self.restores = 0
        self.next_sample = self.next_truncate = 0.0

    def launch(self, wait=True):
        self.book.start()
        self.lives.append({"samples": [], "toured": None})
        if wait:
            self.book.wait_until(STARTUP)

    def seconds(self):
        return time.monotonic() - self.book.started

    def tick(self):
        """Samples memory and open files and empties the sound file when it is time; returns
        the exit status if the program has ended."""
        code = self.book.proc.poll()
        if code is not None:
            return code
        now = time.monotonic()
        if now >= self.next_sample:
            pid = self.book.proc.pid
            try:
                sample = (self.seconds(), vm_rss_kb(pid), len(os.listdir("/proc/%d/fd" % pid)))
                self.lives[-1]["samples"].append(sample)
            except (FileNotFoundError, ProcessLookupError):
                pass
            self.next_sample = now + SAMPLE_EVERY
        if now >= self.next_truncate:
            if os.path.exists(self.audio):
                os.truncate(self.audio, 0)
            self.next_truncate = now + TRUNCATE_EVERY
        return None

    def window(self):
        """The program's window, looked up once a run: the lookup walks every window."""
        life = self.lives[-1]
        if not life.get("window"):
            life["window"] = self.book.window()
        return life["window"]

    def restore_if_minimised(self, sync=False):
        keep_window_manager()  # without it a minimised window cannot come back
        win = self.window()
        if win and window_state(win) == "Iconic":
            xdo("windowactivate", *(["--sync"] if sync else []), win)
            self.restores += 1
            return True
        return False

    def wait(self, seconds):
        """Waits, watching; False if the program ended meanwhile."""
        until = time.monotonic() + seconds
        while time.monotonic() < until:
            if self.tick() is not None:
                return False
            time.sleep(min(0.2, max(0.0, until - time.monotonic())))
        return self.tick() is None


def click(x, y):
    xdo("mousemove", str(x), str(y), "sleep", "0.1", "click", "1", count=2)


def drag(points):
    steps = []
    for x, y in points[1:]:
        steps += ["mousemove", str(x), str(y), "sleep", "0.02"]
    xdo("mousemove", str(points[0][0]), str(points[0][1]), "mousedown", "1", *steps,
        "mouseup", "1", count=2 + len(points))


tour_results = {}


def expect(screen, what):
    found = screens.look()
    tour_results.setdefault(what, []).append(found == screen)
    if found != screen:
        print("the tour: %s showed %s, not the %s" % (what, found, screen))


def link(program, x, y):
    """Clicks a link of the info panel, which minimises the window for the browser; the
    window is brought back once it is minimised."""
    click(x, y)
    minimised = False
    for _ in range(30):
        if not program.wait(0.2):
            return
        if program.restore_if_minimised(sync=True):
            minimised = True
            program.wait(0.8)
            break
    tour_results.setdefault("a link minimises the window", []).append(minimised)


def tour(program):
    """Every screen, panel and control once, from a freshly started program."""
    steps = [
        (lambda: click(912, 320), 1.0, "gallery", "More pictures"),
        (lambda: xdo("mousemove", "258", "245", "sleep", "0.3", "mousemove", "402", "383"),
         0.3, None, None),
        (lambda: click(258, 382), 1.0, "main screen", "a thumbnail"),
        (lambda: click(300, 409), 0.5, None, None),   # a fill
        (lambda: click(135, 717), 0.5, None, None),   # the green paint
        (lambda: click(835, 611), 0.5, None, None),   # the pencil
        (lambda: drag([(200, 200), (260, 240), (320, 200), (400, 300)]), 0.5, None, None),
        (lambda: click(900, 611), 0.5, None, None),   # the drop
        (lambda: click(500, 300), 0.5, None, None),
        (lambda: click(881, 442), 3.0, None, None),   # the eraser's wipe
        (lambda: click(967, 442), 3.0, None, None),   # the paper
        (lambda: click(874, 524), 0.5, None, None),   # effects off
        (lambda: click(874, 524), 0.5, None, None),   # and on
        # The music on and off twice: the second time the new tune is loaded while the old
        # one is still held, which sets the high-water mark of memory.
        (lambda: click(958, 524), 2.0, None, None),
        (lambda: click(958, 524), 0.5, None, None),
        (lambda: click(958, 524), 2.0, None, None),
        (lambda: click(958, 524), 0.5, None, None),
        (lambda: xdo("key", "ctrl+p"), 1.0, "print notice", "Ctrl+P"),
        (lambda: None, 3.0, "main screen", "the end of the notice"),
        (lambda: xdo("key", "ctrl+r"), 0.7, "info panel", "Ctrl+R"),
        (lambda: link(program, 511, 426), 0.0, "info panel", "the product's link"),
        (lambda: link(program, 514, 479), 0.0, "info panel", "the maker's link"),
        (lambda: click(668, 282), 0.7, "main screen", "Close"),
        (lambda: xdo("key", "ctrl+x"), 0.7, "exit dialog", "Ctrl+X"),
        (lambda: click(610, 434), 0.7, "main screen", "No"),
    ]
    for act, pause, screen, what in steps:
        act()
        if not program.wait(pause):
            return False
        if screen:
            expect(screen, what)
    program.lives[-1]["toured"] = program.seconds()
    return True


def say_yes(program):
    """Ctrl+X and Yes: the program ends with status 0 within a bound that catches a hang. The
    monkey may have left the window minimised, the intro still running or the info panel open
    (it lies over the dialog, its link where Yes is), so the dialog is looked for before the
    click."""
    for _ in range(5):
        program.restore_if_minimised(sync=True)
        if screens.look(program.window()) == "info panel":
            click(632 + 36, 269 + 13)  # its Close
            program.wait(0.5)
        xdo("key", "ctrl+x")
        if not program.wait(0.7) or screens.look(program.window()) == "exit dialog":
            break
        program.wait(1.0)
    click(421, 434)
    try:
        code = program.book.proc.wait(5)
    except subprocess.TimeoutExpired:
        code = "still running after 5 s"
    return code


c = Checks()
x = XServer()
os.environ["DISPLAY"] = x.display
cups = os.environ.get("CUPS_SERVER") or "127.0.0.1:%d" % closed_port()
pdf_dir = os.environ.get("CB_CUPS_PDF_DIR")
pdfs_before = set(os.listdir(pdf_dir)) if pdf_dir and os.path.isdir(pdf_dir) else set()
monkey = Monkey()
screens = Screens(os.path.join(book_dir, "PICTURE"))
program = Program()
failure = None
start = time.monotonic()
end = start + duration
yes_until = start + duration / 4


wm_restarts = 0


def keep_window_manager():
    """matchbox now and then ends with a segmentation fault under the monkey's keys and
    clicks (seen about once in three minutes); the desktop is not under test, so it is started
    again as a session would, and a minimised window can come back."""
    global wm_restarts
    if x.wm.poll() is not None:
        print("the window manager ended (status %s) and is started again" % x.wm.returncode)
        wm_restarts += 1
        x.start_window_manager()


def ended(code):
    return "the program ended with status %s%s" % (
        code, " (a sanitizer report)" if code == SANITIZER_EXIT else "")


try:
    # The first run: play from the start, through the intro, then the child's way out.
    program.launch(wait=False)
    until = time.monotonic() + STARTUP + min(10.0, duration / 10)
    while failure is None and time.monotonic() < until:
        monkey.play(yes_allowed=False)
        program.restore_if_minimised()
        code = program.tick()
        if code is not None:
            failure = ended(code)
    if failure is None:
        code = say_yes(program)
        c.check(code == 0, "Ctrl+X and Yes end the program with status %s" % code)
        if code != 0:
            failure = ended(code)

    next_look = 0.0
    while failure is None and time.monotonic() < end:
        code = program.tick()
        if code is not None:
            if code != 0:
                failure = ended(code)
                break
            program.restarts += 1  # after a Yes
            program.launch()
            if not tour(program):
                continue
        if time.monotonic() >= next_look:
            screens.look(program.window())
            next_look = time.monotonic() + LOOK_EVERY
        # A link minimises the window for the browser, and a click anywhere on the canvas may
        # be one; the parent brings it back before the child goes on.
        if program.restore_if_minimised():
            program.wait(0.3)
        clicked = monkey.play(yes_allowed=time.monotonic() < yes_until)
        if "more pictures" in clicked and rng.random() < 0.5:
            program.wait(0.5)
            screens.look(program.window())

    # The end: the window back if minimised, a wipe or a notice over, then a look at it.
    if failure is None:
        # A link clicked last may minimise the window a while later, once the program has
        # caught up with its input.
        for _ in range(5):
            if not program.wait(2.0):
                failure = ended(program.book.proc.returncode)
                break
            if not program.restore_if_minimised(sync=True):
                break
    c.check(failure is None, failure or "the program ran for the whole %.0f s" % duration)
    book = program.book
    if failure is None:
        win = program.window()
        geometry = xdo("getwindowgeometry", win, count=0)
        c.check("Geometry: 1024x768" in geometry and "Position: 0,0" in geometry,
                "at the end it is full screen (%s)" % " ".join(geometry.split()[2:]))
        focus = xdo("getwindowfocus", count=0)
        c.check(keyboard_grabbed(), "at the end it holds the keyboard (window %s, %s, focus "
                "on %s)" % (win, window_state(win), focus))

    print("%d events sent (%d of the monkey's actions besides the tours); %d restarts after a "
          "Yes; %d minimised windows restored"
          % (events, sum(monkey.actions.values()), program.restarts, program.restores))
    if wm_restarts:
        print("the window manager was started again %d times" % wm_restarts)
    print("screens seen: " + ", ".join("%s %d" % kv for kv in sorted(screens.seen.items())))
    links = len(open(program.opened).read().splitlines()) \
        if os.path.exists(program.opened) else 0
    print("links opened: %d" % links)
    for what, results in tour_results.items():
        c.check(all(results), "the tour: %s (%d of %d times)" % (what, sum(results),
                                                                  len(results)))

    # Memory and open files over the longest run, after its tour and some play.
    life = max(program.lives, key=lambda l: l["samples"][-1][0] if l["samples"] else 0)
    samples = life["samples"]
    length = samples[-1][0] if samples else 0
    warm = (life["toured"] or length) + SETTLE
    window = max(10.0, (length - warm) / 6)
    early = [s for s in samples if warm <= s[0] < warm + window]
    late = [s for s in samples if s[0] > length - window]
    print("samples of the long run (s: RSS MB/open files): " + " ".join(
        "%.0f:%.1f/%d" % (t, rss / 1024, fds) for t, rss, fds in samples))
    if failure is None and len(early) >= 3 and len(late) >= 3 and late[0][0] > early[-1][0]:
        early_rss = statistics.median(s[1] for s in early)
        late_rss = statistics.median(s[1] for s in late)
        print("the long run, %.0f s: RSS %d kB at start-up, %d kB after warm-up (%.0f s), "
              "%d kB at the end, %d kB at most" % (length, samples[0][1], early_rss, warm,
                                                   late_rss, max(s[1] for s in samples)))
        c.check(late_rss - early_rss < RSS_GROWTH_KB,
                "resident memory stays flat after warm-up (%+d kB)" % (late_rss - early_rss))
        early_fds, late_fds = min(s[2] for s in early), min(s[2] for s in late)
        print("open files: %d after warm-up, %d at the end, %d at most"
              % (early_fds, late_fds, max(s[2] for s in samples)))
        c.check(late_fds <= early_fds, "open files stay flat (%d, then %d)"
                % (early_fds, late_fds))
    else:
        c.check(failure is not None, "the long run is long enough to measure (%.0f s)" % length)
    if failure is None:
        code = book.stop()
        c.check(code == 0, "SIGTERM ends it cleanly at the end (status %s)" % code)
finally:
    program.book.cleanup()
    x.stop()
    if pdf_dir and os.path.isdir(pdf_dir):
        # The pages the monkey printed, once the queue has written them all.
        for _ in range(100):
            queued = subprocess.run(["lpstat", "-o"], capture_output=True, text=True).stdout
            if not queued.strip():
                break
            time.sleep(0.2)
        printed = [name for name in set(os.listdir(pdf_dir)) - pdfs_before
                   if "Colouring_Book" in name]
        print("pages printed: %d" % len(printed))
        for name in printed:
            os.remove(os.path.join(pdf_dir, name))
c.finish()
