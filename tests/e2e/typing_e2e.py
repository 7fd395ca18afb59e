"""The user's own typing beside Zibbet, with real keys: a line half-typed in the room's input box
survives a banner, is never said, and goes on where the user left it; an empty box gets the
banner and Enter and nothing else."""

import subprocess

from harness import LOADED, NOW_IDLE, check, fade, main, open_console, wait_for

HALF = "half a li"


def input_messages(session, since):
    return [(e["event"], e.get("text", e.get("code"))) for e in session.log()[since:]
            if e.get("target") == "input"]


def flow(session):
    start = len(session.log())
    console = open_console(session)
    check(input_messages(session, start) == [("settext", fade(LOADED)), ("char", 13)],
          "an empty box sees the banner and Enter only: %s" % input_messages(session, start))

    box = session.probe()["hostInput"]
    session.click(box[0] + box[2] // 2, box[1] + box[3] // 2)
    session.type_text(HALF)
    count = len(session.said())
    mark = len(session.log())
    session.click(*session.point(console, 120, 1080, 255, 255))  # ON
    session.wait_said(count + 1)
    wait_for(lambda: len(input_messages(session, mark)) >= 3, 5, "the typing put back")
    check(input_messages(session, mark) == [("settext", fade(NOW_IDLE)), ("char", 13),
                                            ("settext", HALF)],
          "the banner, Enter, the typing back: %s" % input_messages(session, mark))
    check([e["markup"] for e in session.said()[count:]] == [fade(NOW_IDLE)],
          "only the banner is said")

    # Back in the host by its frame, not by a click in the box that would place the caret: the
    # caret is where Zibbet left it, at the end.
    frame = subprocess.run(["xdotool", "search", "--name", "^Practice Host - "],
                           capture_output=True, text=True).stdout.split()
    check(frame, "the practice host's frame")
    subprocess.run(["xdotool", "windowactivate", "--sync", frame[0]], check=True)
    session.type_text("ne")
    session.key("Return")
    said = session.wait_said(count + 2)[count:]
    check([e["text"] for e in said] == [NOW_IDLE, HALF + "ne"],
          "the user's line goes on at its end: %s" % [e["text"] for e in said])


if __name__ == "__main__":
    raise SystemExit(main(flow))
