"""The music button with the real program, heard through SDL's disk audio driver: the tune
sounds within a second of the click, starts again within half a second of its end, an effect
is heard over it, and a second click leaves the device silent.

The test's copy of the book carries a two-second tune of its own: three loud organ notes and
a soft one, so each run begins with a loud note out of quiet and its start can be found in the
capture. The delay of a restart is the time between two starts less the tune's length."""

import os
import sys
import time

import audio_capture as audio
from book_e2e import Book, Checks, need_display, xdotool

need_display()
c = Checks()

MUSIC_BUTTON = (919 + 39, 485 + 39)
RED_PAINT = (8 + 42, 675 + 42)
TUNE = [(72, 100, 480), (76, 100, 480), (79, 100, 480), (84, 20, 480)]  # C E G loud, C soft
TUNE_SECONDS = 2.0  # four quarter notes at 120 beats a minute
LATENCY = 0.1  # a buffer or two of the device, and the event's way through the loop
RESTART = 0.5  # the repeat timer's period

capture = os.path.join(os.environ.get("TMPDIR", "/tmp"), "music-e2e-%d.raw" % os.getpid())
book = Book(sys.argv[1], env={"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": capture})
with open(os.path.join(book.dir, "MUSIC", "001.MID"), "wb") as f:
    f.write(audio.midi_file(TUNE, program=19))  # a church organ holds its level


def click(point):
    """Clicks and returns the capture's length just before the click."""
    xdotool("mousemove", str(point[0]), str(point[1]))
    time.sleep(0.1)
    before = audio.size(capture)
    xdotool("click", "1")
    return before


def loudest(since):
    return max(audio.levels(audio.samples(capture, since)), default=audio.SILENCE_DB)


def starts(since, reference):
    """Byte offsets of the tune's starts in the capture after since: rises to within 12 dB
    of the reference level out of 24 dB under it (the soft last note and its fading)."""
    levels = audio.levels(audio.samples(capture, since))
    return [since + audio.offset(i * audio.WINDOW / audio.RATE)
            for i in audio.onsets(levels, reference - 12, reference - 24)]


def wait_for_next_start(since, reference, timeout):
    """Polls the capture until a start after since shows; returns its offset or None."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        time.sleep(0.02)
        found = [s for s in starts(since, reference) if s > since + audio.offset(0.05)]
        if found:
            return found[0]
    return None


try:
    book.start()
    book.wait_until(7.5)
    c.check(book.proc.poll() is None, "the program is running")
    c.check(not any(audio.samples(capture)), "nothing sounds before the music button")

    on = click(MUSIC_BUTTON)
    time.sleep(1.0)
    # The loud notes' level, from before any effect sounds.
    reference = loudest(on)
    first = next(iter(starts(on, reference)), None)
    c.check(first is not None and audio.seconds(first - on) <= 1.0,
            "the tune sounds within a second of the click (%s)" %
            ("%.3f s" % audio.seconds(first - on) if first else "never"))

    # Three runs, and a fourth starting, with the longest restart the timer allows.
    time.sleep(3 * (TUNE_SECONDS + RESTART + LATENCY))
    # An effect over the music: the red paint clicked just after a run has begun.
    run = wait_for_next_start(audio.size(capture), reference, TUNE_SECONDS + RESTART + 1.0)
    effect = click(RED_PAINT) if run else None
    time.sleep(TUNE_SECONDS + RESTART + LATENCY)  # and the next run begins

    runs = starts(on, reference)
    delays = [audio.seconds(b - a) - TUNE_SECONDS for a, b in zip(runs, runs[1:])]
    c.check(len(runs) >= 4, "the tune started again at least three times (%d runs)" % len(runs))
    c.check(delays and all(-LATENCY <= d <= RESTART + LATENCY for d in delays),
            "each run starts within %.1f s of the end of the one before (delays %s s)" %
            (RESTART, ", ".join("%.3f" % d for d in delays)))

    if effect is None:
        c.check(False, "a run of the tune began in time to click the red paint over it")
    else:
        # The same stretch of the tune, one run earlier, without the effect.
        current = min(runs, key=lambda s: abs(s - run))
        phase = effect - current
        earlier = runs[runs.index(current) - 1]
        span = audio.offset(0.4)
        with_effect = audio.rms_db(audio.samples(capture, effect + audio.offset(LATENCY),
                                                 effect + audio.offset(LATENCY) + span))
        without = audio.rms_db(audio.samples(capture, earlier + phase + audio.offset(LATENCY),
                                             earlier + phase + audio.offset(LATENCY) + span))
        c.check(with_effect - without >= 2.0,
                "the red paint's sound is heard over the tune (%.1f dB with it, %.1f dB "
                "without)" % (with_effect, without))
        c.check(any(s > effect for s in runs), "the tune plays on after the effect")

    click(MUSIC_BUTTON)
    after_click = audio.size(capture)
    time.sleep(2 * RESTART + TUNE_SECONDS)
    quiet_from = after_click + audio.offset(LATENCY)
    tail = audio.samples(capture, quiet_from)
    c.check(len(tail) > audio.RATE and not any(tail),
            "after the second click the device stays silent (%.1f s checked)" %
            (len(tail) / 2 / audio.RATE))
    c.check(book.proc.poll() is None, "the program is still running")
finally:
    # Away from the buttons: a hover picture left on the screen would mislead the next test.
    xdotool("mousemove", "512", "384")
    book.cleanup()
    if os.path.exists(capture):
        os.remove(capture)
c.finish()
