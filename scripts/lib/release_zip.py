#!/usr/bin/env python3
"""Writes the release zip and its SHA256SUMS; used by scripts/package.

    release_zip.py --version V --exe Tarnwick.exe --help-file Tarnwick.hlp --readme README.txt
                   --license LICENSE --time SECONDS --out DIR

The zip holds Tarnwick.exe, Tarnwick.hlp, README.txt and LICENSE in that order. The same
inputs give the same bytes: every entry has the given time (the commit's), fixed attributes
and the same compression. The two text files get Windows line endings, and README.txt its
@VERSION@ filled in.
"""

import argparse
import hashlib
import os
import time
import zipfile

ZIP_NAME = "Tarnwick-{version}-win-x64.zip"


def windows_text(data: bytes) -> bytes:
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def entry(name: str, stamp: float) -> zipfile.ZipInfo:
    # The zip format keeps local time in two-second steps from 1980; the commit's time in UTC
    # is written as it is, so that the bytes do not depend on the machine's time zone.
    when = max(stamp, 315532800)
    info = zipfile.ZipInfo(name, date_time=time.gmtime(when)[:6])
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: Windows' own archiver shows no Unix permissions
    info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
    return info


def main() -> None:
    parser = argparse.ArgumentParser()
    for option in ("version", "exe", "help-file", "readme", "license", "out"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--time", type=float, required=True)
    args = parser.parse_args()

    def read(path: str) -> bytes:
        with open(path, "rb") as file:
            return file.read()

    readme = read(args.readme).replace(b"@VERSION@", args.version.encode("ascii"))
    contents = [
        ("Tarnwick.exe", read(args.exe)),
        ("Tarnwick.hlp", read(args.help_file)),
        ("README.txt", windows_text(readme)),
        ("LICENSE", windows_text(read(args.license))),
    ]
    os.makedirs(args.out, exist_ok=True)
    name = ZIP_NAME.format(version=args.version)
    path = os.path.join(args.out, name)
    with zipfile.ZipFile(path, "w") as archive:
        for file_name, data in contents:
            archive.writestr(entry(file_name, args.time), data, compresslevel=9)
    digest = hashlib.sha256(read(path)).hexdigest()
    with open(os.path.join(args.out, "SHA256SUMS"), "w", newline="\n") as sums:
        sums.write(f"{digest}  {name}\n")
    print(path)


if __name__ == "__main__":
    main()
