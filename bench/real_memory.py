#!/usr/bin/python3
"""The translation memory on real software's texts, beside an exhaustive scan and tmdb.

Takes the translated pairs of the gettext catalogues Debian installs for a language (as
real_texts.py does), holds a random tenth out and puts the rest in a memory. For each held-out
text whose nearest unit is 75-99% alike (by the Levenshtein ratio, and again by the share of
characters edited, the measure tmdb ranks by), it asks for suggestions and counts
the texts whose best suggestion is that unit or one as alike, those with nothing offered, and
those whose best score is the best an exhaustive scan with Lexicant's own score finds; the same
for translate-toolkit's tmdb, given the same units and texts. Then it repeats the memory with
variations (a word put in: "Kraft" in a third of the units) to the sizes asked for, and times the
lookups there, texts of common words included, and a pre-translation of a largest file.

    bench/real_memory.py --lookup build/bench/memory_lookup --cli build/bin/lexicant-cli
                         [--language nl] [--sizes 100000 1000000] [--before OTHER_LOOKUP]
                         [--out DIR] [--server postgresql:///DATABASE]

--before runs the same measures with another build's memory_lookup, side by side. --server
measures the larger memories on a PostgreSQL database as well, in the same run, and times a TMX
import of the largest into a file and into the server. tmdb needs
Debian's translate-toolkit (and python3-levenshtein, without which it is several times slower).
"""
import argparse
import glob
import json
import os
import random
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from real_texts import catalogue, storable, language_file, FORMS, ROWS  # noqa: E402

COMMON_WORDS = ["Kraft", "Kraft Mode", "Open Kraft", "Kraft file", "the Kraft of the file"]


def levenshtein_ratio(a, b):
    """python-Levenshtein's ratio: twice the characters both keep in order, against both lengths."""
    if not a and not b:
        return 100
    previous = [0] * (len(b) + 1)
    for ca in a:
        current = [0]
        for j, cb in enumerate(b, 1):
            current.append(previous[j - 1] + 1 if ca == cb else max(previous[j], current[j - 1]))
        previous = current
    return int(200.0 * previous[-1] / (len(a) + len(b)))


def edit_ratio(a, b):
    """100 less the share of characters edited: how alike tmdb ranks its matches."""
    if not a and not b:
        return 100
    previous = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        current = [i]
        for j, cb in enumerate(b, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (ca != cb)))
        previous = current
    return int(100.0 * (1.0 - previous[-1] / max(len(a), len(b))))


# How alike a held-out text's nearest unit is: the Levenshtein ratio, and the measure tmdb ranks by
# (by which tmdb finds the nearest unit by construction).
MEASURES = [("Levenshtein ratio", "nearest", levenshtein_ratio),
            ("share of characters edited, tmdb's own measure", "nearest_edits", edit_ratio)]


def escaped(text):
    """A text on one line, as memory_lookup reads it."""
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def write_units(path, pairs):
    with open(path, "w", encoding="utf-8") as out:
        for source, target in pairs:
            out.write("%s\t%s\n" % (escaped(source), escaped(target)))


def write_texts(path, texts):
    with open(path, "w", encoding="utf-8") as out:
        out.writelines(escaped(text) + "\n" for text in texts)


def fresh(path):
    for suffix in ("", "-wal", "-shm", ".lock"):
        if os.path.exists(path + suffix):
            os.remove(path + suffix)
    return path


def emptied_server(uri):
    """The database at the URI without Lexicant's tables, for a memory made anew."""
    subprocess.run(["psql", "-q", uri, "-c",
                    "DROP TABLE IF EXISTS lexicant_units, lexicant_postings, lexicant_memory"],
                   check=True, capture_output=True)
    return uri


def megabytes_of(memory):
    """The memory's size on disk: its file, or its table and indexes on the server."""
    if not memory.startswith("postgres"):
        return os.path.getsize(memory) / 1e6
    result = subprocess.run(["psql", "-qtA", memory, "-c",
                             "SELECT pg_total_relation_size('lexicant_units') + "
                             "pg_total_relation_size('lexicant_postings')"],
                            check=True, capture_output=True, text=True)
    return int(result.stdout.strip()) / 1e6


