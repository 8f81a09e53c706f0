#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop reads: the menu entry and
# AppStream data validate, *.lsf files get our type, the type opens with our entry, and the
# Debian package declares its dependencies and holds every file.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
check() { # description, then the command
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

cmake --install "$build" --prefix "$scratch/usr" >/dev/null
share=$scratch/usr/share
id=com.vantrel.Lexicant

check "the programs are installed" test -x "$scratch/usr/bin/lexicant" -a -x "$scratch/usr/bin/lexicant-cli"
check "desktop-file-validate passes" desktop-file-validate "$share/applications/$id.desktop"
check "appstreamcli validate passes" appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
check "the icon is installed" test -s "$share/icons/hicolor/scalable/apps/$id.svg"
for page in "lexicant:^lexicant \\\\- " "lexicant:Select form <number> after start" \
    "lexicant-cli:^lexicant-cli \\\\- " "lexicant-cli:use\\\\-fuzzy"; do
    check "the manual page of ${page%%:*} holds ${page#*:}" grep -q "${page#*:}" <(zcat "$share/man/man1/${page%%:*}.1.gz")
done
check "bash completion is installed where bash-completion looks" \
    grep -q "complete -F _lexicant_cli lexicant-cli" "$share/bash-completion/completions/lexicant-cli"
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
check "the installed lexicant-cli finds the memory's module and fills a memory" \
    "$scratch/usr/bin/lexicant-cli" tm add --tm "$scratch/memory.sqlite" --against "$examples/demo-notes.lsf" \
    --reference-language en --language nl "$examples/demo-notes-nl.lsf"

# The desktop's view, confined to the scratch folder.
export XDG_DATA_HOME=$share XDG_CONFIG_HOME=$scratch/config
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION
update-mime-database "$share/mime"
update-desktop-database "$share/applications"
touch "$scratch/some.lsf"
check "xdg-mime names the file type" test "$(xdg-mime query filetype "$scratch/some.lsf")" = application/x-lexicant-lsf
check "xdg-mime names our entry as the default" test "$(xdg-mime query default application/x-lexicant-lsf)" = "$id.desktop"

cpack -B "$scratch/package" --config "$build/CPackConfig.cmake" >/dev/null
deb=$(ls "$scratch"/package/lexicant_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins libgettextpo0 libhunspell-1.7-0; do
    check "the package depends on $package" grep -q "$package" <<<"$depends"
done
contents=$(dpkg-deb -c "$deb")
for file in bin/lexicant bin/lexicant-cli "lib/.*lexicant/modules/lexicant-memory-sqlite.so" \
    "lib/.*lexicant/modules/lexicant-memory-postgres.so" "share/applications/$id.desktop" "share/mime/packages/$id.xml" \
    "share/metainfo/$id.metainfo.xml" share/man/man1/lexicant.1.gz share/doc/lexicant/copyright \
    share/doc/lexicant/changelog.gz; do
    check "the package holds $file" grep -q "/usr/$file\$" <<<"$contents"
done
# Debian's own checker, where it is installed: no error and no warning.
if command -v lintian >/dev/null; then
    tags=$(lintian --no-tag-display-limit "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
    check "lintian finds no error and no warning${tags:+: $tags}" test -z "$tags"
else
    echo "skipped: lintian is not installed"
fi

echo "install check: $failures failed"
[ "$failures" -eq 0 ]
