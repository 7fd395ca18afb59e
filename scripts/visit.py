"""A short visit with Zibbet on the current display, played with real mouse and keyboard input
against the practice host: the splash, the console turned on, the trigger said in the room, the
secret panel unlocked, the links panel and the picture window. Saves it as an animated GIF and
the last screen as a PNG, and prints both paths.

Runs inside scripts/with-display, like the end-to-end flows whose steps it borrows."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "tests", "e2e"))
from harness import Session, fill_secret_panel, wait_for  # noqa: E402

# How long each frame stays up in the GIF, in hundredths of a second, and the last one's.
FRAME_DELAY = 120
LAST_FRAME_DELAY = 400
# The film shows only the part of the screen that any frame uses, at most this wide.
FRAME_WIDTH = 960


class Film:
    """Screens taken one by one, joined into a GIF at the end."""

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="zibbet-visit-")
        self.frames = []

    def take(self):
        path = os.path.join(self.dir, "frame%03d.png" % len(self.frames))
        subprocess.run(["import", "-window", "root", path], check=True)
        self.frames.append(path)

    def save(self, gif, png):
        shutil.copyfile(self.frames[-1], png)
        used = subprocess.run(["convert", *self.frames, "-evaluate-sequence", "Max",
                               "-format", "%@", "info:"],
                              check=True, capture_output=True, text=True).stdout.strip()
        subprocess.run(["convert", "-loop", "0", "-delay", str(FRAME_DELAY), *self.frames[:-1],
                        "-delay", str(LAST_FRAME_DELAY), self.frames[-1],
                        "-crop", used, "+repage", "-resize", "%dx>" % FRAME_WIDTH,
                        "-layers", "Optimize", gif], check=True)
        shutil.rmtree(self.dir, ignore_errors=True)


def visit(session, film):
    film.take()
    splash = session.start_zibbet()
    film.take()
    session.click(*session.point(splash, 0, 0, 4005, 6015))  # the picture
    session.wait_said(1)
    console = wait_for(lambda: session.form("Form1", visible=True), 10, "the console")
    film.take()
    session.click(*session.point(console, 120, 1080, 255, 255))  # "ON"
    session.wait_said(2)
    film.take()
    # The trigger, typed into the room's input box and sent with Enter, as the user says it.
    box = session.probe()["hostInput"]
    session.click(box[0] + box[2] // 2, box[1] + box[3] // 2)
    session.type_text("tu9vo")
    film.take()
    session.key("Return")
    panel = wait_for(lambda: session.form("Form4", visible=True), 10, "the secret panel")
    film.take()
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    film.take()
    session.key("Return")
    wait_for(lambda: session.form("Form3", visible=True), 10, "the links panel")
    wait_for(lambda: session.form("Form5", visible=True), 10, "the picture window")
    time.sleep(1)  # the pictures are drawn
    film.take()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    stem = os.path.join(os.path.abspath(args.out), "visit-" + time.strftime("%Y%m%d-%H%M%S"))
    session = Session(args.bin)
    film = Film()
    try:
        visit(session, film)
    finally:
        session.close()
    film.save(stem + ".gif", stem + ".png")
    print(stem + ".gif")
    print(stem + ".png")
    return 0


if __name__ == "__main__":
    sys.exit(main())
