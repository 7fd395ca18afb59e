"""With real keys and mouse: a line half-typed in the room's input box survives a banner, is never
said and goes on at its end. "X" let go elsewhere does nothing, let go on itself ends Zibbet."""

import time

from harness import NOW_IDLE, check, fade, main, open_console, wait_for, xdotool


def flow(session):
    def to_input(since):
        return [(e["event"], e.get("text", e.get("code"))) for e in session.log()[since:]
                if e.get("target") == "input"]

    console = open_console(session)
    box, count = session.probe()["hostInput"], len(session.said())
    session.click(box[0] + box[2] // 2, box[1] + box[3] // 2)
    session.type_text("half a li")
    mark = len(session.log())
    session.click(*session.point(console, 120, 1080, 255, 255))  # ON
    wait_for(lambda: len(to_input(mark)) >= 3, 5, "the typing put back")
    check(to_input(mark) == [("settext", fade(NOW_IDLE)), ("char", 13), ("settext", "half a li")],
          "the banner, Enter, the typing back: %s" % to_input(mark))
    # Back to the host by its frame: a click in the box would move the caret.
    xdotool("search", "--name", "^Practice Host - ", "windowactivate", "--sync")
    session.type_text("ne")
    session.key("Return")
    said = [e["text"] for e in session.wait_said(count + 2)[count:]]
    check(said == [NOW_IDLE, "half a line"], "said: %s" % said)

    close = session.point(console, 1440, 0, 255, 255)
    on_close = (close[0] + 2, close[1] + 1)  # a move that moves: xdotool --sync waits for it
    for to in (session.point(console, 1500, 1500), session.point(console, 1200, 0, 255, 255),
               on_close):
        time.sleep(0.6)  # past the double-click time
        for action in ("mousemove", "--sync", *close), ("mousedown", 1), \
                      ("mousemove", "--sync", *to), ("mouseup", 1):
            xdotool(*action)
            time.sleep(0.2)
        check(to == on_close or session.zibbet.poll() is None, "\"X\" let go elsewhere ended Zibbet")
    wait_for(lambda: session.zibbet.poll() is not None, 10, "Zibbet to end on \"X\"")


if __name__ == "__main__":
    raise SystemExit(main(flow))
