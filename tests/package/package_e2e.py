"""The release as a user gets it: packed twice, the same bytes and SHA256SUMS; unpacked, one folder
with the programs and the texts (Windows line ends), each program with its manifest, the
project's version in its version record, and an icon of its own. With --start, the unpacked
programs start under Wine and a click on the splash opens the console, which says so."""

import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))
from harness import Failure, Session, check, open_console  # noqa: E402

TEXTS = ["LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "guide.txt"]
CONTENTS = sorted(TEXTS + ["PracticeHost.exe", "Zibbet.exe"])
SPLASH_CAPTION = "Zibbet Version 1 By: Mr Vemm"
# Run as the user, Windows 10/11 among the versions known; Zibbet follows each monitor's DPI, the
# host the system's.
MANIFEST_PARTS = [b'level="asInvoker"', b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]
DPI_AWARENESS = {
    "Zibbet.exe": [b">true/pm</dpiAware>", b">PerMonitorV2, PerMonitor</dpiAwareness>"],
    "PracticeHost.exe": [b">true</dpiAware>"],
}
# Themed controls would change the classic look.
VISUAL_STYLES = b"Microsoft.Windows.Common-Controls"
# Each program's internal name and description.
RECORDS = {"Zibbet.exe": ("Zibbet", "By: Mr Vemm"),
           "PracticeHost.exe": ("PracticeHost", "Zibbet practice host")}


def read(*path):
    with open(os.path.join(*path), "rb") as f:
        return f.read()


def resources(args, exe):
    """The program's resources by type, as the toolchain's resource compiler writes them back."""
    script = subprocess.run([args.windres, "-i", exe, "-O", "rc"], check=True,
                            capture_output=True, text=True).stdout
    return [part.split("*/", 1) for part in script.split("/* Type: ")[1:]]


def check_program(folder, exe, args):
    pe = read(folder, exe)
    version = ('version="%s"' % args.version_quad).encode()
    for part in MANIFEST_PARTS + DPI_AWARENESS[exe] + [version]:
        check(part in pe, "%s: manifest lacks %s" % (exe, part.decode()))
    check(VISUAL_STYLES not in pe, exe + " asks for visual styles")
    found = resources(args, os.path.join(folder, exe))
    records = [body for kind, body in found if kind.startswith("version")]
    check(len(records) == 1, exe + ": one version record")
    numbers = args.version_quad.replace(".", ", ")
    expected = dict(zip(["InternalName", "FileDescription"], RECORDS[exe]), ProductName="Zibbet",
                    OriginalFilename=exe, FileVersion=args.version_text,
                    ProductVersion=args.version_text)
    check("FILEVERSION %s\n" % numbers in records[0] and
          "PRODUCTVERSION %s\n" % numbers in records[0], exe + ": version numbers")
    strings = dict(re.findall(r'VALUE "(\w+)", "([^"]*)"', records[0]))
    check(strings == expected, "%s: version strings %s" % (exe, strings))
    check('VALUE "Translation", 0x409, 1200' in records[0], exe + ": US English, Unicode")
    return [body for kind, body in found if kind.startswith("icon")]


def pack(args, out):
    subprocess.run([sys.executable, os.path.join(SOURCE, "scripts", "pack-release.py"),
                    "--build", args.build, "--name", args.name, "--out", out],
                   check=True, stdout=subprocess.DEVNULL)
    return read(out, args.name + ".zip"), read(out, "SHA256SUMS")


def check_zip(args, work):
    first = pack(args, os.path.join(work, "one"))
    # What a packer must not take in: the files' times.
    time.sleep(1.1)
    for text in TEXTS:
        os.utime(os.path.join(args.build, "release", text))
    second = pack(args, os.path.join(work, "two"))
    check(first == second, "packing twice gave two different zips or SHA256SUMS")
    digest = hashlib.sha256(first[0]).hexdigest()
    check(first[1] == ("%s  %s.zip\n" % (digest, args.name)).encode(),
          "SHA256SUMS: %r" % first[1])
    with zipfile.ZipFile(os.path.join(work, "one", args.name + ".zip")) as archive:
        infos = archive.infolist()
        names = [i.filename for i in infos]
        check(names == [args.name + "/"] + [args.name + "/" + n for n in CONTENTS],
              "the zip holds %s" % names)
        modes = {i.filename.rsplit("/", 1)[-1] or "/": i.external_attr >> 16 for i in infos}
        check(modes == dict({"/": 0o40755}, **{n: 0o100755 if n.endswith(".exe") else 0o100644
                                               for n in CONTENTS}), "modes %s" % modes)
        archive.extractall(work)
    return os.path.join(work, args.name)


def check_texts(folder, args):
    for text in TEXTS:
        data = read(folder, text)
        check(data.count(b"\n") > 10 and data.count(b"\n") == data.count(b"\r\n"),
              text + ": Windows line ends")
    check(read(folder, "guide.txt").startswith(b"Zibbet %s - " % args.version_text.encode()),
          "the guide names the version")


def start(build, folder):
    # The tests' window probe, beside the programs it looks at; it is no part of the release.
    shutil.copy(os.path.join(build, "bin", "zibbet_probe.exe"), folder)
    session = Session(folder)
    try:
        open_console(session)
        caption = session.form("Form2")["caption"]
        check(caption == SPLASH_CAPTION, "splash caption %r" % caption)
    finally:
        session.close()


def flow(args, work):
    folder = check_zip(args, work)
    check_texts(folder, args)
    zibbet_icons = check_program(folder, "Zibbet.exe", args)
    host_icons = check_program(folder, "PracticeHost.exe", args)
    check(host_icons and not set(host_icons) & set(zibbet_icons),
          "the practice host has an icon of its own")
    if args.start:
        start(args.build, folder)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--version-text", required=True)
    parser.add_argument("--version-quad", required=True)
    parser.add_argument("--windres", required=True)
    parser.add_argument("--start", action="store_true", help="start the programs under Wine")
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="zibbet-package-")
    try:
        flow(args, work)
    except Failure as failure:
        print("FAILED:", failure)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main())