def tmx_import(cli, memory, tmx, into):
    """A memory exported as TMX and imported by lexicant-cli: seconds and largest resident set."""
    subprocess.run([cli, "tm", "export", "--tm", memory, "-o", tmx], check=True)
    for target in into:
        result = subprocess.run(["/usr/bin/time", "-f", "%e %M", cli, "tm", "import", "--tm",
                                 target, tmx], check=True, capture_output=True, text=True)
        seconds, kilobytes = result.stderr.strip().splitlines()[-1].split()
        print("    TMX import into %-6s: %s s, %.0f MB at most (%s)" % (
            "server" if target.startswith("postgres") else "a file", seconds,
            int(kilobytes) / 1024, result.stdout.strip()))


def lookups(tool, memory, texts_path, scan=None):
    command = [tool, "suggest", memory, texts_path] + (["--scan", scan] if scan else [])
    result = subprocess.run(command, capture_output=True, text=True, check=True)
    return [json.loads(line) for line in result.stdout.splitlines()]


def add(tool, memory, units_path):
    result = subprocess.run([tool, "add", memory, units_path], capture_output=True, text=True,
                            check=True)
    return json.loads(result.stdout)


def varied(pairs, size, seed=11):
    """The pairs, then each again with a word put in, until there are `size`."""
    random.seed(seed)
    words = ["Mode", "Panel", "Filter", "Server", "Profile", "Device"]
    out = list(pairs)
    while len(out) < size:
        for source, target in pairs:
            if len(out) >= size:
                break
            word = "Kraft" if random.random() < 1 / 3 else random.choice(words)
            s, t = source.split(" "), target.split(" ")
            s.insert(random.randrange(len(s) + 1), word)
            t.insert(random.randrange(len(t) + 1), word)
            out.append((" ".join(s), " ".join(t)))
    return out


def quality(name, results, nearest_of, ratio=levenshtein_ratio):
    """Shares of the held-out texts with a near unit: nearest found, nothing offered."""
    found = nothing = as_scan = 0
    for r in results:
        near = nearest_of[r["text"]]
        best = r["suggestions"][0] if r["suggestions"] else None
        if best is None:
            nothing += 1
        elif ratio(r["text"], best[1]) >= near:
            found += 1
        if "scan" in r and best is not None and best[0] >= r["scan"][0]:
            as_scan += 1
        elif "scan" in r and best is None and r["scan"][0] < 60:
            as_scan += 1
    n = len(results)
    line = "%-28s nearest or as alike %4d of %d (%.1f%%), nothing %3d" % (
        name, found, n, 100.0 * found / n, nothing)
    if results and "scan" in results[0]:
        line += ", best score as the exhaustive scan's %d (%.1f%%)" % (as_scan, 100.0 * as_scan / n)
    return line


def timing(results):
    times = sorted(r["ms"] for r in results)
    return "median %.2f ms, worst %.2f ms over %d lookups" % (
        statistics.median(times), times[-1], len(times))


def tmdb_memory(units, path):
    import logging
    logging.disable(logging.WARNING)
    from translate.storage import tmdb
    db = tmdb.TMDB(fresh(path), max_candidates=3)  # its tools' defaults: 75 and more
    db.add_list([{"source": s, "target": t, "context": ""} for s, t in units], "en", "nl")
    return db


