"""At 150 % (144 dpi), the splash and "ON", clicked where the grown windows show them, work."""

from harness import NOW_IDLE, check, fade, main, open_console


def flow(session):
    dpi = session.probe()["dpi"]
    check(dpi == 144, "the display runs at 144 dpi, not %d" % dpi)
    session.click(*session.point(open_console(session), 120, 1080, 255, 255))
    check(session.wait_said(2)[-1]["markup"] == fade(NOW_IDLE), "ON said its banner")


if __name__ == "__main__":
    raise SystemExit(main(flow))
