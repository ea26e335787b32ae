"""The lockdown on a Wayland desktop: under a real sway compositor (headless), the program runs
as a native Wayland window, full screen, and the compositor's own shortcuts do nothing while it
has the keyboard; they work again when another workspace is in front; Ctrl+X and a click on
Yes end it with status 0. Keys come from wtype
through the virtual-keyboard protocol: each wtype call is a keyboard plugged in for the length
of the call, the case where a request made only on the keyboard's arrival comes too late.
sway refuses to run as root, so the compositor and the program run as an ordinary user the
test creates."""

import glob
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

from book_e2e import SKIP, Book, Checks, as_user
from wayland_pointer import VirtualPointer

TOOLS = ("sway", "swaymsg", "wtype", "setpriv", "useradd")
if os.geteuid() != 0 or not all(shutil.which(t) for t in TOOLS):
    print("needs root, sway, wtype and setpriv: skipped")
    sys.exit(SKIP)

USER = "cb-wayland"
# A wide output: the program letterboxes its 1024 x 768 layout on it.
OUTPUT_WIDTH, OUTPUT_HEIGHT = 1280, 800
created_user = subprocess.run(["id", USER], capture_output=True).returncode != 0
if created_user:
    subprocess.run(["useradd", "-m", USER], check=True)

work = tempfile.mkdtemp(prefix="colouring-wayland-")
runtime = os.path.join(work, "runtime")
traces = os.path.join(work, "traces")
os.makedirs(runtime, mode=0o700)
os.makedirs(traces)
with open(os.path.join(work, "config"), "w") as config:
    config.write("output * resolution %dx%d\n" % (OUTPUT_WIDTH, OUTPUT_HEIGHT))
    for trace, combo in (("alt-tab", "Mod1+Tab"), ("super-d", "Mod4+d"), ("alt-f4", "Mod1+F4")):
        config.write("bindsym %s exec touch %s/%s\n" % (combo, traces, trace))
subprocess.run(["chown", "-R", USER, work], check=True)

session = {"HOME": os.path.expanduser("~" + USER), "PATH": "/usr/bin:/bin",
           "XDG_RUNTIME_DIR": runtime}
sway_log = os.path.join(work, "sway.log")
sway = subprocess.Popen(
    as_user(USER) + ["sway", "-c", os.path.join(work, "config")],
    env=dict(session, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
             WLR_RENDERER="pixman"),
    stdout=subprocess.DEVNULL, stderr=open(sway_log, "w"))
books = []


def clean_up(show_log):
    for book in books:
        book.cleanup()
    sway.terminate()
    try:
        sway.wait(10)
    except subprocess.TimeoutExpired:
        sway.kill()
    if show_log:
        sys.stderr.write(open(sway_log).read()[-3000:])
    shutil.rmtree(work, ignore_errors=True)
    if created_user:
        # Xwayland ends a moment after sway; a user with processes left cannot be removed.
        wait_for(lambda: subprocess.run(["pgrep", "-u", USER], capture_output=True).returncode,
                 5)
        subprocess.run(["userdel", "-r", USER], capture_output=True)


def sockets():
    displays = [p for p in glob.glob(os.path.join(runtime, "wayland-*")) if "." not in p]
    ipc = glob.glob(os.path.join(runtime, "sway-ipc.*.sock"))
    return displays and ipc and (os.path.basename(displays[0]), ipc[0])


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.1)


found = wait_for(sockets, 10)
if not found:
    clean_up(show_log=True)
    sys.exit("sway did not start")
session["WAYLAND_DISPLAY"], ipc = found


def user_command(*args):
    return subprocess.run(as_user(USER) + list(args), env=dict(session, SWAYSOCK=ipc),
                          capture_output=True, text=True).stdout


def keys(*args):
    user_command("wtype", *args)


def trace_names():
    return sorted(os.listdir(traces))


def clear_traces():
    for name in trace_names():
        os.remove(os.path.join(traces, name))


def window_of(pid):
    """sway's node of the program's window, or None."""
    def walk(node):
        if node.get("pid") == pid:
            return node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            found = walk(child)
            if found:
                return found
        return None
    return walk(json.loads(user_command("swaymsg", "-t", "get_tree")))


def full_screen_and_focused(pid):
    node = window_of(pid)
    return bool(node and node["fullscreen_mode"] == 1 and node["focused"] and
                node["rect"]["width"] == OUTPUT_WIDTH and node["rect"]["height"] == OUTPUT_HEIGHT)