def tmdb_lookups(db, texts):
    results = []
    for text in texts:
        started = time.perf_counter()
        found = db.translate_unit(text, ["en"], ["nl"])
        ms = (time.perf_counter() - started) * 1000
        results.append({"text": text, "ms": ms, "suggestions": [
            [f["quality"], f["source"], f["target"]] for f in found]})
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--lookup", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--before", help="another build's memory_lookup, measured beside it")
    parser.add_argument("--before-cli", help="that build's lexicant-cli, for its pre-translation")
    parser.add_argument("--language", default="nl")
    parser.add_argument("--sizes", type=int, nargs="*", default=[100000, 1000000])
    parser.add_argument("--out", default="real-memory")
    parser.add_argument("--no-tmdb", action="store_true", help="leave tmdb out (it is slow)")
    parser.add_argument("--server", help="a PostgreSQL database (libpq URI) to measure the larger "
                        "memories on too, beside the file; Lexicant's tables there are dropped")
    arguments = parser.parse_args()
    os.makedirs(arguments.out, exist_ok=True)
    out = lambda name: os.path.abspath(os.path.join(arguments.out, name))  # noqa: E731

    pairs, seen = [], set()
    for mo in sorted(glob.glob("/usr/share/locale/%s/LC_MESSAGES/*.mo" % arguments.language)):
        for source, target in catalogue(mo):
            if source not in seen and storable(source) and storable(target):
                seen.add(source)
                pairs.append((source, target))
    random.seed(5)
    random.shuffle(pairs)
    held, units = pairs[:len(pairs) // 10], pairs[len(pairs) // 10:]
    write_units(out("units.tsv"), units)
    write_texts(out("held.txt"), [s for s, _ in held])
    tools = [("Lexicant", arguments.lookup, arguments.cli)] + (
        [("before", arguments.before, arguments.before_cli or arguments.cli)]
        if arguments.before else [])
    print("%d pairs of %s: %d units in the memory, %d texts held out" % (
        len(pairs), arguments.language, len(units), len(held)))

    # Which held-out texts have a unit 75-99% alike: the exhaustive scan says, by each measure.
    memory = fresh(out("corpus.sqlite"))
    add(arguments.lookup, memory, out("units.tsv"))
    scanned = lookups(arguments.lookup, memory, out("held.txt"), out("units.tsv"))
    db = None
    if not arguments.no_tmdb:
        try:
            db = tmdb_memory(units, out("tmdb.sqlite"))
        except ImportError:
            print("tmdb: translate-toolkit is not installed")
    for i, (measure, key, ratio) in enumerate(MEASURES):
        near = [r for r in scanned if 75 <= r[key][0] <= 99]
        of = {r["text"]: r[key][0] for r in near}
        write_texts(out("near-%s.txt" % key), [r["text"] for r in near])
        if i == 0:
            nearest_of = of
            write_texts(out("near.txt"), [r["text"] for r in near])
        print("%d held-out texts have a unit 75-99%% alike by the %s" % (len(near), measure))
        for name, tool, _ in tools:
            memory = fresh(out("corpus-%s.sqlite" % name))
            add(tool, memory, out("units.tsv"))
            results = lookups(tool, memory, out("near-%s.txt" % key), out("units.tsv"))
            print("  " + quality(name, results, of, ratio) + "; " + timing(results))
        if db is not None:
            results = tmdb_lookups(db, [r["text"] for r in near])
            print("  " + quality("tmdb", results, of, ratio) + "; " + timing(results))

    # Larger memories: the corpus with variations; lookups of the near texts and common words.
    write_texts(out("common.txt"), COMMON_WORDS)
    largest = [s for s, _ in units[:FORMS * ROWS]]
    language_file(arguments.cli, largest, out("largest-en.lsf"))
    language_file(arguments.cli, [""] * len(largest), out("largest.lsf"))
    for size in arguments.sizes:
        write_units(out("units-%d.tsv" % size), varied(units, size))
        memories = [(name, tool, cli, fresh(out("tm-%d-%s.sqlite" % (size, name))))
                    for name, tool, cli in tools]
        if arguments.server:
            memories.append(("server", arguments.lookup, arguments.cli,
                             emptied_server(arguments.server)))
        offered = {}
        for name, tool, cli, memory in memories:
            added = add(tool, memory, out("units-%d.tsv" % size))
            megabytes = megabytes_of(memory)
            near_results = lookups(tool, memory, out("near.txt"))
            common_results = lookups(tool, memory, out("common.txt"))
            print("%8d units, %-8s: added in %.0f s; %.0f MB, %.0f bytes a unit" % (
                size, name, added["seconds"], megabytes, megabytes * 1e6 / size))
            print("    near texts:   " + quality("", near_results, nearest_of).strip()
                  + "; " + timing(near_results))
            print("    common words: " + timing(common_results))
            offered[name] = [r["suggestions"] for r in near_results + common_results]
            if name == "server":
                pairs = list(zip(offered["Lexicant"], offered["server"]))
                same = sum(a == b for a, b in pairs)
                scores = sum([x[0] for x in a] == [x[0] for x in b] for a, b in pairs)
                print("    as the file: the same scores for %d of %d texts, the same units for %d "
                      "(of equal scores the newer first: the two got them at other times)" % (
                          scores, len(pairs), same))
            started = time.perf_counter()
            filled = subprocess.run([cli, "pretranslate", "--tm", memory, "--against",
                                     out("largest-en.lsf"), "--reference-language", "en",
                                     "--language", "nl", out("largest.lsf"), "-o",
                                     out("pretranslated.lsf")],
                                    check=True, capture_output=True, text=True).stdout.strip()
            seconds = time.perf_counter() - started
            print("    pre-translating %d rows: %.1f s (%s)" % (len(largest), seconds, filled))
        if arguments.server and size == max(arguments.sizes):
            tmx_import(arguments.cli, memories[0][3], out("units-%d.tmx" % size),
                       [fresh(out("imported-%d.sqlite" % size)), emptied_server(arguments.server)])


if __name__ == "__main__":
    main()
