"""One Zibbet at a time, with real input against the practice host: the console minimized with
its "__", a second Zibbet.exe started ends within seconds, having made no window, said nothing
in the room and opened nothing, and the running one's console is shown again, in front, as it
was."""

import sys
import time

from harness import check, main, open_console, wait_for

ENDS_WITHIN = 8  # seconds from the start under Wine to the second one's exit


def windows(forms):
    """What the forms are, for comparing: how many of each class, each shown or hidden."""
    return {name: (form["windows"], form["visible"]) for name, form in forms.items()}


def shown_again(session):
    console = session.form("Form1")
    return console if console["visible"] and not console["iconic"] else None


def flow(session):
    console = open_console(session)
    before = session.probe()["forms"]
    session.click(*session.point(console, 1200, 0, 255, 255))  # "__"
    wait_for(lambda: session.form("Form1")["iconic"], 5, "the console minimized")
    logged = len(session.log())

    started = time.monotonic()
    second = session.start("Zibbet.exe")
    seen = []
    while second.poll() is None and time.monotonic() - started < ENDS_WITHIN:
        seen.append(session.probe()["forms"])
    took = time.monotonic() - started
    check(second.poll() == 0, "the second Zibbet's end: %s after %.1f s" % (second.poll(), took))
    console = wait_for(lambda: shown_again(session), 5, "the console shown again")

    seen.append(session.probe()["forms"])
    for forms in seen:
        check(windows(forms) == windows(before), "windows %s, before %s" % (forms, before))
    check(session.log()[logged:] == [], "the host heard: %s" % session.log()[logged:])
    check(session.probe()["foreground"] == "Zibbet.Form1", "the console is not in front")
    check(console["children"] == before["Form1"]["children"], "the console changed")
    check(session.zibbet.poll() is None, "the running Zibbet ended")


if __name__ == "__main__":
    sys.exit(main(flow))
