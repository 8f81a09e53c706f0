#!/usr/bin/python3
"""Reads the editor's accessibility tree through AT-SPI, as a screen reader does.

    dbus-run-session -- xvfb-run -a check_atspi.py build/bin/lexicant examples/demo-notes.lsf

Prints one line per check and "N passed, N failed".
"""
import os
import sys
import tempfile

import pyatspi

from driving import check, find, press, start, stop, summary


def main():
    # Settings and recovery copies of its own: nothing a person's earlier session left is offered.
    home = tempfile.TemporaryDirectory()  # removed when main() returns
    env = dict(os.environ, XDG_CONFIG_HOME=home.name + "/config", XDG_DATA_HOME=home.name + "/data")
    editor, app = start(sys.argv[1], [sys.argv[2]], env)
    try:
        check("the editor registers with the accessibility bus", app is not None)
        if app is None:
            return
        forms = find(app, pyatspi.ROLE_LIST, "Form names")
        check("the form list offers its 24 forms, the first spoken as its name",
              forms is not None and forms.childCount == 24 and forms.getChildAtIndex(0).name == "Main window")
        for role, name in ((pyatspi.ROLE_LIST, "Text in this form"), (pyatspi.ROLE_PUSH_BUTTON, "New file")) + tuple(
                (pyatspi.ROLE_TEXT, box) for box in ("Revision", "Date", "Application", "Version", "File name")):
            check(f"the {name} control is found by role and name", find(app, role, name, timeout=3) is not None)
        author = find(app, pyatspi.ROLE_TEXT, "Author", timeout=3)
        check("the Author box's text can be read", author is not None and author.queryText().getText(0, -1) == "Ann Example")
        press(find(app, pyatspi.ROLE_MENU_ITEM, "About"))
        check("the About box's text can be read",
              find(app, pyatspi.ROLE_LABEL, contains="Release date: 01-06-05") is not None)
    finally:
        stop(editor)


if __name__ == "__main__":
    main()
    sys.exit(summary())
