#!/usr/bin/python3
"""Recovery with real editors: edits survive a kill and a SIGTERM, and of two windows at once only
the one that is gone is offered. (What the question offers and a damaged copy are the offscreen
tests'.) The editors are read as a screen reader reads them, so the program's accessibility tree
is checked on the way.

    dbus-run-session -- xvfb-run -a check_recovery.py build/bin/lexicant examples/demo-notes.lsf

Each editor runs in a scratch home; edits go in through the accessibility interface, as a
screen reader's user makes them. Prints one line per check and "N passed, N failed".

Qt finds the accessibility bus through org.a11y.Bus on the session bus: AT_SPI_BUS_ADDRESS must
not be set, or Qt 6.4 never registers.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

program, example = sys.argv[1], sys.argv[2]
scratch = tempfile.mkdtemp()
env = dict(os.environ, XDG_DATA_HOME=f"{scratch}/data", XDG_CONFIG_HOME=f"{scratch}/config",
           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
env.pop("AT_SPI_BUS_ADDRESS", None)
recovery = f"{scratch}/data/Vantrel/Lexicant/recovery"
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


def start(arguments):
    """Starts an editor and returns the process and its accessible application (or None)."""
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


def copies():
    return sorted(f for f in os.listdir(recovery) if f.endswith(".json")) if os.path.isdir(recovery) else []


def wait_until(condition, timeout=10):
    return wait_for(lambda: True if condition() else None, timeout) is True


def edited(name):
    """A copy of the example, opened in an editor whose Author and Revision are changed."""
    path = f"{scratch}/{name}.lsf"
    shutil.copyfile(example, path)
    editor, app = start([path])
    for box, text in (("Author", "Zed Author"), ("Revision", "9")):
        field = find(app, pyatspi.ROLE_TEXT, box, timeout=30) if app is not None else None
        if field is None:
            raise RuntimeError(f"the {box} box of the editor on {name}.lsf was not found")
        field.queryEditableText().setTextContents(text)
    return path, editor, app


def save(app):
    press(find(app, pyatspi.ROLE_MENU_ITEM, "Save file"))
    find(app, pyatspi.ROLE_LABEL, "The languagefile has been saved.")
    press(find(app, pyatspi.ROLE_PUSH_BUTTON, "OK"))


def restart_and_answer(answer, expected_path):
    """Starts an editor without a file; answers its recovery question about expected_path."""
    editor, app = start([])
    question = find(app, pyatspi.ROLE_LABEL, contains="without saving the changes to")
    check(f"the next start asks about the copy of {os.path.basename(expected_path)}",
          question is not None and f"to {expected_path}." in question.name)
    press(find(app, pyatspi.ROLE_PUSH_BUTTON, answer))
    name = find(app, pyatspi.ROLE_TEXT, "File name")
    wait_until(lambda: name.queryText().getText(0, -1) == (os.path.basename(expected_path) if answer == "Yes" else ""))
    return editor, app


def main():
    # What the first editor would have saved.
    control, editor, app = edited("control")
    forms = find(app, pyatspi.ROLE_LIST, "Form names")
    check("a screen reader finds the form list with its 24 forms, the first spoken as its name",
          forms is not None and forms.childCount == 24 and forms.getChildAtIndex(0).name == "Main window")
    save(app)
    stop(editor)
    expected = open(control, "rb").read()

    for how in (signal.SIGKILL, signal.SIGTERM):
        path, editor, app = edited(f"killed-{how.name}")
        if how == signal.SIGKILL:
            check("a copy is written a few seconds after the edit", wait_until(lambda: len(copies()) == 1))
        editor.send_signal(how)
        editor.wait(timeout=10)
        check(f"{how.name} leaves one copy", len(copies()) == 1)
        editor, app = restart_and_answer("Yes", path)
        save(app)
        check(f"after {how.name}, Yes and Save write what the first editor would have saved",
              open(path, "rb").read() == expected)
        check("the save removes the copy", wait_until(lambda: copies() == []))
        stop(editor)

    first, editor1, _ = edited("first")
    second, editor2, _ = edited("second")
    check("two windows keep two copies", wait_until(lambda: len(copies()) == 2))
    editor1.kill()
    editor1.wait()
    editor, app = restart_and_answer("No", first)
    check("No deletes its copy, and the copy of the running window stays",
          wait_until(lambda: copies() != [] and len(copies()) == 1))
    stop(editor)
    editor2.kill()
    editor2.wait()


if __name__ == "__main__":
    try:
        main()
    except Exception as error:  # an editor that never answered: say so, after what passed
        check(f"the editors answered ({error})", False)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    sys.exit(summary())
