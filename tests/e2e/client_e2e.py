"""Zibbet against an unfriendly client, with real input: a practice host under code page 932 that
caps its transcript and copies nothing into a short buffer, or cuts copies of a transcript that
grows while it is read; one that stops answering for seconds, answers absurd lengths, or keeps a
day's eight megabytes; transcripts of other kinds of control; and a log-off while the console is
open. The scanner's other trims are
shown in-process."""

import argparse
import json
import os
import subprocess
import sys
import time

from harness import (UNLOADED, WINE, Failure, Session, check, fade, open_console,
                     say_as_user, wait_for)

JAPANESE = "ja_JP.UTF-8"


def host_command(session, *args):
    subprocess.run([WINE, os.path.join(session.bin, "PracticeHost.exe"), *args], check=True,
                   timeout=60)


def old_trigger_stays_history(session, others):
    """The user's trigger line said before Zibbet starts does not open the panel, however the
    client trims; a new one does."""
    say_as_user(session, "tu9vo")
    open_console(session)
    for text in others:
        host_command(session, "--say", "Ann Other", text)
    time.sleep(1.5)
    check(session.form("Form4") is None, "the old trigger line opened the panel")
    say_as_user(session, "tu9vo")
    wait_for(lambda: session.form("Form4", visible=True), 5, "the panel from a new trigger")


def hang(session):
    """A click on "__" while the client hangs is taken at once, and the scanner hears the room
    again once the client answers. The bound covers the probe's own start under Wine; the click's
    wait itself is measured in the benchmark."""
    console = open_console(session)
    minimize = session.point(console, 1200, 0, 255, 255)
    started = time.monotonic()
    host_command(session, "--hang", "8000")
    time.sleep(1)  # a read has given up by now
    clicked = time.monotonic()
    session.click(*minimize)
    wait_for(lambda: session.form("Form1")["iconic"], 5, "the console minimized")
    check(time.monotonic() - clicked < 2, "the click waited for the client")
    session.probe("restore", "1")
    time.sleep(max(0.0, started + 8.5 - time.monotonic()))
    say_as_user(session, "tu9vo")
    wait_for(lambda: session.form("Form4", visible=True), 5, "the panel after the hang")


def log_off(session):
    open_console(session)
    count = len(session.said())
    check(session.probe("endsession", "1") == 0, "the log-off messages reach the console")
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to end with the session")
    time.sleep(0.5)
    said = session.said()[count:]
    check([s["markup"] for s in said] == [fade(UNLOADED)], "one unloaded banner: %s" % said)


def code_page_932(session):
    """Under code page 932, with double-byte lines in a capped transcript read strictly: the
    window access in-process (such text sent as the code page's bytes, and heard whole), then the
    trigger as the user types it."""
    unit = subprocess.run([WINE, os.path.join(session.bin, "hostwin_win32_test.exe"),
                           "--gtest_filter=CodePage932.*"], capture_output=True, text=True,
                          timeout=120)
    check(unit.returncode == 0 and "SKIPPED" not in unit.stdout and "PASSED" in unit.stdout,
          "the code page tests under 932:\n" + unit.stdout[-2000:])
    host_command(session, "--say", "Ann Other", "\u65e5\u672c\u8a9e\u306e\u884c")
    old_trigger_stays_history(session, ["\u3053\u3093\u306b\u3061\u306f tu9vo"] * 3)


def long_day(session):
    """A room that kept eight megabytes of the day: a click on "__" is taken at once, the trigger
    opens the panel (how soon, and the cost, are benchmark rows)."""
    console = open_console(session)
    minimize = session.point(console, 1200, 0, 255, 255)
    host_command(session, "--say", "Ann Other", "a line to read")
    clicked = time.monotonic()
    session.click(*minimize)
    wait_for(lambda: session.form("Form1")["iconic"], 5, "the console minimized")
    check(time.monotonic() - clicked < 2, "the click waited for the scanner")
    session.probe("restore", "1")
    check(session.form("Form4") is None, "an old line opened the panel")
    say_as_user(session, "tu9vo")
    wait_for(lambda: session.form("Form4", visible=True), 5, "the panel in a long day's room")


def absurd_lengths(session):
    """Every third length the transcript reports is 0x40000000: the trigger still opens the panel."""
    old_trigger_stays_history(session, ["line %d" % i for i in range(4)])
    check(session.zibbet.poll() is None, "Zibbet ended: %s" % session.zibbet.poll())


def growing_932(session):
    """Double-byte chatter said between every length and copy, copies cut before a character."""
    old_trigger_stays_history(session, ["\u3053\u3093\u306b\u3061\u306f"] * 2)


def other_kind(session):
    """A client whose transcript is another kind of control: the console's banners and other
    members' lines read with it, old trigger lines stay history, a new one opens the panel, and
    the client's heap is sound after all of it."""
    old_trigger_stays_history(session, ["line %d of another kind" % i for i in range(40)])
    heap = subprocess.run([WINE, os.path.join(session.bin, "PracticeHost.exe"), "--check-heap"],
                          timeout=60)
    check(heap.returncode == 0, "the client's heap after the reading: exit %d" % heap.returncode)


def ensure_locale(name):
    """Wine takes the code page from the locale, which glibc has only once it is built."""
    have = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    if name.lower().replace("-", "") in [h.lower() for h in have]:
        return
    subprocess.run(["localedef", "-i", name.split(".")[0], "-f", "UTF-8", name], check=True)


RUNS = [
    ("code page 932", ["--strict-reads", "--cap-lines", "4"], {"LC_ALL": JAPANESE}, code_page_932),
    ("a hang", [], {}, hang),
    ("a log-off", [], {}, log_off),
    ("a long day", ["--history-bytes", "8000000"], {}, long_day),
    ("absurd lengths", ["--huge-length", "3", "--cap-lines", "5"], {}, absurd_lengths),
    ("code page 932, growing", ["--growing-reads", "--cap-lines", "4"], {"LC_ALL": JAPANESE},
     growing_932),
    # The kind a cross-process row copy crashed; the scanner's tests read every kind.
    ("an ANSI edit transcript", ["--transcript", "edit-a"], {}, other_kind),
]


def run():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--only", help="run only the runs whose name holds this")
    args = parser.parse_args()
    ensure_locale(JAPANESE)
    failed = 0
    for name, host_args, env, flow in RUNS:
        if args.only and args.only not in name:
            continue
        saved = dict(os.environ)
        os.environ.update(env)
        session = Session(args.bin, host_args)
        try:
            flow(session)
            print("passed:", name)
        except Failure as failure:
            failed += 1
            print("FAILED: %s: %s" % (name, failure))
            for entry in session.log()[-8:]:
                print("  log:", json.dumps(entry, ensure_ascii=False)[:300])
        finally:
            session.close()
            os.environ.clear()
            os.environ.update(saved)
    print("PASSED" if failed == 0 else "%d failed" % failed)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(run())
