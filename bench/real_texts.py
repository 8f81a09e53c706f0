#!/usr/bin/python3
"""Real software's texts as language files, and what the checks say of them.

Reads the gettext catalogues Debian installs for a language
(/usr/share/locale/LANG/LC_MESSAGES/*.mo), takes each translated pair that a language file can
hold (no plural, no context, both texts in Windows-1252, of 2 to 200 characters), and writes them
as a reference and its translation, 4,824 pairs a pair of files. Then runs
`lexicant-cli check --against` on each pair of files and counts the problems by check, with a few
examples of each: reviewed translations, so most of what a check names is a false alarm.

    bench/real_texts.py --cli build/bin/lexicant-cli --language nl [--dictionary nl_NL]
                        [--qt] [--pofilter] [--glossary N] [--out DIR] [--examples N]
                        [--extra-args ...]

--qt adds the Qt translations Debian installs (/usr/share/qt6/translations/*_LANG.qm, read with
lconvert: qt6-translations-l10n, qt6-l10n-tools). --pofilter runs translate-toolkit's pofilter
on the same pairs and counts, for each check that has a pofilter test, the rows both name, those
only pofilter names and those only Lexicant names, with examples. With --dictionary, bare
Hunspell (`hunspell -L`, the hunspell package) is run on the same translations for the spelling.
--glossary N (with --dictionary) makes a glossary as a team would keep one of the same texts: the
N one- and two-word texts that most catalogues translate, each with the translation four in five
of them give, imported from CSV beside a memory in DIR, and checks the pairs against it too.
"""
import argparse
import collections
import glob
import json
import os
import struct
import subprocess
import sys

FORMS, ROWS = 24, 201


def catalogue(path):
    """The (msgid, msgstr) pairs of a .mo file that have neither plural nor context."""
    data = open(path, "rb").read()
    magic = struct.unpack("<I", data[:4])[0]
    order = "<" if magic == 0x950412DE else ">"
    count, ids, strs = struct.unpack(order + "III", data[8:20])
    pairs = []
    for n in range(count):
        length, offset = struct.unpack(order + "II", data[ids + 8 * n: ids + 8 * n + 8])
        source = data[offset: offset + length]
        length, offset = struct.unpack(order + "II", data[strs + 8 * n: strs + 8 * n + 8])
        target = data[offset: offset + length]
        if not source or b"\0" in source or b"\x04" in source or b"\0" in target:
            continue  # the header, plurals and texts with a context
        try:
            pairs.append((source.decode("utf-8"), target.decode("utf-8")))
        except UnicodeDecodeError:
            continue
    return pairs


def qt_catalogue(path):
    """The (source, translation) pairs of a Qt .qm file without plurals, through lconvert."""
    from translate.storage import po
    converted = subprocess.run(["/usr/lib/qt6/bin/lconvert", "-i", path, "-of", "po", "-o", "-"],
                               capture_output=True, check=True).stdout
    return [(u.source, u.target) for u in po.pofile(converted).units
            if not u.isheader() and not u.hasplural() and u.target and not u.isfuzzy()]


# Lexicant's checks and the pofilter tests that look for the same.
POFILTER_TESTS = {
    "access-keys": ["accelerators"], "placeholders": ["printf", "variables", "pythonbraceformat"],
    "numbers": ["numbers"], "double-words": ["doublewords"], "double-spaces": ["doublespacing"],
    "tabs": ["tabs"], "brackets": ["brackets"], "urls": ["urls", "emails"], "tags": ["xmltags"],
    "line-breaks": ["newlines"], "spaces": ["startwhitespace", "endwhitespace"],
    "punctuation": ["endpunc"], "capitals": ["startcaps"], "same": ["unchanged"],
}


