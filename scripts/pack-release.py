#!/usr/bin/env python3
"""pack-release.py --build DIR --name NAME --out DIR [--source DIR]

Packs the release zip OUT/NAME.zip from a build's install rules, and writes OUT/SHA256SUMS.
The zip depends on nothing but the installed files and the source's last commit: entries in
name order under one folder NAME/, every time stamp the commit's time (or SOURCE_DATE_EPOCH when
it is set), fixed permissions, no owners and no extra fields. Prints the zip's path and SHA-256."""

import argparse
import hashlib
import os
import subprocess
import sys
import tempfile
import time
import zipfile

DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can carry
FOLDER_MODE = 0o40755
PROGRAM_MODE = 0o100755
FILE_MODE = 0o100644
UNIX = 3  # "made by" system: the modes above are Unix modes


def source_time(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        out = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"], check=True,
                             capture_output=True, text=True).stdout
        return int(out.strip())
    except (OSError, subprocess.CalledProcessError, ValueError):
        sys.exit("pack-release: not a git checkout; set SOURCE_DATE_EPOCH to the release's time")


def entry(name, stamp, mode):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(max(stamp, DOS_EPOCH))[:6])
    info.create_system = UNIX
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def pack(build, name, out, source):
    stamp = source_time(source)
    os.makedirs(out, exist_ok=True)
    zip_path = os.path.join(out, name + ".zip")
    with tempfile.TemporaryDirectory(prefix="zibbet-stage-") as stage:
        folder = os.path.join(stage, name)
        subprocess.run(["cmake", "--install", build, "--prefix", folder], check=True,
                       stdout=subprocess.DEVNULL)
        files = sorted(os.path.relpath(os.path.join(d, f), folder).replace(os.sep, "/")
                       for d, _, names in os.walk(folder) for f in names)
        partial = zip_path + ".part"
        with zipfile.ZipFile(partial, "w") as archive:
            archive.writestr(entry(name + "/", stamp, FOLDER_MODE), b"")
            for path in files:
                with open(os.path.join(folder, path), "rb") as f:
                    data = f.read()
                mode = PROGRAM_MODE if path.lower().endswith(".exe") else FILE_MODE
                archive.writestr(entry(name + "/" + path, stamp, mode), data, compresslevel=9)
        os.replace(partial, zip_path)
    with open(zip_path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    # The format sha256sum -c reads.
    with open(os.path.join(out, "SHA256SUMS"), "w", newline="\n") as f:
        f.write("%s  %s.zip\n" % (digest, name))
    return zip_path, digest


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--name", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--source", default=os.path.dirname(os.path.dirname(
        os.path.abspath(__file__))))
    args = parser.parse_args()
    zip_path, digest = pack(args.build, args.name, args.out, args.source)
    print(zip_path)
    print(digest)


if __name__ == "__main__":
    main()
