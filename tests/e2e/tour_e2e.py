"""The whole program as a user goes through it, with real mouse and keyboard input against the
practice host: the console (a real minute, dragging, "__"), the trigger word, the secret panel,
the links panel, the picture window and the end; the host's log is then checked line by line."""

import os
import subprocess
import sys
import time

from harness import (IDLE_TICK, LOADED, NOW_IDLE, PAUSED, UNLOADED, WINE, check, fade,
                     fill_secret_panel, main, open_console, say_as_user, wait_for)

USER = "Kestrel Jay"
FOUND = "(o Y o)Secret Area Found(o Y o)"
WRONG_NUMBER = "(_)_)I Love=Guyz=Im=Gay=Girls=Are=Ugly==D"
SERIES = [" I Love Guyz, Im Gay, Girls Are Ugly!", "Girls A Nasty Guyz Are The Best",
          "Burn In Hell Girlz, Guyz Rule", " Being Gay Is The Best I Love Guyz"]
MINIMIZE_LINE = "(o Y o)To Much Gotta Put This Down(o Y o)"
CLOSE_LINE = "(o Y o)That Felt Good To Cum(o Y o)"
SEARCH_PREFIX = "https://www.europeana.eu/en/search?appname=Zibbet&query="


def boxes(session, form):
    return [c for c in session.form(form)["children"] if c["class"].lower() == "edit"]


def restored(session, form):
    session.probe("restore", form[-1])
    return wait_for(lambda: (lambda f: f if f and not f["iconic"] else None)(session.form(form)),
                    5, form + " restored")


def console_flow(session):
    """ON locks the boxes; a real minute brings both banners a second apart; then Pause, a drag
    by the surface and "__"."""
    console = open_console(session)
    check(session.form("Form2", visible=False) is not None, "the splash is hidden, not closed")
    session.click(*session.point(console, 120, 1080, 255, 255))
    session.wait_said(2)
    switched_on = time.monotonic()
    locked = {b["text"]: b["enabled"] for b in boxes(session, "Form1")}
    check(locked == {"HBO Speacial": False, "quillomar": False, "arial narrow": True},
          "ON locks the two text boxes: %s" % locked)
    tick, minute = session.wait_said(4, timeout=75)[2:4]
    check(0.45 <= (minute["t"] - tick["t"]) / 1000 <= 1.7, "a second between the tick's banners")
    check(55 <= time.monotonic() - switched_on <= 70, "the tick came a minute after ON")
    session.click(*session.point(console, 600, 1080, 495, 255))
    session.wait_said(5)

    before = session.form("Form1")["window"]
    session.drag(*session.point(console, 1500, 1500), 60, 45)
    after = session.form("Form1")["window"]
    check((after[0] - before[0], after[1] - before[1]) == (60, 45),
          "dragging moves the console: %s -> %s" % (before, after))
    session.click(*session.point(session.form("Form1"), 1200, 0, 255, 255))
    wait_for(lambda: session.form("Form1")["iconic"], 5, "the console minimized")
    return restored(session, "Form1")


def secret_flow(session):
    """Another member's trigger word opens nothing, the user's does; masked entries, a wrong
    number, the "Cancel" series while the windows answer, then the right number with Enter."""
    count = len(session.said())
    subprocess.run([WINE, os.path.join(session.bin, "PracticeHost.exe"), "--say", "Ann Other",
                    "tu9vo"], check=True, timeout=60)
    session.wait_said(count + 1)
    time.sleep(1.5)
    check(session.form("Form4") is None, "another member's trigger word opens nothing")
    say_as_user(session, "TU9VO")
    panel = wait_for(lambda: session.form("Form4", visible=True), 5, "the secret panel")
    fill_secret_panel(session, panel, "vemm", "vemm", "42")
    entries = boxes(session, "Form4")
    check(sorted((b["text"], b["mask"]) for b in entries) ==
          [("42", ord("0")), ("vemm", 0), ("vemm", ord("*"))], "entries: %s" % entries)
    session.key("Return")
    count = len(session.wait_said(count + 3))
    session.click(*session.point(panel, 2760, 480, 735, 255))
    time.sleep(3)
    check(session.form("Form1", visible=True) is not None, "the console answers meanwhile")
    said = session.wait_said(count + 12, timeout=30)[count:]
    gaps = [(b["t"] - a["t"]) / 1000 for a, b in zip(said, said[1:])]
    check(all(0.45 <= g <= 1.7 for g in gaps), "eleven pauses of a second: %s" % gaps)
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    session.key("Return")
    session.wait_said(count + 13)
    links = wait_for(lambda: session.form("Form3", visible=True), 5, "the links panel")
    check(links["topmost"], "the links panel lies on top")
    wait_for(lambda: session.form("Form4", visible=False), 5, "the secret panel hidden")
    return links, wait_for(lambda: session.form("Form5", visible=True), 5, "the picture window")


