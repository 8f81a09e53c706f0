#!/usr/bin/env python3
"""Real software's texts as language files, and what the checks say of them.

Reads the gettext catalogues Debian installs for a language
(/usr/share/locale/LANG/LC_MESSAGES/*.mo), takes each translated pair that a language file can
hold (no plural, no context, both texts in Windows-1252, of 2 to 200 characters), and writes them
as a reference and its translation, 4,824 pairs a pair of files. Then runs
`lexicant-cli check --against` on each pair of files and counts the problems by check, with a few
examples of each: reviewed translations, so most of what a check names is a false alarm.

    bench/real_texts.py --cli build/bin/lexicant-cli --language nl [--dictionary nl_NL]
                        [--out DIR] [--examples N] [--extra-args ...]
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--language", required=True, help="a folder of /usr/share/locale: nl, de")
    parser.add_argument("--dictionary", help="check the spelling too (nl_NL)")
    parser.add_argument("--out", default="real-texts")
    parser.add_argument("--examples", type=int, default=3)
    parser.add_argument("--extra-args", nargs=argparse.REMAINDER, default=[])
    arguments = parser.parse_args()

    pairs, seen = [], set()
    for mo in sorted(glob.glob("/usr/share/locale/%s/LC_MESSAGES/*.mo" % arguments.language)):
        for source, target in catalogue(mo):
            if source not in seen and storable(source) and storable(target):
                seen.add(source)
                pairs.append((os.path.basename(mo), source, target))
    os.makedirs(arguments.out, exist_ok=True)
    per_file = FORMS * ROWS
    named, examples, rows = collections.defaultdict(set), collections.defaultdict(list), 0
    for start in range(0, len(pairs), per_file):
        chunk = pairs[start:start + per_file]
        rows += len(chunk)
        base = os.path.join(arguments.out, "%s-%d" % (arguments.language, start // per_file))
        language_file(arguments.cli, [p[1] for p in chunk], base + "-en.lsf")
        language_file(arguments.cli, [p[2] for p in chunk], base + ".lsf")
        command = [arguments.cli, "check", "--against", base + "-en.lsf"]
        if arguments.dictionary:
            command += ["--language", arguments.dictionary]
        result = subprocess.run(command + arguments.extra_args + [base + ".lsf"],
                                capture_output=True, text=True)
        for line in result.stdout.splitlines():
            # FILE: Fnn_lng_(row): check: message
            _, label, check, message = line.split(": ", 3)
            form, row = int(label[1:3]), int(label[label.index("(") + 1:-1])
            origin, source, target = chunk[(form - 1) * ROWS + row]
            if (base, form, row) in named[check]:
                continue
            named[check].add((base, form, row))
            if len(examples[check]) < arguments.examples:
                examples[check].append("%s: %r -> %r: %s" % (origin, source, target, message))
    print("%d pairs from %s's catalogues; rows each check names:" % (rows, arguments.language))
    counts = collections.Counter({check: len(places) for check, places in named.items()})
    for check, n in counts.most_common():
        print("%6d  %5.1f%%  %s" % (n, 100.0 * n / rows, check))
        for example in examples[check]:
            print("          " + example)
    json.dump({"pairs": rows, "counts": counts}, sys.stderr)
    print(file=sys.stderr)


if __name__ == "__main__":
    main()
