"""The release as a user gets it. Packing the same build twice, its inputs' times and the umask
changed in between, gives the same bytes and the same SHA256SUMS. Unpacked, the zip holds the two
programs and the three texts, with Windows line ends, in one folder; each program carries its
manifest and a version record with the project's version, and the practice host its own icon.
With --start, the unpacked practice host and Zibbet start under Wine, the splash shows, and a
click on it opens the console, which says so in the room."""

import argparse
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "e2e"))
from harness import LOADED, Failure, Session, check, fade, wait_for  # noqa: E402

TEXTS = ["LICENSE.txt", "THIRD-PARTY-NOTICES.txt", "guide.txt"]
CONTENTS = sorted(TEXTS + ["PracticeHost.exe", "Zibbet.exe"])
SPLASH_CAPTION = "Zibbet Version 1 By: Mr Vemm"
# Run as the user, Windows 10/11 among the versions known, system DPI aware.
MANIFEST_PARTS = [b'level="asInvoker"', b"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                  b">true</dpiAware>"]
# Themed controls would change the classic look.
VISUAL_STYLES = b"Microsoft.Windows.Common-Controls"
RECORDS = {"Zibbet.exe": {"ProductName": "Zibbet", "InternalName": "Zibbet",
                          "FileDescription": "By: Mr Vemm", "OriginalFilename": "Zibbet.exe"},
           "PracticeHost.exe": {"ProductName": "Zibbet", "InternalName": "PracticeHost",
                                "FileDescription": "Zibbet practice host",
                                "OriginalFilename": "PracticeHost.exe"}}
RT_ICON, RT_VERSION = 3, 16
US_ENGLISH_UNICODE = struct.pack("<HH", 0x0409, 1200)


def resources(pe, kind):
    """The data of every resource of one type in a PE file, by walking its resource tree."""
    (lfanew,) = struct.unpack_from("<I", pe, 0x3C)
    check(pe[lfanew:lfanew + 4] == b"PE\0\0", "a PE file")
    sections, optional_size = struct.unpack_from("<H12xH", pe, lfanew + 6)
    optional = lfanew + 24
    (magic,) = struct.unpack_from("<H", pe, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    root_rva, _ = struct.unpack_from("<II", pe, directories + 2 * 8)
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", pe, table + 40 * i + 8)
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise Failure("RVA %#x in no section" % rva)

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", pe, root + directory + 12)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", pe, root + directory + 16 + 8 * i)
            yield ident, target

    def leaves(target):
        if target & 0x80000000:
            for _, child in entries(target & 0x7FFFFFFF):
                yield from leaves(child)
        else:
            rva, size = struct.unpack_from("<II", pe, root + target)
            yield pe[offset(rva):offset(rva) + size]

    return [data for ident, target in entries(0) if ident == kind for data in leaves(target)]


def version_node(data, at):
    """One node of a version record: (key, value bytes, children, end)."""
    length, value_length, text = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value = data[value_at:value_at + value_length * (2 if text else 1)]
    children, child = [], (value_at + len(value) + 3) & ~3
    while child < end:
        node = version_node(data, child)
        children.append(node)
        child = (node[3] + 3) & ~3
    return key, value, children, end


def version_record(pe):
    records = resources(pe, RT_VERSION)
    check(len(records) == 1, "one version record")
    key, fixed, children, _ = version_node(records[0], 0)
    check(key == "VS_VERSION_INFO", "version record key %r" % key)
    signature, _, *numbers = struct.unpack_from("<IIIIII", fixed)
    check(signature == 0xFEEF04BD, "fixed file info")
    words = [n >> s & 0xFFFF for n in numbers for s in (16, 0)]
    strings, translation = {}, None
    for name, _, blocks, _ in children:
        for block_name, value, items, _ in blocks:
            if name == "StringFileInfo":
                check(block_name == "040904B0", "string table %s" % block_name)
                strings = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in items}
            elif name == "VarFileInfo" and block_name == "Translation":
                translation = value
    return words[:4], words[4:], strings, translation


def check_program(folder, exe, args):
    with open(os.path.join(folder, exe), "rb") as f:
        pe = f.read()
    for part in MANIFEST_PARTS + [('version="%s"' % args.version_quad).encode()]:
        check(part in pe, "%s: manifest lacks %s" % (exe, part.decode()))
    check(VISUAL_STYLES not in pe, exe + " asks for visual styles")
    file_version, product_version, strings, translation = version_record(pe)
    quad = [int(n) for n in args.version_quad.split(".")]
    check(file_version == quad and product_version == quad,
          "%s: version numbers %s %s" % (exe, file_version, product_version))
    expected = dict(RECORDS[exe], FileVersion=args.version_text, ProductVersion=args.version_text)
    check(strings == expected, "%s: version strings %s" % (exe, strings))
    check(translation == US_ENGLISH_UNICODE, "%s: translation %r" % (exe, translation))
    return resources(pe, RT_ICON)


def pack(args, out, umask):
    previous = os.umask(umask)
    try:
        subprocess.run([sys.executable, os.path.join(SOURCE, "scripts", "pack-release.py"),
                        "--build", args.build, "--name", args.name, "--out", out],
                       check=True, stdout=subprocess.DEVNULL)
    finally:
        os.umask(previous)
    with open(os.path.join(out, args.name + ".zip"), "rb") as f:
        data = f.read()
    with open(os.path.join(out, "SHA256SUMS"), "rb") as f:
        sums = f.read()
    return data, sums


def check_zip(args, work):
    first = pack(args, os.path.join(work, "one"), 0o022)
    # What a packer must not take in: the files' times and the packing user's umask.
    time.sleep(1.1)
    for text in TEXTS:
        os.utime(os.path.join(args.build, "release", text))
    second = pack(args, os.path.join(work, "two"), 0o077)
    check(first[0] == second[0], "packing twice gave two different zips")
    check(first[1] == second[1], "packing twice gave two different SHA256SUMS")
    digest = hashlib.sha256(first[0]).hexdigest()
    check(first[1] == ("%s  %s.zip\n" % (digest, args.name)).encode(),
          "SHA256SUMS: %r" % first[1])
    with zipfile.ZipFile(os.path.join(work, "one", args.name + ".zip")) as archive:
        infos = archive.infolist()
        names = [i.filename for i in infos]
        check(names == [args.name + "/"] + [args.name + "/" + n for n in CONTENTS],
              "the zip holds %s" % names)
        check(len({i.date_time for i in infos}) == 1, "one time stamp for every entry")
        modes = {i.filename.rsplit("/", 1)[-1] or "/": i.external_attr >> 16 for i in infos}
        check(modes == dict({"/": 0o40755}, **{n: 0o100755 if n.endswith(".exe") else 0o100644
                                               for n in CONTENTS}), "modes %s" % modes)
        archive.extractall(work)
    return os.path.join(work, args.name)


def check_texts(folder, args):
    for text in TEXTS:
        with open(os.path.join(folder, text), "rb") as f:
            data = f.read()
        check(data.count(b"\n") > 10 and data.count(b"\n") == data.count(b"\r\n"),
              text + ": Windows line ends")
        check(b"@ZIBBET_" not in data, text + ": a name left unfilled")
    with open(os.path.join(folder, "guide.txt"), "rb") as f:
        check(f.readline().startswith(b"Zibbet %s " % args.version_text.encode()),
              "the guide names the version")


def start(build, folder):
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


def flow(args, work):
    folder = check_zip(args, work)
    check(sorted(os.listdir(folder)) == CONTENTS, "unpacked: %s" % os.listdir(folder))
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
