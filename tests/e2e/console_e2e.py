"""The console as a user meets it: splash click, ON, a real minute's tick, Pause, dragging,
minimize and close, with real mouse input against the practice host."""

import sys
import time

from harness import (IDLE_TICK, LOADED, NOW_IDLE, PAUSED, UNLOADED, check, fade, main,
                     minutes_banner, wait_for)


def texts(session):
    return [e["markup"] for e in session.said()]


def flow(session):
    splash = session.start_zibbet()
    dpi = session.dpi()
    px = lambda twips: round(twips * dpi / 1440)
    check(splash["client"][2:] == [px(4005), px(6015)], "splash client size %s" % splash["client"])
    check(splash["topmost"], "the splash window is topmost")
    check(splash["titlebar"] and not splash["sysmenu"], "the splash has a bare title bar")
    screen = session.probe()["screen"]
    centre = splash["window"][0] + splash["window"][2] // 2
    check(abs(centre - (screen[0] + screen[2] // 2)) <= 1, "the splash is centred")
    check(session.form("Form1") is None, "no console before the click")
    check(session.said() == [], "nothing said before the click")

    # The picture opens the console, which says it is loaded.
    session.click(*session.point(splash, 0, 0, 4005, 6015))
    said = session.wait_said(1)
    check(said[0]["markup"] == fade(LOADED), "the first line is the faded loaded banner")
    console = wait_for(lambda: session.form("Form1", visible=True), 10, "the console")
    check(session.form("Form2", visible=False) is not None, "the splash is hidden, not closed")
    check(console["client"][2:] == [px(1695), px(1695)], "console size %s" % console["client"])
    check(console["topmost"] and not console["titlebar"], "console: topmost, no title bar")
    boxes = [c for c in console["children"] if c["class"].lower() == "edit"]
    check(sorted(b["text"] for b in boxes) == sorted(["HBO Speacial", "quillomar", "arial narrow"]),
          "the console's text boxes: %s" % boxes)
    check(all(b["enabled"] for b in boxes), "text boxes start enabled")

    # ON: the boxes lock and idling starts; a real minute later, the tick's two banners.
    session.click(*session.point(console, 120, 1080, 255, 255))
    session.wait_said(2)
    switched_on = time.monotonic()
    check(texts(session)[1] == fade(NOW_IDLE), "ON posts the now-idle banner")
    console = session.form("Form1")
    locked = {c["text"]: c["enabled"] for c in console["children"] if c["class"].lower() == "edit"}
    check(not locked["HBO Speacial"] and not locked["quillomar"], "ON disables the text boxes")

    said = session.wait_said(4, timeout=75)
    tick, minute = said[2], said[3]
    check(tick["markup"] == fade(IDLE_TICK), "the idle-tick banner")
    check(minute["markup"] == fade(minutes_banner("quillomar", 1)), "the first minute banner")
    gap = (minute["t"] - tick["t"]) / 1000
    check(0.45 <= gap <= 1.7, "a second between the tick's banners, got %.2f s" % gap)
    elapsed = time.monotonic() - switched_on
    check(55 <= elapsed <= 70, "the tick came a minute after ON (%.1f s)" % elapsed)

    # Pause.
    session.click(*session.point(console, 600, 1080, 495, 255))
    session.wait_said(5)
    check(texts(session)[4] == fade(PAUSED), "Pause posts the paused banner")

    # OFF, the counter and the title do nothing.
    for left, top, width in ((1320, 1080, 255), (120, 1320, 615), (0, 0, 1215)):
        session.click(*session.point(console, left, top, width, 255))
    time.sleep(0.5)
    check(len(session.said()) == 5, "display-only labels post nothing")

    # Drag by the surface.
    before = session.form("Form1")["window"]
    x, y = session.point(console, 1500, 1500)
    session.drag(x, y, 60, 45)
    after = session.form("Form1")["window"]
    check((after[0] - before[0], after[1] - before[1]) == (60, 45),
          "dragging moves the console: %s -> %s" % (before, after))
    check(len(session.said()) == 5, "dragging posts nothing")

    # Minimize.
    console = session.form("Form1")
    session.click(*session.point(console, 1200, 0, 255, 255))
    wait_for(lambda: session.form("Form1")["iconic"], 5, "the console minimized")
    session.probe("restore", "1")
    console = wait_for(lambda: (lambda f: f if f and not f["iconic"] else None)(
        session.form("Form1")), 5, "the console restored")

    # Close: the unloaded banner, then every window is gone and the process ends.
    session.click(*session.point(console, 1440, 0, 255, 255))
    session.wait_said(6)
    check(texts(session)[5] == fade(UNLOADED), "X posts the unloaded banner")
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to exit")
    check(session.probe()["forms"] == {}, "no Zibbet window is left")
    check(len(session.said()) == 6, "nothing after the unloaded banner")


if __name__ == "__main__":
    sys.exit(main(flow))
