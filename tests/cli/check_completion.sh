#!/usr/bin/env bash
# Completes lexicant-cli command lines as bash does on Tab, and compares the offers.
#   check_completion.sh COMPLETION_SCRIPT LEXICANT_CLI
set -uo pipefail
source "$1"
cli=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" && mkdir forms && touch en.lsf NL.LSF notes.txt nl.po doc.json
failures=0
offers() { # the words typed so far, the last one being completed
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$#
    _lexicant_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}
expect() { # what, then the expected offers, then the words
    local what=$1 expected=$2
    shift 2
    local got
    got=$(offers "$@")
    if [ "$got" = "$expected" ]; then
        echo "ok: $what"
    else
        echo "FAILED: $what: offered '$got', expected '$expected'"
        failures=$((failures + 1))
    fi
}

expect "commands" "export-code " ex
expect "language files for a command that reads one" "NL.LSF en.lsf forms " info ""
expect "PO files for from-po" "forms nl.po " from-po ""
expect "JSON files for from-json" "doc.json forms " from-json ""
expect "language files for --template" "NL.LSF en.lsf forms " from-po nl.po --template ""
expect "any file for -o" "NL.LSF doc.json en.lsf forms nl.po notes.txt " to-json en.lsf -o ""
expect "options of from-po" "--use-fuzzy " from-po --u
expect "options of to-po" "--language --output --translation " to-po en.lsf --
expect "commands after help" "diff " help di
expect "language files for --against" "NL.LSF en.lsf forms " check --against ""
expect "what tm does" "add " tm a
expect "the options of pretranslate" "--reference-language " pretranslate --r
expect "the options of stats" "--against --check-capitals --checks --language --skip " stats --
expect "the memory options of check" "--tm " check --against en.lsf --t
expect "the formats of check" "json junit " check --format j
expect "a second check name after a comma" "numbers,tabs numbers,tags " check --checks numbers,ta
expect "dictionaries for the spelling (hunspell-nl)" "nl_AW nl_BE nl_NL nl_SR " check --language nl_

# Every command and long option the program's help names is offered, and nothing else.
named=$({
    "$cli" --help | sed -n '/^Commands:/,/^$/p' | awk '/^  [a-z]/ {print $1}'
    "$cli" --help | sed -n '/^Options:/,/^$/p' | grep -o -- '--[a-z]*'
} | sort | tr '\n' ' ')
expect "exactly the commands and options of lexicant-cli --help" "$named" ""
echo "completion check: $failures failed"
[ "$failures" -eq 0 ]
