#!/usr/bin/env python3
"""Walks each window of the desktop programs as a screen reader sees it (AT-SPI) and fails when
a control that can take the keyboard focus has no name to be read out.

Run under a display and a session bus:
    xvfb-run -a dbus-run-session -- python3 check_accessible.py PATH/TO/pagehold-screenshots
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

WINDOWS = ["main-nav", "main-ie", "about", "progress", "message", "help",
           "properties-general-nav", "properties-browser-nav", "properties-ie"]
WAIT_SECONDS = 60


def application_of(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def walk(node, path, focusable, unnamed):
    try:
        states = node.getState()
        role = node.getRoleName()
        name = (node.name or "").strip()
        count = node.childCount
    except Exception:  # a node that went away while we looked
        return
    here = f"{path}/{role}" + (f"[{name}]" if name else "")
    if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
        focusable.append(here)
        if not name:
            unnamed.append(here)
    for index in range(count):
        walk(node.getChildAtIndex(index), here, focusable, unnamed)


def check(tool, window, out):
    env = dict(os.environ)
    env.pop("NO_AT_BRIDGE", None)
    env["GTK_A11Y"] = "atspi"
    process = subprocess.Popen([tool, "--show", window, "--out", out], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + WAIT_SECONDS
        focusable, unnamed = [], []
        while time.monotonic() < deadline and process.poll() is None:
            app = application_of(process.pid)
            if app is not None:
                focusable, unnamed = [], []
                walk(app, "", focusable, unnamed)
                if focusable:
                    # Once something can take the focus the window is up; walk it once more so
                    # that controls still being set up are seen too.
                    time.sleep(0.5)
                    focusable, unnamed = [], []
                    walk(app, "", focusable, unnamed)
                    break
            time.sleep(0.3)
        if not focusable:
            return [f"{window}: no control that takes the focus was found"]
        return [f"{window}: no name: {path}" for path in unnamed]
    finally:
        process.terminate()
        process.wait(timeout=30)


def main():
    tool = sys.argv[1]
    windows = sys.argv[2:] or WINDOWS
    problems = []
    with tempfile.TemporaryDirectory() as out:
        for window in windows:
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
