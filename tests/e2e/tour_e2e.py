"""The whole program as a user goes through it, with real mouse and keyboard input against the
practice host: the console (a real minute, dragging, "__"), the trigger word, the secret panel,
the links panel, the picture window and the end; the host's log then holds every line said."""

import sys
import time

from harness import check, fill_secret_panel, main, open_console, say_as_user, wait_for

def restored(session, form):
    session.probe("restore", form[-1])
    return wait_for(lambda: (lambda f: f if f and not f["iconic"] else None)(session.form(form)),
                    5, form + " restored")


def console_flow(session):
    """ON, and a real minute brings both banners a second apart; then Pause, a drag by the
    surface and "__"."""
    console = open_console(session)
    session.click(*session.point(console, 120, 1080, 255, 255))
    session.wait_said(2)
    switched_on = time.monotonic()
    tick, minute = session.wait_said(4, timeout=75)[2:4]
    check(0.45 <= (minute["t"] - tick["t"]) / 1000 <= 1.7, "a second between the tick's banners")
    check(55 <= time.monotonic() - switched_on <= 70, "the tick came a minute after ON")
    session.click(*session.point(console, 600, 1080, 495, 255))  # Pause
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
    """The user's trigger word opens the panel; masked entries, a wrong number, the "Cancel"
    series, then the right number with Enter."""
    count = len(session.said())
    say_as_user(session, "TU9VO")
    panel = wait_for(lambda: session.form("Form4", visible=True), 5, "the secret panel")
    fill_secret_panel(session, panel, "vemm", "vemm", "42")
    entries = [c for c in session.form("Form4")["children"] if c["class"].lower() == "edit"]
    check(sorted((b["text"], b["mask"]) for b in entries) ==
          [("42", ord("0")), ("vemm", 0), ("vemm", ord("*"))], "entries: %s" % entries)
    session.key("Return")
    session.click(*session.point(panel, 2760, 480, 735, 255))  # Cancel: the series
    session.wait_said(count + 14, timeout=30)
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    session.key("Return")
    session.wait_said(count + 15)
    links = wait_for(lambda: session.form("Form3", visible=True), 5, "the links panel")
    wait_for(lambda: session.form("Form4", visible=False), 5, "the secret panel hidden")
    return links, wait_for(lambda: session.form("Form5", visible=True), 5, "the picture window")


def links_flow(session, links, pictures):
    """Every button opens an address of its own; "__" and "X" say their line; the picture window stays,
    and closes through its frame alone."""
    for x, y, w, h in [c["rect"] for c in links["children"] if c["class"].lower() == "button"]:
        session.click(x + w // 2, y + h // 2)
    wait_for(lambda: len({e["address"] for e in session.log() if e["event"] == "open"}) == 12, 10,
             "twelve buttons to open an address each")
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

    # What each click says, and in what order, the headless runs show; here every line arrives.
    said = session.said()
    check(len(said) == 23 and all(e["sender"] == "Kestrel Jay" for e in said),
          "%d lines said: %s" % (len(said), [(e["sender"], e["text"]) for e in said]))


if __name__ == "__main__":
    sys.exit(main(flow))
