"""Zibbet at 150 % (a display of 144 dpi), with real input: its windows are half as large again,
and "ON", clicked where the grown console shows it, says its banner."""

from harness import NOW_IDLE, check, fade, main, wait_for

# Client areas at 96 dpi, in pixels.
SIZES = {"Form1": (113, 113), "Form2": (267, 401)}


def grown(size):
    return [(3 * n + 1) // 2 for n in size]  # 1.5 times, halves up as every length rounds


def flow(session):
    check(session.dpi() == 144, "the display runs at 144 dpi, not %d" % session.dpi())
    splash = session.start_zibbet()
    check(splash["client"][2:] == grown(SIZES["Form2"]), "the splash: %s" % splash["client"])
    count = len(session.said())
    session.click(*session.point(splash, 0, 0, 4005, 6015))
    session.wait_said(count + 1)
    console = wait_for(lambda: session.form("Form1", visible=True), 10, "the console")
    check(session.form("Form2", visible=False) is not None, "the splash is hidden")
    check(console["client"][2:] == grown(SIZES["Form1"]), "the console: %s" % console["client"])
    session.click(*session.point(console, 120, 1080, 255, 255))
    said = session.wait_said(count + 2)
    check(said[-1]["markup"] == fade(NOW_IDLE), "ON said %r" % said[-1]["markup"])
    locked = [c["enabled"] for c in session.form("Form1")["children"] if c["text"] != "arial narrow"
              and c["class"].lower() == "edit"]
    check(locked == [False, False], "ON locks the two boxes: %s" % locked)


if __name__ == "__main__":
    raise SystemExit(main(flow))