def pofilter_rows(pairs, folder):
    """The rows (indexes into pairs) each pofilter test names, with its message."""
    from translate.storage import po
    store = po.pofile()
    for source, target in pairs:
        store.addsourceunit(source).target = target
    path = os.path.join(folder, "pairs.po")
    with open(path, "wb") as out:
        out.write(bytes(store))
    tests = sorted({t for ts in POFILTER_TESTS.values() for t in ts})
    command = ["pofilter", "--kde", "--nofuzzy", "-i", path, "-o", path + ".named"]
    for test in tests:
        command += ["-t", test]
    subprocess.run(command, check=True, capture_output=True)
    index = {source: n for n, (source, _) in enumerate(pairs)}
    named = collections.defaultdict(dict)
    for unit in po.pofile(open(path + ".named", "rb")).units:
        if unit.isheader() or unit.source not in index:
            continue
        for note in unit.getnotes("translator").splitlines():
            if note.startswith("(pofilter) "):
                test, _, message = note[len("(pofilter) "):].partition(": ")
                named[test][index[unit.source]] = message
    return named


def hunspell_rows(targets, dictionary):
    """How many of the texts bare Hunspell names a word of."""
    lines = "\n".join(t.replace("\n", " ").replace("\r", " ") for t in targets) + "\n"
    result = subprocess.run(["hunspell", "-d", dictionary, "-L"], input=lines.encode("utf-8"),
                            capture_output=True, check=True)
    return len(result.stdout.decode("utf-8", "replace").splitlines())


def storable(text):
    try:
        text.encode("cp1252")
    except UnicodeEncodeError:
        return False
    return 2 <= len(text) <= 200 and "\u00bd" not in text and "\u00be" not in text \
        and "\u00bc" not in text


def language_file(cli, texts, path):
    forms = [texts[f * ROWS:(f + 1) * ROWS] for f in range(FORMS)]
    document = {"format": "lexicant-language-file", "formatVersion": 1,
                "formNames": ["Form %d" % (f + 1) for f in range(FORMS)],
                "forms": forms, "settings": ["Real texts", "1", "", "", ""]}
    with open(path + ".json", "w", encoding="utf-8") as out:
        json.dump(document, out, ensure_ascii=False)
    subprocess.run([cli, "from-json", path + ".json", "-o", path], check=True)