def links_flow(session, links, pictures):
    """Every button opens an address; "__" and "X" say their line; the picture window stays,
    and closes through its frame alone."""
    buttons = [c for c in links["children"] if c["class"].lower() == "button"]
    check(len(buttons) == 12, "twelve link buttons: %s" % buttons)
    for button in buttons:
        x, y, w, h = button["rect"]
        opened = len([e for e in session.log() if e["event"] == "open"])
        session.click(x + w // 2, y + h // 2)
        wait_for(lambda: len([e for e in session.log() if e["event"] == "open"]) > opened, 5,
                 button["text"] + " to open its address")
    count = len(session.said())
    session.click(*session.point(links, 3600, 2160, 255, 255))
    wait_for(lambda: session.form("Form3")["iconic"], 5, "the links panel minimized")
    links = restored(session, "Form3")
    session.click(*session.point(links, 3840, 2160, 255, 255))
    session.wait_said(count + 2)
    wait_for(lambda: session.form("Form3") is None, 5, "the links panel closed")
    session.click(*session.point(pictures, 1200, 5400))
    session.key("alt+F4")
    wait_for(lambda: session.form("Form5") is None, 5, "the picture window closed")
    check(session.form("Form1", visible=True) is not None, "the console stays")


def flow(session):
    console = console_flow(session)
    links_flow(session, *secret_flow(session))
    session.click(*session.point(console, 1440, 0, 255, 255))
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to exit")
    check(session.probe()["forms"] == {}, "no window is left")

    minute = fade("(o Y o )[Aim:]quillomar][1 Min]( o Y o)")
    expected = ([fade(LOADED), fade(NOW_IDLE), fade(IDLE_TICK), minute, fade(PAUSED), "tu9vo",
                 "TU9VO", fade(WRONG_NUMBER)] + SERIES * 3 +
                [fade(FOUND), fade(MINIMIZE_LINE), fade(CLOSE_LINE), fade(UNLOADED)])
    said = [(e["sender"], e["markup"]) for e in session.said()]
    senders = [USER] * 5 + ["Ann Other"] + [USER] * (len(expected) - 6)
    for i, line in enumerate(zip(senders, expected)):
        check(i < len(said) and said[i] == line, "line %d: %r, expected %r" % (
            i, said[i:i + 1], line))
    check(len(said) == len(expected), "%d lines said, %d expected" % (len(said), len(expected)))
    # Each button typed its own address into the keyword box, then a space and Enter.
    keyword = [e for e in session.log() if e.get("target") == "keyword"]
    check(len(keyword) == 3 * 12, "%d messages to the keyword box" % len(keyword))
    addresses = [e["text"] for e in keyword[0::3]]
    check(len(set(addresses)) == 12 and all(a.startswith("https://") for a in addresses),
          "twelve addresses: %s" % addresses)
    check(any(a.startswith(SEARCH_PREFIX) and len(a) == len(SEARCH_PREFIX) + 240
              for a in addresses), "the search redirect")
    check(all(e.get("code") == 32 for e in keyword[1::3]) and
          all(e.get("code") == 13 for e in keyword[2::3]), "a space and Enter after each")


if __name__ == "__main__":
    sys.exit(main(flow))
