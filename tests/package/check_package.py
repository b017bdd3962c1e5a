#!/usr/bin/env python3
"""Checks the release that scripts/package writes.

    check_package.py            checks build/dist against this tree's build/win and sources,
                                and that packing the same files again gives the same bytes
    check_package.py --fresh    clones the current commit twice, runs scripts/package in each
                                clone, checks that both zips are the same bytes, and checks one

Prints one PASS or FAIL line per check and ends with "N passed, N failed".
"""

import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LARGEST_EXE = 200 * 1024
ENTRIES = ["Tarnwick.exe", "Tarnwick.hlp", "README.txt", "LICENSE"]

passed = 0
failed = 0


def check(what, ok, expected="", actual=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"PASS package: {what}")
    else:
        failed += 1
        print(f"FAIL package: {what}: expected {expected}, actual {actual}")
    return ok


def read(path):
    with open(path, "rb") as file:
        return file.read()


def cmake_version(root):
    found = re.search(r"project\(Tarnwick VERSION ([0-9.]+)", read(os.path.join(root, "CMakeLists.txt")).decode())
    return found.group(1) if found else None


def pe_facts(exe):
    """The COFF symbol table, link time and section names of a PE file."""
    at = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[at:at + 4] != b"PE\0\0":
        return None
    _, sections, stamp, symbols_at, symbols, optional_size, _ = struct.unpack_from("<HHIIIHH", exe, at + 4)
    table = at + 24 + optional_size
    names = [exe[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode("latin-1") for i in range(sections)]
    return {"stamp": stamp, "symbols_at": symbols_at, "symbols": symbols, "sections": names}


def resource_version(exe):
    # VS_FIXEDFILEINFO: its signature, then its structure version 1.0 (the signature alone also
    # turns up in the code that reads the resource).
    at = exe.find(struct.pack("<II", 0xFEEF04BD, 0x00010000))
    if at < 0:
        return None
    most, least = struct.unpack_from("<II", exe, at + 8)
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def check_release(root, tested_exe):
    version = cmake_version(root)
    check("CMake project version found", version is not None, "project(Tarnwick VERSION ...)", "none")
    dist = os.path.join(root, "build", "dist")
    name = f"Tarnwick-{version}-win-x64.zip"
    listing = sorted(os.listdir(dist)) if os.path.isdir(dist) else []
    check("build/dist holds the zip and SHA256SUMS", listing == sorted([name, "SHA256SUMS"]),
          sorted([name, "SHA256SUMS"]), listing)
    path = os.path.join(dist, name)
    if not os.path.isfile(path):
        return None
    zipped = read(path)
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        check("zip holds exactly " + ", ".join(ENTRIES), names == ENTRIES, ENTRIES, names)
        check("zip is sound", archive.testzip() is None, "no damaged entry", archive.testzip())
        files = {n: archive.read(n) for n in names}
    exe = files.get("Tarnwick.exe", b"")
    check("zipped exe is the tested build/win/Tarnwick.exe", exe == read(tested_exe),
          f"{len(read(tested_exe))} bytes", f"{len(exe)} bytes")
    check(f"zipped exe at most {LARGEST_EXE} bytes", 0 < len(exe) <= LARGEST_EXE,
          f"<= {LARGEST_EXE}", len(exe))
    facts = pe_facts(exe) if exe else None
    check("zipped exe is a PE file", facts is not None, "PE signature", "none")
    if facts:
        debug = [s for s in facts["sections"] if s.startswith(".debug") or s.startswith("/")]
        check("zipped exe is stripped (no symbols, no debug sections)",
              facts["symbols"] == 0 and facts["symbols_at"] == 0 and not debug,
              "no symbol table and no debug sections",
              f"{facts['symbols']} symbols, sections {debug}")
        check("zipped exe has no link time in its header", facts["stamp"] == 0, 0, facts["stamp"])
    check("zipped exe's version resource is the CMake version", resource_version(exe) == version,
          version, resource_version(exe))
    check("Tarnwick.hlp is the help file", files.get("Tarnwick.hlp") == read(os.path.join(root, "help", "Tarnwick.hlp")))
    for text, source in (("README.txt", "packaging/README.txt"), ("LICENSE", "LICENSE")):
        data = files.get(text, b"")
        lines, crlf = data.count(b"\n"), data.count(b"\r\n")
        check(f"{text} has Windows line endings", lines > 0 and lines == crlf,
              "every line ending CR LF", f"{crlf} of {lines}")
        expected = read(os.path.join(root, source)).replace(b"@VERSION@", (version or "").encode())
        check(f"{text} is {source}", data.replace(b"\r\n", b"\n") == expected)
    readme = files.get("README.txt", b"").decode("utf-8", "replace")
    check("README.txt names the version", f"Tarnwick {version}" in readme, f"Tarnwick {version}", readme[:40])
    check("LICENSE is the MIT licence of the Tarnwick developers",
          files.get("LICENSE", b"").startswith(b"MIT License\r\n\r\nCopyright (c) ")
          and b"The Tarnwick developers" in files.get("LICENSE", b""))
    sums = read(os.path.join(dist, "SHA256SUMS")).decode() if os.path.isfile(os.path.join(dist, "SHA256SUMS")) else ""
    expected_sums = f"{hashlib.sha256(zipped).hexdigest()}  {name}\n"
    check("SHA256SUMS matches the zip", sums == expected_sums, expected_sums.strip(), sums.strip())
    return zipped


def check_repack(root):
    """Packing the same files again gives the same bytes."""
    version = cmake_version(root)
    name = f"Tarnwick-{version}-win-x64.zip"
    with tempfile.TemporaryDirectory() as out:
        stamp = subprocess.run(["git", "-C", root, "log", "-1", "--format=%ct"], capture_output=True,
                               text=True).stdout.strip() or "315532800"
        stamp = os.environ.get("SOURCE_DATE_EPOCH", stamp)
        subprocess.run([sys.executable, os.path.join(root, "scripts", "lib", "release_zip.py"),
                        "--version", version, "--exe", os.path.join(root, "build", "win", "Tarnwick.exe"),
                        "--help-file", os.path.join(root, "build", "win", "Tarnwick.hlp"),
                        "--readme", os.path.join(root, "packaging", "README.txt"),
                        "--license", os.path.join(root, "LICENSE"), "--time", stamp, "--out", out],
                       check=True, stdout=subprocess.DEVNULL)
        check("packing the same files again gives the same zip bytes",
              read(os.path.join(out, name)) == read(os.path.join(root, "build", "dist", name)))


def fresh():
    """Two clones of the current commit, each packaged from scratch."""
    work = tempfile.mkdtemp(prefix="tarnwick-package-")
    try:
        zips = []
        for clone in ("a", "b"):
            path = os.path.join(work, clone)
            subprocess.run(["git", "clone", "--quiet", "--no-hardlinks", ROOT, path], check=True)
            run = subprocess.run([os.path.join(path, "scripts", "package")], capture_output=True, text=True)
            if not check(f"scripts/package in fresh clone {clone}", run.returncode == 0, "exit 0",
                         f"exit {run.returncode}: {run.stderr[-400:]}"):
                return
            zips.append((path, None))
        first = check_release(zips[0][0], os.path.join(zips[0][0], "build", "win", "Tarnwick.exe"))
        name = f"Tarnwick-{cmake_version(zips[1][0])}-win-x64.zip"
        second = read(os.path.join(zips[1][0], "build", "dist", name))
        check("two fresh builds of the commit give the same zip bytes", first == second,
              hashlib.sha256(first or b"").hexdigest(), hashlib.sha256(second).hexdigest())
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    if sys.argv[1:] == ["--fresh"]:
        fresh()
    else:
        check_release(ROOT, os.path.join(ROOT, "build", "win", "Tarnwick.exe"))
        check_repack(ROOT)
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
