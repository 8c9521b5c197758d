#!/usr/bin/env python3
"""Prints the accessibility tree of one application as seen on the AT-SPI bus, one node a line:
role, name and description separated by tabs. Waits up to the given seconds for the application.

    atspi_tree.py <application name> <seconds>
"""
import sys
import time

import pyatspi


def find(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def walk(node, depth, out):
    if depth > 40:
        return
    try:
        line = "\t".join(text.replace("\t", " ").replace("\n", " ")
                         for text in (node.getRoleName(), node.name or "", node.description or ""))
        count = node.childCount
    except Exception:  # a node that went away while it was read
        return
    out.append(line)
    for index in range(count):
        try:
            child = node.getChildAtIndex(index)
        except Exception:
            continue
        if child is not None:
            walk(child, depth + 1, out)


def main():
    name, seconds = sys.argv[1], float(sys.argv[2])
    deadline = time.monotonic() + seconds
    app = find(name)
    while app is None and time.monotonic() < deadline:
        time.sleep(0.2)
        app = find(name)
    if app is None:
        print("no application named " + name + " on the accessibility bus", file=sys.stderr)
        return 2
    out = []
    walk(app, 0, out)
    sys.stdout.write("\n".join(out) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
