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

passed = failed = 0


def check(what, condition):
    global passed, failed
    if condition:
        passed += 1
        print(f"ok: {what}")
    else:
        failed += 1
        print(f"FAILED: {what}")


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, role, name=None, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for node in walk(root):
            try:
                if node.getRole() == role and (name is None or node.name == name):
                    return node
            except Exception:  # a node that went away while walking
                pass
        time.sleep(0.2)
    return None


def application(pid, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.3)
    return None


def main():
    program, file = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("AT_SPI_BUS_ADDRESS", None)
    editor = subprocess.Popen([program, file], env=env)
    try:
        app = application(editor.pid)
        check("the editor registers with the accessibility bus", app is not None)
        if app is None:
            return
        forms = find(app, pyatspi.ROLE_LIST, "Form names")
        check("the form list is found by role and name", forms is not None)
        if forms is not None:
            check("the form list offers its 24 forms", forms.childCount == 24)
            first = forms.getChildAtIndex(0)
            check("the first form is spoken as its name", first is not None and first.name == "Main window")
        check("the row list is found by role and name",
              find(app, pyatspi.ROLE_LIST, "Text in this form") is not None)
        for name in ("Author", "Revision", "Date", "Application", "Version", "File name"):
            box = find(app, pyatspi.ROLE_TEXT, name, timeout=3)
            check(f"the {name} box is found by role and name", box is not None)
        author = find(app, pyatspi.ROLE_TEXT, "Author", timeout=1)
        if author is not None:
            text = author.queryText()
            check("the Author box's text can be read",
                  text.getText(0, text.characterCount) == "Ann Example")
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
            box = None
            deadline = time.time() + 10
            while box is None and time.time() < deadline:
                for node in walk(app):
                    try:
                        if node.getRole() == pyatspi.ROLE_LABEL and "Release date: 01-06-05" in node.name:
                            box = node
                            break
                    except Exception:
                        pass
                time.sleep(0.2)
            check("the About box's text can be read", box is not None)
    finally:
        editor.terminate()
        try:
            editor.wait(timeout=5)
        except subprocess.TimeoutExpired:
            editor.kill()
        print(f"{passed} passed, {failed} failed")


if __name__ == "__main__":
    main()
    sys.exit(1 if failed else 0)
