"""Helpers for the end-to-end tests: the real program on the X display in $DISPLAY, input
through xdotool, screenshots through xwd and ImageMagick, pictures compared pixel by pixel."""

import ctypes
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77  # ctest's skip code: no display to test on


def need_display():
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("no X display or xdotool: skipped")
        sys.exit(SKIP)


def read_ppm(data):
    """Returns (width, height, bytes) of a binary PPM."""
    parts = []
    pos = 0
    while len(parts) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        parts.append(data[pos:end])
        pos = end
    assert parts[0] == b"P6", parts[0]
    w, h = int(parts[1]), int(parts[2])
    return w, h, data[pos + 1:pos + 1 + w * h * 3]


class Picture:
    def __init__(self, w, h, rgb):
        self.w, self.h, self.rgb = w, h, rgb

    @staticmethod
    def load(path):
        out = subprocess.run(["/usr/bin/convert", path + "[0]", "-depth", "8", "ppm:-"],
                             check=True, capture_output=True).stdout
        return Picture(*read_ppm(out))

    def at(self, x, y):
        i = (y * self.w + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region_difference(self, other, left, top, w=None, h=None):
        """Mean absolute difference per channel between other (at 0,0) and this picture's
        region at (left, top)."""
        w = min(w or other.w, other.w)
        h = min(h or other.h, other.h)
        total = 0
        for y in range(h):
            a = self.rgb[((top + y) * self.w + left) * 3:((top + y) * self.w + left + w) * 3]
            b = other.rgb[y * other.w * 3:(y * other.w + w) * 3]
            total += sum(abs(p - q) for p, q in zip(a, b))
        return total / (w * h * 3)


def screenshot(save_as=None):
    xwd = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
    out = subprocess.run(["/usr/bin/convert", "xwd:-", "-depth", "8", "ppm:-"], input=xwd,
                         check=True, capture_output=True).stdout
    if save_as:
        subprocess.run(["/usr/bin/convert", "xwd:-", "png:" + save_as], input=xwd, check=True)
    return Picture(*read_ppm(out))


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def keyboard_grabbed():
    """Whether some client holds the X keyboard: another client's grab of it is refused."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_int, ctypes.c_ulong]
    x.XUngrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    grab_success, grab_mode_async = 0, 1
    result = x.XGrabKeyboard(display, x.XDefaultRootWindow(display), 1, grab_mode_async,
                             grab_mode_async, 0)
    if result == grab_success:
        x.XUngrabKeyboard(display, 0)
    x.XCloseDisplay(display)
    return result != grab_success


def as_user(user):
    """The command prefix that runs a program as that user, in the same process (its PID is
    the program's own)."""
    account = pwd.getpwnam(user)
    return ["setpriv", "--reuid", str(account.pw_uid), "--regid", str(account.pw_gid),
            "--init-groups", "--"]


class Book:
    """A copy of the built book in a folder with lower-case letters, started through a
    symlink from another working directory. With a user, the copy belongs to that user and
    the program runs as that user with exactly the environment given, as in a session of
    that user's own."""

    def __init__(self, book_dir, env=None, user=None):
        self.tmp = tempfile.mkdtemp(prefix="colouring-e2e-")
        self.dir = os.path.join(self.tmp, "my colouring book")
        shutil.copytree(book_dir, self.dir, symlinks=True)
        self.link = os.path.join(self.tmp, "start-the-book")
        os.symlink(os.path.join(self.dir, "colouring-book"), self.link)
        self.prefix = []
        if user:
            subprocess.run(["chown", "-R", "--no-dereference", user, self.tmp], check=True)
            self.prefix = as_user(user)
            self.env = dict(env or {})
        else:
            self.env = dict(os.environ, **(env or {}))
        self.proc = None
        self.started = None

    def start(self):
        # The pointer starts over the window background, wherever an earlier test left it, so
        # that no button shows its hover picture by chance.
        if self.env.get("DISPLAY") and shutil.which("xdotool"):
            subprocess.run(["xdotool", "mousemove", "1010", "20"], env=self.env,
                           capture_output=True)
        self.started = time.monotonic()
        self.proc = subprocess.Popen(self.prefix + [self.link], cwd="/", env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_until(self, seconds_after_start):
        delay = self.started + seconds_after_start - time.monotonic()
        if delay > 0:
            time.sleep(delay)

    def window(self):
        ids = xdotool("search", "--pid", str(self.proc.pid)).split()
        return ids[-1] if ids else None

    def stop(self):
        """SIGTERM, as a shutdown sends it; returns the exit code."""
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                return self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                return "hung"
        return self.proc.returncode if self.proc else None

    def cleanup(self):
        self.stop()
        subprocess.run(["pkill", "-f", os.path.join(self.dir, "COLORS.EXE")])
        shutil.rmtree(self.tmp, ignore_errors=True)


def closed_port():
    """A port on 127.0.0.1 where nothing listens: a print system that is not there."""
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def recording_browser(book):
    """Stands a recorder in for the browser of this book's desktop: xdg-open finds it both as
    the default handler of web pages and as $BROWSER. Returns the file it writes each address
    (or file name) it is handed to, one a line."""
    rec = os.path.join(book.tmp, "browser")
    os.makedirs(os.path.join(rec, "data", "applications"), exist_ok=True)
    os.makedirs(os.path.join(rec, "config"), exist_ok=True)
    opened = os.path.join(rec, "opened.txt")
    recorder = os.path.join(rec, "record.sh")
    with open(recorder, "w") as f:
        f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> "%s"\n' % opened)
    os.chmod(recorder, 0o755)
    with open(os.path.join(rec, "data", "applications", "recorder.desktop"), "w") as f:
        f.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\n"
                "MimeType=text/html;x-scheme-handler/file;\n" % recorder)
    with open(os.path.join(rec, "config", "mimeapps.list"), "w") as f:
        f.write("[Default Applications]\ntext/html=recorder.desktop\n"
                "x-scheme-handler/file=recorder.desktop\n")
    book.env.update(BROWSER=recorder, XDG_DATA_HOME=os.path.join(rec, "data"),
                    XDG_CONFIG_HOME=os.path.join(rec, "config"))
    return opened


class Checks:
    def __init__(self):
        self.failures = []

    def check(self, ok, what):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            self.failures.append(what)

    def finish(self):
        passed_note = "all checks passed" if not self.failures else \
            "%d check(s) failed" % len(self.failures)
        print(passed_note)
        sys.exit(1 if self.failures else 0)
