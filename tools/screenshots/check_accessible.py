#!/usr/bin/env python3
"""Walks each window of the desktop programs as a screen reader sees it (AT-SPI) and fails when
a control that can take the keyboard focus has no name to be read out.

Run under a display and a session bus:
    scripts/with-display.sh dbus-run-session -- python3 check_accessible.py PATH/TO/pagehold-screenshots
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

WINDOWS = ["main-nav", "main-ie", "explorer-nav", "explorer-ie", "about", "progress", "message",
           "help", "properties-general-nav", "properties-browser-nav", "properties-ie",
           "properties-browser-ie", "search", "delete-from-archive", "delete-entries"]
# Windows whose lists show entries, with a text that one of their rows holds: a screen reader
# must be able to read the rows.
WINDOWS_WITH_ROWS = {"search": "http://", "delete-entries": "http://",
                     "explorer-nav": "example", "explorer-ie": "example"}
WAIT_SECONDS = 60


def application_of(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def name_of(node):
    try:
        return (node.name or "").strip()
    except Exception:  # a node that went away while we looked
        return ""


def part_of_named_cell(node, parent):
    """A list cell without a name of its own (a row's picture, or the cell that holds a picture
    and a text) is read out with the named cell beside it or inside it."""
    try:
        if parent is None or node.getRoleName() != "table cell":
            return False
        around = [node.getChildAtIndex(i) for i in range(node.childCount)]
        if parent.getRoleName() == "table cell":
            around += [parent.getChildAtIndex(i) for i in range(parent.childCount)]
        return any(name_of(other) for other in around)
    except Exception:
        return False


def walk(node, path, found, parent=None):
    try:
        states = node.getState()
        role = node.getRoleName()
        name = name_of(node)
        count = node.childCount
    except Exception:  # a node that went away while we looked
        return
    here = f"{path}/{role}" + (f"[{name}]" if name else "")
    if role == "table cell" and name:
        found["cells"].append(name)
    if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
        found["focusable"].append(here)
        if not name and not part_of_named_cell(node, parent):
            found["unnamed"].append(here)
    for index in range(count):
        walk(node.getChildAtIndex(index), here, found, node)


def walk_application(app):
    found = {"focusable": [], "unnamed": [], "cells": []}
    walk(app, "", found)
    return found


def ready(window, found):
    """The window is up once something can take the focus, and a list of entries once a row
    shows."""
    if window in WINDOWS_WITH_ROWS:
        return any(WINDOWS_WITH_ROWS[window] in cell for cell in found["cells"])
    return bool(found["focusable"])


def check(tool, window, out):
    env = dict(os.environ)
    env.pop("NO_AT_BRIDGE", None)
    env["GTK_A11Y"] = "atspi"
    errors = tempfile.TemporaryFile()
    process = subprocess.Popen([tool, "--show", window, "--out", out], env=env,
                               stdout=subprocess.DEVNULL, stderr=errors)
    try:
        deadline = time.monotonic() + WAIT_SECONDS
        found = {"focusable": [], "unnamed": [], "cells": []}
        while time.monotonic() < deadline and process.poll() is None:
            app = application_of(process.pid)
            if app is not None and ready(window, walk_application(app)):
                # Walk it once more so that controls still being set up are seen too; a walk
                # that meets the tree while it is rebuilt sees less, so only a ready one counts.
                time.sleep(0.5)
                again = walk_application(app)
                if ready(window, again):
                    found = again
                    break
            time.sleep(0.3)
        if not found["focusable"] and process.poll() is not None:
            errors.seek(0)
            said = errors.read().decode(errors="replace").strip()[-400:]
            return [f"{window}: the program ended (exit {process.returncode}) "
                    f"before its window could be read: {said}"]
        if not found["focusable"]:
            return [f"{window}: no control that takes the focus was found"]
        problems = [f"{window}: no name: {path}" for path in found["unnamed"]]
        if not ready(window, found):
            problems.append(f"{window}: no row of the entry list can be read")
        return problems
    finally:
        process.terminate()
        process.wait(timeout=30)
        errors.close()


def main():
    tool = sys.argv[1]
    windows = sys.argv[2:] or WINDOWS
    problems = []
    # Start the screen reader's bus before the first program does, so that no program meets it
    # half started.
    pyatspi.Registry.getDesktop(0)
    with tempfile.TemporaryDirectory() as out:
        for window in windows:
            found = check(tool, window, out)
            if any("before its window could be read" in problem for problem in found):
                # A program that dies while the session's services come up is tried once more;
                # one that fails at start every time is still reported.
                found = check(tool, window, out)
            print(f"{window}: {'ok' if not found else f'{len(found)} problem(s)'}")
            problems += found
    for problem in problems:
        print(problem)
    print(f"{len(windows) - len({p.split(':')[0] for p in problems})} passed, "
          f"{len({p.split(':')[0] for p in problems})} failed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