def on_output(x, y):
    """Where a point of the 1024 x 768 layout is on the output, letterboxed."""
    scale = min(OUTPUT_WIDTH / 1024, OUTPUT_HEIGHT / 768)
    return (round((OUTPUT_WIDTH - 1024 * scale) / 2 + x * scale),
            round((OUTPUT_HEIGHT - 768 * scale) / 2 + y * scale))


SHORTCUTS = [(("-M", "alt", "-k", "Tab", "-m", "alt"), "Alt+Tab"),
             (("-M", "logo", "-k", "d", "-m", "logo"), "Super+D"),
             (("-M", "alt", "-k", "F4", "-m", "alt"), "Alt+F4")]

c = Checks()
try:
    for args, _ in SHORTCUTS:
        keys(*args)
    wait_for(lambda: len(trace_names()) == 3, 3)
    c.check(trace_names() == ["alt-f4", "alt-tab", "super-d"],
            "without the program the compositor's shortcuts run (%s)" % trace_names())
    clear_traces()

    # Xwayland starts with the first X client; sway names its display to its children.
    user_command("swaymsg", "exec", "printenv DISPLAY > %s/display" % work)
    xdisplay = wait_for(lambda: os.path.exists(work + "/display") and
                        open(work + "/display").read().strip(), 3)

    book = Book(sys.argv[1], env=dict(session, DISPLAY=xdisplay or ""), user=USER)
    books.append(book)
    book.start()
    pid = book.proc.pid
    c.check(wait_for(lambda: full_screen_and_focused(pid), 15),
            "the program's window is full screen on the whole output and focused")
    node = window_of(pid) or {}
    c.check(node.get("shell") == "xdg_shell",
            "it is a native Wayland window (%s)" % node.get("shell"))

    # SDL 2.26 crashes when the very first keyboard it meets is a virtual one that arrives with
    # a key already held (it looks the key up in a layout it has not been told yet). A keyboard
    # that comes and goes without a key tells it, as a real keyboard does at start-up.
    keys("-s", "300")
    for args, name in SHORTCUTS:
        keys(*args)
        time.sleep(0.5)
        c.check(not trace_names() and book.proc.poll() is None and full_screen_and_focused(pid),
                "%s does not reach the compositor; the program runs on, full screen and "
                "focused (%s)" % (name, trace_names()))

    user_command("swaymsg", "workspace", "2")
    keys(*SHORTCUTS[0][0])
    c.check(wait_for(lambda: trace_names() == ["alt-tab"], 3),
            "with another workspace in front Alt+Tab reaches the compositor")
    clear_traces()
    user_command("swaymsg", "workspace", "1")
    c.check(wait_for(lambda: full_screen_and_focused(pid), 3), "the program is focused again")
    keys(*SHORTCUTS[0][0])
    time.sleep(0.5)
    c.check(not trace_names(), "back in front, Alt+Tab is held again (%s)" % trace_names())

    # The child's way out: Ctrl+X opens the exit dialog, whose Yes ends the program. A keyboard
    # stays plugged in meanwhile so that no key is lost on a keyboard's arrival.
    keyboard = subprocess.Popen(as_user(USER) + ["wtype", "-s", "5000"], env=session)
    time.sleep(0.5)
    keys("-M", "ctrl", "-k", "x", "-m", "ctrl")
    time.sleep(0.5)
    pointer = VirtualPointer(os.path.join(runtime, session["WAYLAND_DISPLAY"]))
    time.sleep(0.5)
    pointer.click(*on_output(368 + 53, 409 + 25), OUTPUT_WIDTH, OUTPUT_HEIGHT)
    try:
        code = book.proc.wait(5)
    except subprocess.TimeoutExpired:
        code = "still running"
    pointer.close()
    keyboard.kill()
    keyboard.wait()
    c.check(code == 0, "Ctrl+X then Yes ends the program with status 0 (%s)" % code)

    # A compositor the Wayland driver cannot reach leaves the program on X11 (Xwayland).
    if xdisplay:
        book = Book(sys.argv[1], env=dict(session, DISPLAY=xdisplay, WAYLAND_DISPLAY="gone"),
                    user=USER)
        books.append(book)
        book.start()
        shell = wait_for(lambda: (window_of(book.proc.pid) or {}).get("shell"), 10)
        c.check(shell == "xwayland" and book.proc.poll() is None,
                "without a reachable compositor the program runs on X11 (%s)" % shell)
    else:
        c.check(False, "sway names an Xwayland display")
finally:
    clean_up(show_log=bool(c.failures))
c.finish()
