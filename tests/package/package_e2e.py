"""The release as a user gets it: the zip that CPack makes from this build, unpacked, holds the
two programs, the guide and the licence; each program carries its application manifest; and
under Wine the unpacked practice host and Zibbet start, the splash shows, and a click on it
opens the console, which says so in the room."""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "e2e"))
from harness import LOADED, Failure, Session, check, fade, wait_for  # noqa: E402

CONTENTS = ["LICENSE", "PracticeHost.exe", "Zibbet.exe", "guide.txt"]
SPLASH_CAPTION = "Zibbet Version 1 By: Mr Vemm"
# Run as the user, Windows 10/11 among the versions known, system DPI aware.
MANIFEST_PARTS = [b'level="asInvoker"', b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                  b">true</dpiAware>"]
# Themed controls would change the classic look.
VISUAL_STYLES = b"Microsoft.Windows.Common-Controls"


def unpack(build, work):
    subprocess.run(["cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", work],
                   check=True, stdout=subprocess.DEVNULL)
    zips = glob.glob(os.path.join(work, "Zibbet-1.00-win*.zip"))
    check(len(zips) == 1, "one versioned zip: %s" % os.listdir(work))
    subprocess.run(["cmake", "-E", "tar", "x", zips[0]], cwd=work, check=True)
    folder = zips[0][:-len(".zip")]
    check(sorted(os.listdir(folder)) == CONTENTS, "the zip holds %s" % os.listdir(folder))
    return folder


def check_manifest(exe):
    with open(exe, "rb") as f:
        data = f.read()
    for part in MANIFEST_PARTS:
        check(part in data, "%s: manifest lacks %s" % (exe, part.decode()))
    check(VISUAL_STYLES not in data, exe + " asks for visual styles")


def flow(build, work):
    folder = unpack(build, work)
    for exe in ("Zibbet.exe", "PracticeHost.exe"):
        check_manifest(os.path.join(folder, exe))
    # The tests' window probe, beside the programs it looks at; it is no part of the release.
    shutil.copy(os.path.join(build, "bin", "zibbet_probe.exe"), folder)
    session = Session(folder)
    try:
        splash = session.start_zibbet()
        check(splash["caption"] == SPLASH_CAPTION, "splash caption %r" % splash["caption"])
        session.click(*session.point(splash, 0, 0, 4005, 6015))
        said = session.wait_said(1)
        check(said[0]["markup"] == fade(LOADED), "the console says it is loaded")
        wait_for(lambda: session.form("Form1", visible=True), 10, "the console")
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="zibbet-package-")
    try:
        flow(args.build, work)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
