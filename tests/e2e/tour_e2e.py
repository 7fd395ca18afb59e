"""The whole program as a user goes through it, with real mouse and keyboard input against the
practice host; the host's log is then checked line by line."""

import sys
import time

from harness import (FOUND, IDLE_TICK, LOADED, NOW_IDLE, PAUSED, SCREEN_NAME, SERIES, UNLOADED,
                     WRONG_NUMBER, check, fade, fill_secret_panel, main, minutes_banner,
                     open_console, say_as_user, wait_for)

MINIMIZE_LINE = "(o Y o)To Much Gotta Put This Down(o Y o)"
CLOSE_LINE = "(o Y o)That Felt Good To Cum(o Y o)"

# The links panel's buttons: grid place in twips, and the address each opens.
LINKS = [
    ("Command1", 120, 120, 975, "https://commons.wikimedia.org"),
    ("Command2", 1200, 120, 855, "https://www.loc.gov"),
    ("Command3", 2160, 120, 855, "https://www.nga.gov"),
    ("Command4", 3120, 120, 855, "https://www.nasa.gov/images/"),
    ("Command5", 120, 480, 975, "https://www.metmuseum.org/art/collection"),
    ("Command6", 1200, 480, 855, "https://www.si.edu/openaccess"),
    ("Command9", 2160, 480, 855, "https://www.nasa.gov/image-of-the-day/"),
    ("Command10", 3120, 480, 855, "https://www.artic.edu/collection"),
    ("Command7", 120, 840, 975, "https://www.europeana.eu"),
    ("Command8", 1200, 840, 855, "https://digitalcollections.nypl.org"),
    ("Command13", 2160, 840, 855, "https://www.flickr.com/commons"),
    ("Command14", 3120, 840, 855, None),  # the search redirect, checked by its shape
]
SEARCH_PREFIX = "https://search.chatclient.example/redirect?appname=Zibbet&query="


def flow(session):
    console = open_console(session)

    # Idling: ON, a real minute's tick, Pause.
    session.click(*session.point(console, 120, 1080, 255, 255))
    session.wait_said(4, timeout=80)
    session.click(*session.point(console, 600, 1080, 495, 255))
    session.wait_said(5)

    # The trigger, a wrong number, the series, then the right number with Enter.
    say_as_user(session, "TU9VO")
    panel = wait_for(lambda: session.form("Form4", visible=True), 5, "the secret panel")
    fill_secret_panel(session, panel, "vemm", "vemm", "42")
    session.key("Return")
    session.wait_said(7)
    session.click(*session.point(panel, 2760, 480, 735, 255))
    session.wait_said(19, timeout=30)
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    session.key("Return")
    session.wait_said(20)
    links = wait_for(lambda: session.form("Form3", visible=True), 5, "the links panel")
    pictures = wait_for(lambda: session.form("Form5", visible=True), 5, "the picture window")
    check(session.form("Form4", visible=False) is not None, "the secret panel is hidden")

    # Every link button, then the panel's "__" and "X".
    for name, left, top, width, _ in LINKS:
        opened = len([e for e in session.log() if e["event"] == "open"])
        session.click(*session.point(links, left, top, width, 255))
        wait_for(lambda: len([e for e in session.log() if e["event"] == "open"]) > opened, 5,
                 name + " to open its address")
    session.click(*session.point(links, 3600, 2160, 255, 255))
    session.wait_said(21)
    wait_for(lambda: session.form("Form3")["iconic"], 5, "the links panel minimized")
    session.probe("restore", "3")
    links = wait_for(lambda: (lambda f: f if f and not f["iconic"] else None)(
        session.form("Form3")), 5, "the links panel restored")
    session.click(*session.point(links, 3840, 2160, 255, 255))
    session.wait_said(22)
    wait_for(lambda: session.form("Form3") is None, 5, "the links panel closed")
    check(session.form("Form5", visible=True) is not None, "the picture window stays")

    # The picture window closes through its frame (Alt+F4 on it), alone.
    session.click(*session.point(pictures, 1200, 5400))
    session.key("alt+F4")
    wait_for(lambda: session.form("Form5") is None, 5, "the picture window closed")
    check(session.form("Form1", visible=True) is not None, "the console stays")

    # "X" on the console: the unloaded banner, every window gone, the process ends.
    session.click(*session.point(console, 1440, 0, 255, 255))
    session.wait_said(23)
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to exit")
    check(session.probe()["forms"] == {}, "no window is left")

    # The log, line by line.
    expected = ([fade(LOADED), fade(NOW_IDLE), fade(IDLE_TICK), fade(minutes_banner("quillomar", 1)),
                 fade(PAUSED), "TU9VO", fade(WRONG_NUMBER)] + SERIES * 3 +
                [fade(FOUND), fade(MINIMIZE_LINE), fade(CLOSE_LINE), fade(UNLOADED)])
    said = session.said()
    check(len(said) == len(expected), "%d lines said, %d expected" % (len(said), len(expected)))
    for i, (line, markup) in enumerate(zip(said, expected)):
        check(line["markup"] == markup, "line %d: %r, expected %r" % (i, line["markup"][:80],
                                                                     markup[:80]))
        check(line["sender"] == SCREEN_NAME, "line %d said by %s" % (i, line["sender"]))
    keyword = [e for e in session.log() if e.get("target") == "keyword"]
    check(len(keyword) == 3 * len(LINKS), "%d messages to the keyword box" % len(keyword))
    for i, (name, _, _, _, address) in enumerate(LINKS):
        text, space, enter = keyword[3 * i:3 * i + 3]
        check(text["event"] == "settext" and space.get("code") == 32 and enter.get("code") == 13,
              name + ": text, space, Enter")
        if address is None:
            check(text["text"].startswith(SEARCH_PREFIX) and
                  len(text["text"]) == len(SEARCH_PREFIX) + 240, name + ": the search redirect")
        else:
            check(text["text"] == address, "%s opened %s" % (name, text["text"]))


if __name__ == "__main__":
    sys.exit(main(flow))
