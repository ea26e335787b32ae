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

# A sanitizer build (CB_SANITIZE=ON) ends at its first report with this status and writes the
# report to its standard error, which the harness keeps and reads; in any other build these
# settings are ignored. LeakSanitizer stays off: the program leaves through _exit, which
# skips the leak check anyway, and the intro's check finds only what libdbus keeps when SDL
# uses it; memory that grows is measured from outside instead (monkey.py).
SANITIZER_EXIT = 86
SANITIZER_OPTIONS = {
    "ASAN_OPTIONS": "halt_on_error=1:exitcode=%d:detect_leaks=0:abort_on_error=0"
                    % SANITIZER_EXIT,
    "UBSAN_OPTIONS": "halt_on_error=1:exitcode=%d:print_stacktrace=1" % SANITIZER_EXIT,
}
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "SUMMARY: UndefinedBehaviorSanitizer", "SUMMARY: AddressSanitizer")
# The reports found by every book of this test so far; Checks.finish fails on any.
sanitizer_reports = []


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


def window_state(win):
    """The window's state as the window manager set it: Normal, Iconic (minimised), or what
    xprop said instead."""
    out = subprocess.run(["xprop", "-id", win, "WM_STATE"], capture_output=True, text=True).stdout
    return "Iconic" if "Iconic" in out else "Normal" if "Normal" in out else out.strip()


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


HERE = os.path.dirname(os.path.abspath(__file__))


def read_display_number(fd):
    """What an X server started with -displayfd writes: its display number and a newline, in
    two writes. The pipe is read to the newline, because a server whose second write finds
    the pipe closed ends with a fatal error. Returns '' when the server ended first."""
    said = b""
    while not said.endswith(b"\n"):
        chunk = os.read(fd, 16)
        if not chunk:
            break
        said += chunk
    return said.decode().strip()


