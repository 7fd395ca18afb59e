"""Writes one PNG of each of Zibbet's five windows, reached as a user reaches them."""

import argparse
import os

from harness import Session, crop, fill_secret_panel, say_as_user, wait_for

parser = argparse.ArgumentParser()
parser.add_argument("--bin", required=True)
parser.add_argument("--out", required=True)
args = parser.parse_args()
os.makedirs(args.out, exist_ok=True)
session = Session(args.bin)
try:
    splash = session.start_zibbet()
    crop(session, splash["window"], os.path.join(args.out, "splash.png"))
    session.click(*session.point(splash, 0, 0, 4005, 6015))  # one Zibbet: not open_console's own
    console = wait_for(lambda: session.form("Form1", visible=True), 10, "the console")
    crop(session, console["window"], os.path.join(args.out, "console.png"))
    say_as_user(session, "tu9vo")
    panel = wait_for(lambda: session.form("Form4", visible=True), 10, "the secret panel")
    fill_secret_panel(session, panel, "vemm", "vemm", "18")
    crop(session, session.form("Form4")["window"], os.path.join(args.out, "secret-panel.png"))
    session.key("Return")
    links = wait_for(lambda: session.form("Form3", visible=True), 10, "the links panel")
    pictures = wait_for(lambda: session.form("Form5", visible=True), 10, "the picture window")
    crop(session, links["window"], os.path.join(args.out, "links-panel.png"))
    # The links panel lies above the picture window: drag it aside by its surface.
    session.drag(*session.point(links, 4140, 700), pictures["window"][2] + 20, 0)
    crop(session, session.form("Form5")["window"], os.path.join(args.out, "picture-window.png"))
finally:
    session.close()
for name in sorted(os.listdir(args.out)):
    print(os.path.join(args.out, name))
