#!/usr/bin/env python3
"""Lays out a folder that any static web server can serve as Linkwise's
update server and terrain data server.

    files/list.ini, files/list-test.ini   offer lists (program version, installer
                                          with its checksums, library versions)
    files/<installer>                     the program installer
    files/hcmdll/<version>/<library>      each offered library version
    topogra/TOPO/<column>/<archive>.zip   topographical tiles, one archive per
                                          column and latitude band
    morpho/MORPHO/<column>/<column>.zip   morphological tiles, one per column

Tiles are read from folders laid out like Linkwise's data folders (column
folders such as E016 holding files such as E016N45.dat) or flat.
"""
import argparse
import hashlib
import os
import re
import shutil
import sys
import zipfile

TILE = re.compile(r"^([EWew])(\d{3})([NSns])(\d{2})")


def column_name(lon):
    return ("E" if lon >= 0 else "W") + "%03d" % abs(lon)


def north_split(lat, south):
    if lat < 0:
        return south
    return "north00to29.zip" if lat <= 29 else "north30to89.zip"


def topo_suffix(l, b):
    """The archive suffix after the column name; None where there is none."""
    def within(lo, hi):
        return lo <= l <= hi
    if within(0, 15) or within(33, 122) or within(-10, -1) or within(-102, -98) or within(-115, -105):
        return north_split(b, "south.zip")
    if l == -104:
        return "south.zip" if b < 0 else ("north00to29.zip" if b <= 29 else "30to89.zip")
    if within(16, 32):
        if b >= 0:
            return north_split(b, None)
        if -25 <= b <= -2:
            return "south01to25.zip"
        if -90 <= b <= -27:
            return "south26to90.zip"
        return None
    if within(123, 149) or within(-59, -50) or within(-80, -74) or l <= -116:
        return "north.zip" if b >= 0 else "south.zip"
    if l >= 150 or within(-49, -11) or within(-97, -81):
        return ".zip"
    if within(-73, -60):
        if b >= 0:
            return "north.zip"
        return "south01to30.zip" if b >= -30 else "south31to90.zip"
    return None


def tiles(folder):
    """(path, name, longitude, latitude) of every tile file below folder."""
    for root, _dirs, names in os.walk(folder):
        for name in sorted(names):
            m = TILE.match(name)
            if not m:
                continue
            lon = int(m.group(2)) * (-1 if m.group(1).upper() == "W" else 1)
            lat = int(m.group(4)) * (-1 if m.group(3).upper() == "S" else 1)
            yield os.path.join(root, name), name, lon, lat


def pack(groups, out):
    for path, members in sorted(groups.items()):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
            for source, name in members:
                z.write(source, name)  # bare names: unpacked into the column folder
        print("  " + os.path.relpath(path, out))


def terrain(topo, morpho, out):
    groups = {}
    if topo:
        for source, name, lon, lat in tiles(topo):
            suffix = topo_suffix(lon, lat)
            if suffix is None:
                print("  no archive holds %s; left out" % name, file=sys.stderr)
                continue
            col = column_name(lon)
            groups.setdefault(os.path.join(out, "topogra", "TOPO", col, col + suffix), []).append((source, name))
    if morpho:
        for source, name, lon, _lat in tiles(morpho):
            col = column_name(lon)
            groups.setdefault(os.path.join(out, "morpho", "MORPHO", col, col + ".zip"), []).append((source, name))
    pack(groups, out)


def digest(path, algorithm):
    h = hashlib.new(algorithm)
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(1 << 16), b""):
            h.update(chunk)
    return h.hexdigest()


def offer_lines(version, installer, libraries):
    # Keys before any section are the ones QSettings reads at the top level.
    lines = ["VERSION=" + version]
    if installer:
        lines += ["file=" + installer["name"], "md5=" + installer["md5"], "sha256=" + installer["sha256"]]
    lines += ["", "[HCMDLL]"]
    for i, (lib_version, path) in enumerate(libraries, 1):
        lines += ["%d\\version=%s" % (i, lib_version), "%d\\path=%s" % (i, path)]
    lines.append("size=%d" % len(libraries))
    return "\n".join(lines) + "\n"


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("out", help="folder to lay out (created)")
    p.add_argument("--version", required=True, help="newest program version offered, e.g. 2.1.2.0")
    p.add_argument("--test-version", help="version offered in list-test.ini (default: --version)")
    p.add_argument("--installer", help="program installer file")
    p.add_argument("--library", action="append", default=[], metavar="VERSION=FILE",
                   help="an offered calculation library version (repeatable)")
    p.add_argument("--topo", help="folder of topographical tiles")
    p.add_argument("--morpho", help="folder of morphological tiles")
    a = p.parse_args()

    files = os.path.join(a.out, "files")
    os.makedirs(files, exist_ok=True)
    installer = None
    if a.installer:
        name = os.path.basename(a.installer)
        shutil.copyfile(a.installer, os.path.join(files, name))
        installer = {"name": name, "md5": digest(a.installer, "md5"), "sha256": digest(a.installer, "sha256")}
    libraries = []
    for entry in a.library:
        version, _, source = entry.partition("=")
        if not source:
            p.error("--library wants VERSION=FILE, not " + entry)
        target = os.path.join(files, "hcmdll", version)
        os.makedirs(target, exist_ok=True)
        shutil.copyfile(source, os.path.join(target, os.path.basename(source)))
        libraries.append((version, "/files/hcmdll/%s/%s" % (version, os.path.basename(source))))
    with open(os.path.join(files, "list.ini"), "w", newline="\n") as f:
        f.write(offer_lines(a.version, installer, libraries))
    with open(os.path.join(files, "list-test.ini"), "w", newline="\n") as f:
        f.write(offer_lines(a.test_version or a.version, installer, libraries))
    print("files/list.ini, files/list-test.ini")
    terrain(a.topo, a.morpho, a.out)


if __name__ == "__main__":
    main()
