"""What the end-to-end flows share: the practice host and Zibbet under Wine, the host's log,
the probe's view of Zibbet's windows, and real mouse and keyboard input through xdotool.
Runs inside scripts/with-display, which ends every Wine process afterwards."""

import argparse
import json
import os
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
WINE = os.path.join(ROOT, "scripts", "wine")

NOW_IDLE = "(o Y o )[Zibbet-Vemm]-[Now Idle]( o Y o)"
UNLOADED = "(o Y o )[Zibbet-Vemm]-[Un-Loaded]( o Y o)"


def fade(text):
    """The colour-fade markup of a line, as Zibbet posts it (halves round to even)."""
    length = len(text.encode("utf-16-le")) // 2
    out = []
    for i, ch in enumerate(text, start=1):
        x = 510 / length * i
        x = 510 - x if x > 255 else x
        out.append("<Font Color=#%06X>%s" % (round(255 - x) + 256 * round(x), ch))
    return "".join(out)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, timeout, what):
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)
    return value


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


class Session:
    def __init__(self, bin_dir, host_args=()):
        self.bin = bin_dir
        self.work = tempfile.mkdtemp(prefix="zibbet-e2e-")
        self.log_path = os.path.join(self.work, "host.log")
        open(self.log_path, "w").close()
        self.processes = []
        log = "Z:" + self.log_path.replace("/", "\\")
        self.host = self.start("PracticeHost.exe", "--log", log, *host_args)
        # A long history (--history-bytes) takes the host a while to lay out.
        wait_for(lambda: any(e["event"] == "ready" for e in self.log()), 120, "the practice host")
        self.zibbet = None

    def start(self, exe, *args):
        self.processes.append(subprocess.Popen([WINE, os.path.join(self.bin, exe), *args],
                                               stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL))
        return self.processes[-1]

    def start_zibbet(self):
        self.zibbet = self.start("Zibbet.exe")
        return wait_for(lambda: self.form("Form2", visible=True), 30, "the splash window")

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait()

    def log(self):
        with open(self.log_path, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    def said(self):
        return [e for e in self.log() if e["event"] == "said"]

    def wait_said(self, count, timeout=10):
        return wait_for(lambda: len(self.said()) >= count and self.said(), timeout,
                        "%d lines in the room" % count)

    def probe(self, *args):
        out = subprocess.run([WINE, os.path.join(self.bin, "zibbet_probe.exe"), *args],
                             capture_output=True, text=True, timeout=60)
        return out.returncode if args else json.loads(out.stdout.strip().splitlines()[-1])

    def form(self, name, visible=None):
        state = self.probe()["forms"].get(name)
        return None if state is None or visible not in (None, state["visible"]) else state

    def point(self, form, left, top, width=0, height=0):
        """The screen point at the centre of a box given in twips in the form's client area."""
        dpi = self.probe()["dpi"]
        return (form["client"][0] + round((left + width / 2) * dpi / 1440),
                form["client"][1] + round((top + height / 2) * dpi / 1440))

    def click(self, x, y):
        xdotool("mousemove", "--sync", x, y)
        time.sleep(0.15)
        xdotool("click", 1)
        time.sleep(0.3)

    def drag(self, x, y, dx, dy):
        xdotool("mousemove", "--sync", x, y)
        time.sleep(0.15)
        xdotool("mousedown", 1)
        time.sleep(0.3)
        for i in range(1, 11):
            xdotool("mousemove", "--sync", x + dx * i // 10, y + dy * i // 10)
            time.sleep(0.05)
        time.sleep(0.2)
        xdotool("mouseup", 1)
        time.sleep(0.3)

    def type_text(self, text):
        xdotool("type", "--delay", 40, text)
        time.sleep(0.3)

    def key(self, *keys):
        xdotool("key", *keys)
        time.sleep(0.3)


def main(flow, host_args=()):
    """Runs flow(session) against a fresh practice host; exit status 0 when it passes."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    session = Session(parser.parse_args().bin, host_args)
    try:
        flow(session)
    except Failure as failure:
        screen = os.path.join(session.work, "failure.png")
        subprocess.run(["import", "-window", "root", screen], check=True)
        print("FAILED:", failure, "\nscreen:", screen)
        for entry in session.log()[-10:]:
            print("  log:", json.dumps(entry)[:300])
        return 1
    finally:
        session.close()
    print("PASSED")
    return 0


def open_console(session):
    """Starts Zibbet and clicks its splash picture; returns the console's state."""
    splash = session.start_zibbet()
    count = len(session.said())
    session.click(*session.point(splash, 0, 0, 4005, 6015))
    session.wait_said(count + 1)
    return wait_for(lambda: session.form("Form1", visible=True), 10, "the console")


def say_as_user(session, text):
    """Types a line into the practice host's room and presses Enter, as the user does."""
    box = session.probe()["hostInput"]
    check(box is not None, "the practice host has a room")
    count = len(session.said())
    session.click(box[0] + box[2] // 2, box[1] + box[3] // 2)
    session.type_text(text)
    session.key("Return")
    session.wait_said(count + 1)


def fill_secret_panel(session, panel, name, code, age):
    """Types the three entries with real keys, each box clicked first."""
    for top, height, text in ((120, 285, name), (360, 330, code), (600, 285, age)):
        session.click(*session.point(panel, 960, top, 1695, height))
        session.key("ctrl+a", "BackSpace")
        if text:
            session.type_text(text)


def crop(session, rect, path):
    x, y, w, h = rect
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                    "+repage", path], check=True)
