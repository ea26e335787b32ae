"""The Debian package as a family gets it: scripts/package builds it from the existing build,
lintian finds no error in it, apt installs it, and a new unprivileged account starts the book
from PATH on the X display, prints to the tests' CUPS-PDF queue and quits with Ctrl+X and
Yes, while nothing of the installed tree changes. The session for a child's account runs the
book under cage and ends when the book ends. Removing the package leaves none of its files.

It installs into the machine's /usr and adds a user, so it runs only as root, and only where
no colouring-book package is installed already; it needs the X display with its window
manager and the print system that scripts/test starts.

    package_e2e.py SOURCE_DIR BUILD_DIR"""

import glob
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from book_e2e import SKIP, Checks, Picture, need_display, screenshot, xdotool

PACKAGE = "colouring-book"
PROGRAM_DIR = "/usr/lib/colouring-book"
DATA_DIR = "/usr/share/colouring-book"
DESKTOP_FILES = ["/usr/share/applications/colouring-book.desktop",
                 "/usr/share/wayland-sessions/colouring-book.desktop"]


def skip(why):
    print(why + ": skipped")
    sys.exit(SKIP)


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def apt_get(*args):
    # Another apt on the machine holds dpkg's lock for a while; wait for it rather than fail.
    return run("apt-get", "-y", "-o", "DPkg::Lock::Timeout=120", *args,
               env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def installed():
    status = run("dpkg-query", "-W", "-f=${Status}", PACKAGE).stdout
    return "install ok installed" in status


def children(pid):
    """The processes whose parent is pid."""
    found = []
    for stat in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(stat) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[1]) == pid:
            found.append(int(stat.split("/")[2]))
    return found


def processes_of(uid):
    found = []
    for status in glob.glob("/proc/[0-9]*/status"):
        try:
            with open(status) as f:
                line = next(l for l in f if l.startswith("Uid:"))
        except (OSError, StopIteration):
            continue
        if int(line.split()[1]) == uid:
            found.append(int(status.split("/")[2]))
    return found


def executable(pid):
    try:
        return os.readlink("/proc/%d/exe" % pid)
    except OSError:
        return None


def wait_for(predicate, seconds, step=0.1):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return predicate()


def pdf_folder(user):
    """Where CUPS-PDF puts the PDFs of user's jobs: its Out setting with ${HOME} and ${USER}
    of that user, as scripts/cups-service works it out for the one who runs it."""
    out = "/var/spool/cups-pdf/${USER}"
    try:
        with open("/etc/cups/cups-pdf.conf") as f:
            for line in f:
                words = line.split(None, 1)
                if len(words) == 2 and words[0] == "Out":
                    out = words[1].strip()
    except OSError:
        pass
    return out.replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)


def finished_pdfs(folder):
    # A PDF still being written has no cross-reference table yet, and pdfinfo refuses it.
    return [p for p in glob.glob(os.path.join(folder, "*.pdf"))
            if run("pdfinfo", p).returncode == 0]


def changed_since(marker):
    """Anything in the installed tree written after the marker file was."""
    return run("find", PROGRAM_DIR + "/", DATA_DIR + "/", "/usr/bin/colouring-book",
               "-newer", marker).stdout.split()


if os.geteuid() != 0:
    skip("installing a package and adding a user need root")
need_display()
if not shutil.which("apt-get") or not shutil.which("lintian"):
    skip("no apt-get or lintian")
if not os.environ.get("CUPS_SERVER"):
    skip("no print system of the tests' own (scripts/cups-service start)")
if installed():
    skip("a colouring-book package is installed on this machine already; it is left alone")

source_dir, build_dir = sys.argv[1], sys.argv[2]
shots = os.environ.get("CB_SHOTS", "/tmp")
c = Checks()
tmp = tempfile.mkdtemp(prefix="colouring-package-e2e-")
user_name = "cbkid%d" % os.getpid()
user = None
we_installed = False
started = []  # the runuser processes of this test, each ended by its PID at the end

