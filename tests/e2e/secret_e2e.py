"""The chat trigger and the secret panel with real input: another member's trigger word does
nothing, the user's opens the panel; masked entries; a wrong number; the "Cancel" series; the
right number with Enter."""

import subprocess
import sys
import time

from harness import (FOUND, SCREEN_NAME, SERIES, WINE, WRONG_NUMBER, check, fade,
                     fill_secret_panel, main, open_console, say_as_user, wait_for)
import os


def flow(session):
    open_console(session)

    # Another member says it: nothing opens.
    count = len(session.said())
    subprocess.run([WINE, os.path.join(session.bin, "PracticeHost.exe"), "--say", "Ann Other",
                    "tu9vo"], check=True, timeout=60)
    said = session.wait_said(count + 1)
    check(said[-1]["sender"] == "Ann Other", "the other member's line is in the room")
    time.sleep(1.5)
    check(session.form("Form4") is None, "another member's trigger word opens nothing")

    # The user says it in capitals: the panel opens.
    say_as_user(session, "TU9VO")
    check(session.said()[-1]["sender"] == SCREEN_NAME, "the user's own line")
    panel = wait_for(lambda: session.form("Form4", visible=True), 5, "the secret panel")
    check(panel["topmost"] and not panel["titlebar"], "the panel: topmost, no title bar")

    # Masked entries and a wrong number.
    fill_secret_panel(session, panel, "vemm", "vemm", "17")
    edits = [c for c in session.form("Form4")["children"] if c["class"].lower() == "edit"]
    check(sorted(c["text"] for c in edits) == ["17", "vemm", "vemm"], "entries: %s" % edits)
    check(sorted(c["mask"] for c in edits) == [0, ord("*"), ord("0")], "masks shown: %s" % edits)
    count = len(session.said())
    session.click(*session.point(panel, 2760, 120, 735, 255))  # "Test Luck"
    said = session.wait_said(count + 1)
    check(said[-1]["markup"] == fade(WRONG_NUMBER), "a wrong number says the prank line")
    check(session.form("Form4", visible=True) is not None, "the panel stays open")

    # "Cancel": twelve plain lines, about a second apart, while the windows stay responsive.
    count = len(session.said())
    session.click(*session.point(panel, 2760, 480, 735, 255))
    time.sleep(3)
    check(session.form("Form1", visible=True) is not None, "the console answers meanwhile")
    said = session.wait_said(count + 12, timeout=30)[count:]
    check([s["markup"] for s in said] == SERIES * 3, "the series, in order, plain")
    gaps = [(b["t"] - a["t"]) / 1000 for a, b in zip(said, said[1:])]
    check(len(gaps) == 11 and all(0.45 <= g <= 1.7 for g in gaps), "eleven pauses: %s" % gaps)

    # The right number, with Enter in the third box.
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    count = len(session.said())
    session.key("Return")
    said = session.wait_said(count + 1)
    check(said[-1]["markup"] == fade(FOUND), "unlocking says the found line")
    wait_for(lambda: session.form("Form3", visible=True), 5, "the links panel")
    wait_for(lambda: session.form("Form5", visible=True), 5, "the picture window")
    wait_for(lambda: session.form("Form4", visible=False), 5, "the secret panel hidden")
    check(session.form("Form3")["topmost"], "the links panel lies on top")


if __name__ == "__main__":
    sys.exit(main(flow))