class XServer:
    """An X server of the test's own with a window manager on it: Xvfb at 1024 x 768, or, with
    dummy=True, Xorg's dummy driver whose desktop runs at 1280 x 1024 (that needs root). It
    takes the first free display number, or, with CB_X_DISPLAYS=first-last set, the first free
    one of that range, so that developers who share a machine keep out of each other's way."""

    def __init__(self, dummy=False):
        self.work = tempfile.mkdtemp(prefix="colouring-x-")
        if dummy:
            command = ["Xorg", "-noreset", "-nolisten", "tcp",
                       "-config", os.path.join(HERE, "xorg-dummy.conf"),
                       "-logfile", os.path.join(self.work, "xorg.log")]
        else:
            command = ["Xvfb", "-screen", "0", "1024x768x24", "-nolisten", "tcp"]
        # A server that ends at once (another one took the number meanwhile) is tried again.
        for _ in range(3):
            self.number = self._start(command)
            if self.number is not None:
                break
            time.sleep(0.5)
        else:
            raise RuntimeError("the X server %s does not start" % command[0])
        self.display = ":%d" % self.number
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.start_window_manager()

    def start_window_manager(self):
        self.wm = subprocess.Popen(["matchbox-window-manager", "-use_titlebar", "no"],
                                   env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    def _start(self, command):
        """Starts the server; returns its display number, or None when it ended at once."""
        wanted = self._free_display()
        if wanted is None:
            read_end, write_end = os.pipe()
            self.server = subprocess.Popen(command + ["-displayfd", str(write_end)],
                                           pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
            os.close(write_end)
            said = read_display_number(read_end)
            os.close(read_end)
            return int(said) if said else None
        self.server = subprocess.Popen([command[0], ":%d" % wanted] + command[1:],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(200):
            if self.server.poll() is not None:
                return None
            if os.path.exists("/tmp/.X11-unix/X%d" % wanted):
                return wanted
            time.sleep(0.05)
        return wanted

    @staticmethod
    def _free_display():
        chosen = os.environ.get("CB_X_DISPLAYS")
        if not chosen:
            return None
        first, last = (int(n) for n in chosen.split("-"))
        for n in range(first, last + 1):
            if not os.path.exists("/tmp/.X%d-lock" % n) and \
                    not os.path.exists("/tmp/.X11-unix/X%d" % n):
                return n
        raise RuntimeError("no free display in " + chosen)

    def kill(self):
        """The server goes away at once, as in a crash; the files it leaves are removed."""
        self.server.kill()
        self.server.wait(10)
        for stale in ("/tmp/.X%d-lock" % self.number, "/tmp/.X11-unix/X%d" % self.number):
            try:
                os.remove(stale)
            except FileNotFoundError:
                pass

    def stop(self):
        if self.wm.poll() is None:
            self.wm.terminate()
            self.wm.wait(10)
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(10)
            except subprocess.TimeoutExpired:
                self.kill()
        shutil.rmtree(self.work, ignore_errors=True)


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
        for name, value in SANITIZER_OPTIONS.items():
            extra = os.environ.get(name)
            self.env[name] = value + (":" + extra if extra else "")
        # The standard error of every run of the program, and of the intro it starts.
        self.stderr_path = os.path.join(self.tmp, "stderr.log")
        self.proc = None
        self.started = None

    def record_links(self):
        """Puts a browser in place that only writes down what it was asked to open, found by
        the desktop's real xdg-open both as the default handler of web pages and as $BROWSER.
        Returns the file it writes to, an address a line."""
        rec = os.path.join(self.tmp, "browser")
        os.makedirs(os.path.join(rec, "data", "applications"))
        os.makedirs(os.path.join(rec, "config"))
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
        self.env.update(BROWSER=recorder, XDG_DATA_HOME=os.path.join(rec, "data"),
                        XDG_CONFIG_HOME=os.path.join(rec, "config"))
        return opened

    def start(self):
        # The pointer starts over the window background, wherever an earlier test left it, so
        # that no button shows its hover picture by chance.
        if self.env.get("DISPLAY") and shutil.which("xdotool"):
            subprocess.run(["xdotool", "mousemove", "1010", "20"], env=self.env,
                           capture_output=True)
        self.started = time.monotonic()
        with open(self.stderr_path, "ab") as stderr:
            self.proc = subprocess.Popen(self.prefix + [self.link], cwd="/", env=self.env,
                                         stdout=subprocess.DEVNULL, stderr=stderr)

    def sanitizer_report(self):
        """The sanitizer reports written so far by the program or its intro, or ''."""
        try:
            with open(self.stderr_path, errors="replace") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return ""
        first = next((i for i, line in enumerate(lines)
                      if any(mark in line for mark in SANITIZER_MARKS)), None)
        return "" if first is None else "\n".join(lines[first:first + 80])

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

    def intro_pids(self):
        """The processes of this book's intro program."""
        out = subprocess.run(["pgrep", "-f", os.path.join(self.dir, "COLORS.EXE")],
                             capture_output=True, text=True).stdout
        return [int(p) for p in out.split()]

    def end_intro(self):
        for pid in self.intro_pids():
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass

    def cleanup(self):
        self.stop()
        self.end_intro()
        report = self.sanitizer_report()
        if report:
            print("sanitizer report:\n" + report)
            sanitizer_reports.append(report)
        shutil.rmtree(self.tmp, ignore_errors=True)


def closed_port():
    """A port on 127.0.0.1 where nothing listens: a print system that is not there."""
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


class Checks:
    def __init__(self):
        self.failures = []

    def check(self, ok, what):
        print(("ok    " if ok else "FAIL  ") + what)
        if not ok:
            self.failures.append(what)

    def finish(self):
        if sanitizer_reports:
            self.check(False, "no sanitizer report (%d found, shown above)"
                       % len(sanitizer_reports))
        passed_note = "all checks passed" if not self.failures else \
            "%d check(s) failed" % len(self.failures)
        print(passed_note)
        sys.exit(1 if self.failures else 0)
