"""The command line every data generator of tools/ shares.

A generator supplies generate(folder), which writes its files below an assets folder. Run without
options it writes into the repository's assets/; --out DIR writes elsewhere; --check renders into a
temporary folder and compares every file with assets/ (exit status 1 when one is missing or differs).
"""

import argparse
import hashlib
import os
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(TOP, "assets")


def write_text(root, name, text):
    """Writes a text file below an assets folder, with LF line ends."""
    path = os.path.join(root, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def _digests(folder):
    found = {}
    if not os.path.isdir(folder):
        return found
    for base, _dirs, names in os.walk(folder):
        for name in names:
            path = os.path.join(base, name)
            with open(path, "rb") as data:
                found[os.path.relpath(path, folder)] = hashlib.sha256(data.read()).hexdigest()
    return found


def check(label, generate, script, owned=(), root=ASSETS):
    with tempfile.TemporaryDirectory() as scratch:
        generate(scratch)
        fresh = _digests(scratch)
    differing = []
    # A file in a folder the generator owns that it no longer makes is stale.
    for folder in owned:
        for name in sorted(_digests(os.path.join(root, folder))):
            relative = os.path.join(folder, name)
            if relative not in fresh:
                differing.append((relative, "not made by the script"))
    for name, digest in sorted(fresh.items()):
        shipped = os.path.join(root, name)
        if not os.path.isfile(shipped):
            differing.append((name, "missing"))
        else:
            with open(shipped, "rb") as data:
                if hashlib.sha256(data.read()).hexdigest() != digest:
                    differing.append((name, "differs"))
    shown = os.path.relpath(root, TOP)
    for name, state in differing:
        print("%s/%s: %s" % (shown, name, state))
    if differing:
        print("%s: %d file(s) out of date; run tools/%s" % (label, len(differing), script))
        return 1
    print("%s: %d files up to date" % (label, len(fresh)))
    return 0


def run(description, label, generate, script, prepare=None, owned=(), root=ASSETS):
    """root: the folder the generator's files belong below (assets/ unless it makes test data too)."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--out", help="folder to write into (default: %s)" % os.path.relpath(root, TOP))
    parser.add_argument("--check", action="store_true", help="compare a fresh render with assets/")
    args = parser.parse_args()
    if prepare is not None:
        prepare()
    if args.check:
        return check(label, generate, script, owned, root)
    generate(args.out or root)
    return 0