try:
    # The package, built the way a family's parent would, from the build the tests use.
    t0 = time.monotonic()
    made = run(os.path.join(source_dir, "scripts", "package"), cwd=source_dir,
               env=dict(os.environ, CB_BUILD_DIR=build_dir, CB_PACKAGE_DIR=tmp))
    took = time.monotonic() - t0
    deb = made.stdout.strip().splitlines()[-1] if made.stdout.strip() else ""
    arch = run("dpkg", "--print-architecture").stdout.strip()
    failure = made.stderr[-2000:] if made.returncode else ""
    c.check(made.returncode == 0 and os.path.basename(deb).startswith(PACKAGE + "_") and
            deb.endswith("_%s.deb" % arch) and os.path.isfile(deb),
            "scripts/package builds %s in %.1f s %s" % (os.path.basename(deb), took, failure))
    if not os.path.isfile(deb):
        c.finish()

    lint = run("lintian", "--pedantic", "--display-info", deb)
    tags = [l for l in lint.stdout.splitlines() if l[:3] in ("E: ", "W: ", "I: ", "P: ")]
    for tag in tags:
        print("      lintian: " + tag)
    errors = [t for t in tags if t.startswith("E: ")]
    c.check(lint.returncode == 0 and not errors, "lintian reports no error %s" % errors)
    contents = run("dpkg-deb", "--contents", deb).stdout
    c.check("MY_PICTURE" not in contents, "the package ships no MY_PICTURE folder")

    got = apt_get("install", os.path.abspath(deb))
    we_installed = installed()
    failure = (got.stdout + got.stderr)[-1500:] if got.returncode else ""
    c.check(got.returncode == 0 and we_installed, "apt-get installs the package %s" % failure)
    if not we_installed:
        c.finish()
    for desktop in DESKTOP_FILES:
        valid = run("desktop-file-validate", desktop)
        c.check(valid.returncode == 0 and not valid.stdout.strip(),
                "%s is valid %s" % (desktop, valid.stdout.strip()))

    # A child's account, made now: its home has no cache folder until the launcher makes one.
    subprocess.run(["useradd", "--create-home", "--shell", "/bin/sh", user_name], check=True)
    user = pwd.getpwnam(user_name)
    cache = os.path.join(user.pw_dir, ".cache")
    c.check(not os.path.exists(cache), "the new account starts without a cache folder")
    login = {"HOME": user.pw_dir, "USER": user.pw_name, "LOGNAME": user.pw_name,
             "PATH": "/usr/local/bin:/usr/bin:/bin"}

    def as_user(command, env):
        """Runs command as the account, with only the given environment; runuser's child is
        the command's own process, as the scripts exec what they start."""
        args = ["runuser", "-u", user_name, "--", "env", "-i"]
        args += ["%s=%s" % pair for pair in sorted(dict(login, **env).items())]
        proc = subprocess.Popen(args + command, cwd="/", stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        started.append(proc)
        return proc

    marker = os.path.join(tmp, "before-the-book")
    open(marker, "w").close()
    time.sleep(0.05)  # so that a file written right away is newer than the marker
    session = as_user(["colouring-book"], {"DISPLAY": os.environ["DISPLAY"],
                                           "CUPS_SERVER": os.environ["CUPS_SERVER"]})
    time.sleep(7.5)  # the intro and the two waits of three seconds
    c.check(session.poll() is None, "colouring-book starts from PATH for the new account")
    scratch_folder = os.path.join(cache, "colouring-book", "MY_PICTURE")
    c.check(os.path.isdir(scratch_folder) and os.stat(cache).st_uid == user.pw_uid and
            os.stat(cache).st_mode & 0o077 == 0,
            "the launcher made the account's private cache folder with MY_PICTURE in it")
    shot = screenshot(os.path.join(shots, "package-main-screen.png"))
    page = Picture.load(os.path.join(PROGRAM_DIR, "PICTURE", "01.GIF"))
    diff = shot.region_difference(page, 30, 29, 750, 600)
    c.check(diff < 4, "the installed book shows its first page (mean difference %.2f)" % diff)

    outbox = pdf_folder(user)
    xdotool("key", "ctrl+p")
    pdfs = wait_for(lambda: finished_pdfs(outbox), 25, 0.2)
    c.check(len(pdfs) == 1 and os.stat(pdfs[0]).st_uid == user.pw_uid,
            "Ctrl+P prints a PDF as the account's own job into %s: %s" % (outbox, pdfs))
    scratch = os.path.join(scratch_folder, "01.GIF")
    copy = Picture.load(scratch) if os.path.isfile(scratch) else None
    c.check(copy is not None and (copy.w, copy.h) == (750, 600),
            "the print's scratch copy is the account's %s" % scratch)

    xdotool("key", "ctrl+x")
    time.sleep(0.5)
    xdotool("mousemove", str(368 + 53), str(409 + 25))
    time.sleep(0.3)
    xdotool("click", "1")
    try:
        code = session.wait(10)
    except subprocess.TimeoutExpired:
        code = "still running"
    c.check(code == 0, "Ctrl+X then Yes ends the book with status 0 (%s)" % code)
    changed = changed_since(marker)
    c.check(not changed and not os.path.exists(os.path.join(PROGRAM_DIR, "MY_PICTURE")),
            "nothing of the installed tree changed %s" % changed)

    # The session for a child's account: its own command, under cage with a headless output,
    # as a Wayland compositor must run, as an ordinary user with a private runtime folder.
    with open(DESKTOP_FILES[1]) as f:
        exec_line = next(l for l in f if l.startswith("Exec=")).strip()[len("Exec="):]
    runtime = os.path.join(user.pw_dir, "runtime")
    os.mkdir(runtime, 0o700)
    os.chown(runtime, user.pw_uid, user.pw_gid)
    kiosk = as_user(exec_line.split(), {"XDG_RUNTIME_DIR": runtime, "WLR_BACKENDS": "headless",
                                        "WLR_LIBINPUT_NO_DEVICES": "1",
                                        "WLR_RENDERER": "pixman"})
    real_program = os.path.join(PROGRAM_DIR, "colouring-book")

    def cage_and_book():
        cages = [p for p in children(kiosk.pid) if (executable(p) or "").endswith("/cage")]
        books = [p for p in children(cages[0]) if executable(p) == real_program] if cages else []
        return (cages[0], books[0]) if books else None

    cage, book = wait_for(cage_and_book, 10) or (None, None)
    time.sleep(4)  # past the intro and into the main screen
    c.check(book is not None and kiosk.poll() is None and os.path.exists("/proc/%d" % book),
            "the session's command %r runs the book under cage" % exec_line)
    if cage:
        with open("/proc/%d/cmdline" % cage) as f:
            options = f.read().split("\0")[1:]
        options = options[:options.index("--")] if "--" in options else options
        c.check("-s" not in options, "cage does not allow a switch to a text console %s" % options)
    if book:
        os.kill(book, signal.SIGTERM)
        t0 = time.monotonic()
        try:
            code = kiosk.wait(5)
        except subprocess.TimeoutExpired:
            code = "still running"
        c.check(code != "still running", "cage ends by itself %.1f s after the book (status %s)"
                % (time.monotonic() - t0, code))
    wait_for(lambda: not processes_of(user.pw_uid), 3)
    left = [executable(p) for p in processes_of(user.pw_uid)]
    c.check(not left, "the session leaves no process of the account running %s" % left)

    files = run("dpkg", "-L", PACKAGE).stdout.splitlines()
    removed = apt_get("remove", PACKAGE)
    we_installed = installed()
    still = [p for p in files if os.path.lexists(p) and not os.path.isdir(p)]
    still += [d for d in (PROGRAM_DIR, DATA_DIR, "/usr/share/doc/colouring-book")
              if os.path.lexists(d)]
    listed = run("dpkg", "-L", PACKAGE).stdout.strip()
    c.check(removed.returncode == 0 and not we_installed and not still and not listed,
            "apt-get remove takes away all of its %d paths %s %s" % (len(files), still, listed))
finally:
    for proc in started:
        if proc.poll() is None:
            for pid in children(proc.pid):
                os.kill(pid, signal.SIGTERM)
            try:
                proc.wait(5)
            except subprocess.TimeoutExpired:
                proc.kill()
    if user:
        for pid in processes_of(user.pw_uid):
            os.kill(pid, signal.SIGKILL)
        subprocess.run(["userdel", "--remove", user_name], capture_output=True)
    if we_installed:
        apt_get("remove", PACKAGE)
    shutil.rmtree(tmp, ignore_errors=True)
c.finish()
