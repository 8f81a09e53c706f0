"""Drives the editor as a screen reader or a person does, through AT-SPI.

Run inside a private session bus on an X display (dbus-run-session -- xvfb-run -a ...). Qt finds
the accessibility bus through org.a11y.Bus on the session bus: AT_SPI_BUS_ADDRESS must not be
set, or Qt 6.4 never registers.
"""
import os
import subprocess
import time

import pyatspi
from gi.repository import Atspi

results = []


def check(what, condition):
    results.append(condition is True)
    print(("ok: " if condition is True else "FAILED: ") + what, flush=True)


def summary():
    print(f"{results.count(True)} passed, {results.count(False)} failed")
    return 0 if results and all(results) else 1


def walk(node, depth=0):
    yield node
    for i in range(node.childCount if depth < 40 else 0):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def wait_for(found, timeout=10):
    """The first result of found() that is not None, tried until the timeout."""
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


def start(program, arguments, env=None):
    """Starts the editor and returns the process and its accessible application (or None)."""
    env = dict(env or os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("AT_SPI_BUS_ADDRESS", None)
    editor = subprocess.Popen([program] + arguments, env=env)
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                 if a is not None and a.get_process_id() == editor.pid), None), 40)
    return editor, app


def press(node):
    """Activates a button or menu item. One that opens a modal box answers only when the box
    closes, so the call does not wait for its answer."""
    Atspi.set_timeout(1000, 15000)
    try:
        node.queryAction().doAction(0)
    except Exception:
        pass


def stop(editor):
    editor.terminate()
    try:
        editor.wait(timeout=5)
    except subprocess.TimeoutExpired:
        editor.kill()
        editor.wait()