def real_glossary(catalogues, size):
    """The one- and two-word texts (letters only, access keys left out) that at least three
    catalogues translate, each with the translation at least four in five of them give; those
    most catalogues translate first."""
    translations = collections.defaultdict(collections.Counter)
    plain = lambda text: text.replace("_", "").replace("&", "").strip()  # noqa: E731
    for path, read in catalogues:
        for source, target in set(read(path)):
            source, target = plain(source), plain(target)
            words = source.split()
            if (1 <= len(words) <= 2 and all(w.isascii() and w.isalpha() for w in words)
                    and target and storable(target) and "," not in target and "\n" not in target):
                translations[source.lower()][target.lower()] += 1
    terms = []
    for source, targets in translations.items():
        target, n = targets.most_common(1)[0]
        total = sum(targets.values())
        if total >= 3 and 5 * n >= 4 * total:
            terms.append((-total, source, target))
    return [(source, target) for _, source, target in sorted(terms)[:size]]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--language", required=True, help="a folder of /usr/share/locale: nl, de")
    parser.add_argument("--dictionary", help="check the spelling too (nl_NL)")
    parser.add_argument("--qt", action="store_true", help="Qt's translations too")
    parser.add_argument("--pofilter", action="store_true", help="beside pofilter")
    parser.add_argument("--glossary", type=int, default=0, help="a glossary of N terms")
    parser.add_argument("--out", default="real-texts")
    parser.add_argument("--examples", type=int, default=3)
    parser.add_argument("--extra-args", nargs=argparse.REMAINDER, default=[])
    arguments = parser.parse_args()

    pairs, seen = [], set()
    catalogues = [(mo, catalogue) for mo in sorted(
        glob.glob("/usr/share/locale/%s/LC_MESSAGES/*.mo" % arguments.language))]
    if arguments.qt:
        catalogues += [(qm, qt_catalogue) for qm in sorted(
            glob.glob("/usr/share/qt6/translations/*_%s.qm" % arguments.language))]
    for path, read in catalogues:
        for source, target in read(path):
            if source not in seen and storable(source) and storable(target):
                seen.add(source)
                pairs.append((os.path.basename(path), source, target))
    os.makedirs(arguments.out, exist_ok=True)
    extra = list(arguments.extra_args)
    if arguments.glossary and arguments.dictionary:
        terms = real_glossary(catalogues, arguments.glossary)
        csv = os.path.join(arguments.out, "glossary.csv")
        with open(csv, "w", encoding="utf-8") as out:
            out.write("source,target\n" + "".join("%s,%s\n" % term for term in terms))
        memory = os.path.join(arguments.out, "glossary.sqlite")
        if os.path.exists(memory):
            os.remove(memory)
        pair = ["--tm", memory, "--reference-language", "en", "--language", arguments.dictionary]
        subprocess.run([arguments.cli, "glossary", "import", csv] + pair, check=True)
        extra += ["--glossary"] + pair[:4]
        print("a glossary of %d terms, e.g. %s" % (len(terms), ", ".join(
            "%s -> %s" % term for term in terms[:8])))
    per_file = FORMS * ROWS
    # The rows (indexes into pairs) each check names, with its first message.
    named = collections.defaultdict(dict)
    for start in range(0, len(pairs), per_file):
        chunk = pairs[start:start + per_file]
        base = os.path.join(arguments.out, "%s-%d" % (arguments.language, start // per_file))
        language_file(arguments.cli, [p[1] for p in chunk], base + "-en.lsf")
        language_file(arguments.cli, [p[2] for p in chunk], base + ".lsf")
        command = [arguments.cli, "check", "--against", base + "-en.lsf"]
        if arguments.dictionary:
            command += ["--language", arguments.dictionary]
        result = subprocess.run(command + extra + [base + ".lsf"],
                                capture_output=True, text=True)
        for line in result.stdout.splitlines():
            # FILE: Fnn_lng_(row): check: message
            _, label, check, message = line.split(": ", 3)
            form, row = int(label[1:3]), int(label[label.index("(") + 1:-1])
            named[check].setdefault(start + (form - 1) * ROWS + row, message)
    rows = len(pairs)
    example = lambda n, message: "%s: %r -> %r: %s" % (pairs[n] + (message,))  # noqa: E731
    print("%d pairs from %s's catalogues; rows each check names:" % (rows, arguments.language))
    counts = collections.Counter({check: len(places) for check, places in named.items()})
    for check, n in counts.most_common():
        print("%6d  %5.1f%%  %s" % (n, 100.0 * n / rows, check))
        for place, message in list(named[check].items())[:arguments.examples]:
            print("          " + example(place, message))
    figures = {"pairs": rows, "counts": counts}
    if arguments.dictionary:
        bare = hunspell_rows([p[2] for p in pairs], arguments.dictionary)
        ours = len(named.get("spelling", {}))
        print("spelling: Lexicant names %d rows (%.1f%%), bare Hunspell %d (%.1f%%): %.0f%% of "
              "Hunspell's" % (ours, 100.0 * ours / rows, bare, 100.0 * bare / rows,
                              100.0 * ours / max(bare, 1)))
        figures["hunspell"] = bare
    if arguments.pofilter:
        theirs = pofilter_rows([p[1:] for p in pairs], arguments.out)
        print("beside pofilter (--kde: & marks access keys): both / pofilter only / Lexicant only")
        figures["pofilter"] = {}
        for check, tests in POFILTER_TESTS.items():
            pofilter = {}
            for test in tests:
                for n, message in theirs.get(test, {}).items():
                    pofilter.setdefault(n, "%s: %s" % (test, message))
            ours = named.get(check, {})
            both = set(ours) & set(pofilter)
            only_theirs = sorted(set(pofilter) - both)
            only_ours = sorted(set(ours) - both)
            figures["pofilter"][check] = [len(both), len(only_theirs), len(only_ours)]
            print("%-14s %-40s %5d / %5d / %5d" % (check, ",".join(tests), len(both),
                                                     len(only_theirs), len(only_ours)))
            for n in only_theirs[:arguments.examples]:
                print("      pofilter only: " + example(n, pofilter[n]))
            for n in only_ours[:arguments.examples]:
                print("      Lexicant only: " + example(n, ours[n]))
    json.dump(figures, sys.stderr)
    print(file=sys.stderr)


if __name__ == "__main__":
    main()
