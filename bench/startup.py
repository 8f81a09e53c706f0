#!/usr/bin/python3
"""Start-up time and memory of the editor against the floor of a minimal Qt Widgets window.

For each program, N times (alternating): start it on an X display, time until its first
top-level window is mapped (MapNotify, seen through python3-xlib), then read its resident memory
and the libraries it has loaded one second later. Prints each run and the medians, the ratios
editor / floor, and which of the libraries loaded at start-up for the spelling and the translation
memory (Hunspell, Qt SQL and its SQLite driver) the editor had loaded by then. Each run has
configuration and data folders of its own, so nothing remembered (a recovery copy, a reference)
is opened.

    bench/startup.py [--runs N] [--build BUILD_DIR] [--no-file]

Needs an X display and python3-xlib. Under Xvfb, keep the server from resetting between the
runs: `xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bench/startup.py`.
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Loaded only when first needed, ideally: the spelling's and the translation memory's libraries.
LATE_LIBRARIES = ("libhunspell", "libQt6Sql", "libqsqlite")


def loaded(pid):
    """The libraries of LATE_LIBRARIES the process has mapped."""
    with open(f"/proc/{pid}/maps") as maps:
        paths = {line.split()[-1] for line in maps if "/" in line}
    return sorted({name for name in LATE_LIBRARIES for path in paths
                   if os.path.basename(path).startswith(name)})


def mapped_after(command, env):
    """Starts the command; returns (seconds until its window is mapped, RSS in KiB 1 s later,
    the libraries of LATE_LIBRARIES loaded by then)."""
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    d.sync()
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    pid_atom = d.intern_atom("_NET_WM_PID")
    try:
        deadline = start + 30
        while time.perf_counter() < deadline:
            event = d.next_event()
            if event.type != X.MapNotify:
                continue
            prop = event.window.get_full_property(pid_atom, X.AnyPropertyType)
            if prop and prop.value and prop.value[0] == process.pid:
                elapsed = time.perf_counter() - start
                time.sleep(1.0)
                with open(f"/proc/{process.pid}/status") as status:
                    rss = next(int(line.split()[1]) for line in status if line.startswith("VmRSS"))
                return elapsed, rss, loaded(process.pid)
        raise RuntimeError(f"{command[0]} showed no window")
    finally:
        process.terminate()
        process.wait()
        d.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--no-file", action="store_true", help="start the editor with no file")
    args = parser.parse_args()
    if "DISPLAY" not in os.environ:
        sys.exit("no X display: run under xvfb-run -a")

    home = tempfile.TemporaryDirectory()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb",
               XDG_CONFIG_HOME=os.path.join(home.name, "config"),
               XDG_DATA_HOME=os.path.join(home.name, "data"))
    editor = [os.path.join(args.build, "bin", "lexicant")]
    if not args.no_file:
        editor.append(os.path.join(ROOT, "examples", "demo-notes.lsf"))
    programs = {
        "lexicant": editor,
        "floor": [os.path.join(args.build, "bench", "bench_minimal_window")],
    }
    for command in programs.values():  # warm the caches (fonts, libraries) once
        mapped_after(command, env)
    results = {name: [] for name in programs}
    libraries = set()
    for run in range(args.runs):
        for name, command in programs.items():
            elapsed, rss, late = mapped_after(command, env)
            results[name].append((elapsed, rss))
            if name == "lexicant":
                libraries.update(late)
            print(f"run {run + 1}  {name:9} {elapsed * 1000:7.1f} ms  {rss / 1024:6.1f} MiB")
    medians = {name: (statistics.median(r[0] for r in rows), statistics.median(r[1] for r in rows))
               for name, rows in results.items()}
    for name, (elapsed, rss) in medians.items():
        print(f"median    {name:9} {elapsed * 1000:7.1f} ms  {rss / 1024:6.1f} MiB")
    time_ratio = medians["lexicant"][0] / medians["floor"][0]
    rss_ratio = medians["lexicant"][1] / medians["floor"][1]
    print(f"ratio lexicant/floor: start-up {time_ratio:.2f}, resident memory {rss_ratio:.2f}")
    print(f"loaded when the window showed: {', '.join(sorted(libraries)) or 'none'} "
          f"(of {', '.join(LATE_LIBRARIES)})")


if __name__ == "__main__":
    main()
