#!/usr/bin/env python3
"""Keeps shipped-pedigree-files.sha256 up to date.

The list holds the SHA-256 of every version of every file under data/pedigrees/ that the program
has laid out into an install folder, as the bytes it wrote there: a template as UTF-16
little-endian text behind its byte-order mark, a picture as it is. At start the program replaces
an installed file whose hash is listed for its name but is not today's: nobody edited it, it is
only an older copy of the program's own. A file with any other content is the user's and is kept.

    python3 resources/install/record-shipped-pedigree-files.py            # today's files
    python3 resources/install/record-shipped-pedigree-files.py --history  # every committed version

make-pedigree-templates.py records the templates it writes; run this script after
make_pedigree_art so the pictures it drew are listed too. A test fails while a bundled file's
hash is missing from the list. A committed line is never removed; a version that was recorded
but never committed (a step while a layout was being worked on) is dropped once it is replaced.
"""

import hashlib
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FOLDER = "data/pedigrees"
LIST = os.path.join(HERE, "shipped-pedigree-files.sha256")
HEADER = ("# SHA-256 of every file the program has laid out under data/pedigrees/, as laid out\n"
          "# (templates as UTF-16LE with a byte-order mark), oldest first for each file.\n"
          "# Kept by record-shipped-pedigree-files.py; never remove a line.\n")


def laid_out(name, data):
    """The bytes the program writes into the install folder for the bundled file `name`."""
    if name.startswith(FOLDER + "/") and name.endswith(".html"):
        return b"\xff\xfe" + data.decode("utf-8").encode("utf-16-le")
    return data


def digest(name, data):
    return hashlib.sha256(laid_out(name, data)).hexdigest()


def read_list():
    entries = []
    if os.path.exists(LIST):
        with open(LIST, encoding="ascii") as f:
            for line in f:
                line = line.strip()
                if line and not line.startswith("#"):
                    sha, name = line.split(None, 1)
                    entries.append((name, sha))
    return entries


def committed_list():
    """The entries of the list as last committed; None where that cannot be told."""
    try:
        top = git("rev-parse", "--show-toplevel").strip()
        text = git("show", "HEAD:" + os.path.relpath(LIST, top).replace(os.sep, "/"))
    except (OSError, subprocess.CalledProcessError):
        return None
    return {(line.split(None, 1)[1], line.split(None, 1)[0]) for line in text.splitlines()
            if line.strip() and not line.startswith("#")}


def record(found, prune=True):
    """Adds the (name, sha) pairs of `found` that are not listed yet; returns how many.

    With `prune`, a file's listed versions that were neither committed nor are `found` now
    are dropped: they were steps of work in progress that no install ever saw."""
    entries = read_list()
    before = list(entries)
    committed = committed_list() if prune else None
    if committed is not None:
        names, now = {name for name, _ in found}, set(found)
        entries = [e for e in entries if e[0] not in names or e in committed or e in now]
    known = set(entries)
    added = [e for e in dict.fromkeys(found) if e not in known]
    entries += added
    if entries == before:
        return 0
    # Grouped by file; within a file the order stays the order of recording (oldest first).
    entries.sort(key=lambda e: e[0])
    with open(LIST, "w", encoding="ascii", newline="\n") as f:
        f.write(HEADER)
        for name, sha in entries:
            f.write("%s  %s\n" % (sha, name))
    return len(added)


def current():
    root = os.path.join(HERE, FOLDER)
    found = []
    for folder, _, files in os.walk(root):
        for file in sorted(files):
            path = os.path.join(folder, file)
            name = os.path.relpath(path, HERE).replace(os.sep, "/")
            with open(path, "rb") as f:
                found.append((name, digest(name, f.read())))
    return sorted(found)


def history():
    """Every version of every file under data/pedigrees/ in the repository, oldest first."""
    prefix = os.path.relpath(HERE, git("rev-parse", "--show-toplevel").strip()).replace(os.sep, "/")
    found = []
    for commit in git("log", "--all", "--reverse", "--format=%H", "--", FOLDER).split():
        for line in git("ls-tree", "-r", "--full-name", commit, "--", FOLDER).splitlines():
            meta, path = line.split("\t", 1)
            blob = meta.split()[2]
            name = path[len(prefix) + 1:] if prefix != "." else path
            found.append((name, digest(name, git_bytes("cat-file", "blob", blob))))
    return found


def git_bytes(*args):
    return subprocess.run(("git",) + args, cwd=HERE, check=True, capture_output=True).stdout


def git(*args):
    return git_bytes(*args).decode("utf-8")


def main():
    if "--history" in sys.argv[1:]:
        added = record(history(), prune=False)
    else:
        added = record(current())
    print("%d new hash(es) in %s" % (added, os.path.relpath(LIST)))


if __name__ == "__main__":
    main()
