"""The console's labels click as everything on the desktop does, with the real mouse: "X"
pressed and let go elsewhere (on the surface, on "__") does nothing; pressed and let go on
itself it says goodbye and ends Zibbet."""

import time

from harness import UNLOADED, check, fade, main, open_console, wait_for, xdotool


def press_and_release(at, to):
    xdotool("mousemove", "--sync", *at)
    time.sleep(0.15)
    xdotool("mousedown", 1)
    time.sleep(0.2)
    xdotool("mousemove", "--sync", *to)
    time.sleep(0.2)
    xdotool("mouseup", 1)
    time.sleep(0.5)


def flow(session):
    console = open_console(session)
    close = session.point(console, 1440, 0, 255, 255)
    count = len(session.said())
    for elsewhere in (session.point(console, 1500, 1500), session.point(console, 1200, 0, 255, 255)):
        press_and_release(close, elsewhere)
        time.sleep(0.6)  # past the double-click time, so the next press is a fresh one
        check(session.zibbet.poll() is None and len(session.said()) == count,
              "\"X\" let go elsewhere ended Zibbet or said a line")
        now = session.form("Form1", visible=True)
        check(now is not None and not now["iconic"] and now["window"] == console["window"],
              "the console stays where it was: %s" % now)
    press_and_release(close, (close[0] + 2, close[1] + 1))
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to end on \"X\"")
    check([e["markup"] for e in session.said()[count:]] == [fade(UNLOADED)], "one goodbye")


if __name__ == "__main__":
    raise SystemExit(main(flow))
