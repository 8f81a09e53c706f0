#!/usr/bin/python3
"""Reads the editor's accessibility tree through AT-SPI, as a screen reader does.

    check_atspi.py LEXICANT FILE.lsf

Run inside a private session bus on an X display:
    dbus-run-session -- xvfb-run -a check_atspi.py build/bin/lexicant examples/demo-notes.lsf
Qt finds the accessibility bus through org.a11y.Bus on the session bus (AT_SPI_BUS_ADDRESS must
not be set, or Qt 6.4 never registers). Prints one line per check and "N passed, N failed".
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi

results = []


def check(what, condition):
    results.append(condition is True)
    print(("ok: " if condition is True else "FAILED: ") + what)


def walk(node, depth=0):
    yield node
    for i in range(node.childCount if depth < 40 else 0):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def wait_for(found, timeout=10):
    """The first non-None result of found(), retried until the timeout."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            result = found()
            if result is not None:
                return result
        except Exception:  # a node that went away while walking
            pass
        time.sleep(0.2)
    return None


def find(root, role, name=None, contains=None, timeout=10):
    return wait_for(lambda: next((n for n in walk(root) if n.getRole() == role and
                                  (name is None or n.name == name) and
                                  (contains is None or contains in n.name)), None), timeout)


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("AT_SPI_BUS_ADDRESS", None)
    editor = subprocess.Popen(sys.argv[1:3], env=env)
    try:
        app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                     if a is not None and a.get_process_id() == editor.pid), None), 20)
        check("the editor registers with the accessibility bus", app is not None)
        if app is None:
            return
        forms = find(app, pyatspi.ROLE_LIST, "Form names")
        check("the form list offers its 24 forms, the first spoken as its name",
              forms is not None and forms.childCount == 24 and forms.getChildAtIndex(0).name == "Main window")
        check("the row list is found by role and name",
              find(app, pyatspi.ROLE_LIST, "Text in this form") is not None)
        for name in ("Author", "Revision", "Date", "Application", "Version", "File name"):
            check(f"the {name} box is found by role and name",
                  find(app, pyatspi.ROLE_TEXT, name, timeout=3) is not None)
        author = find(app, pyatspi.ROLE_TEXT, "Author", timeout=1)
        check("the Author box's text can be read",
              author is not None and author.queryText().getText(0, -1) == "Ann Example")
        check("the New file button is found by role and name",
              find(app, pyatspi.ROLE_PUSH_BUTTON, "New file", timeout=3) is not None)
        about = find(app, pyatspi.ROLE_MENU_ITEM, "About")
        check("the About menu item is found", about is not None)
        if about is not None:
            # The box is modal: the click's reply comes only when it closes, so do not wait for it.
            Atspi.set_timeout(1000, 15000)
            try:
                about.queryAction().doAction(0)
            except Exception:
                pass
            check("the About box's text can be read",
                  find(app, pyatspi.ROLE_LABEL, contains="Release date: 01-06-05") is not None)
    finally:
        editor.terminate()
        try:
            editor.wait(timeout=5)
        except subprocess.TimeoutExpired:
            editor.kill()
        print(f"{results.count(True)} passed, {results.count(False)} failed")


if __name__ == "__main__":
    main()
    sys.exit(0 if results and all(results) else 1)
