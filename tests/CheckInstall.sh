#!/usr/bin/env bash
# An installed prefix and a copied build folder both find the bundled files:
# installs the build into a temporary prefix, copies the build folder's
# programs with its share/ elsewhere, and from a third, empty folder runs each
# copy on the installed sample mission. Each must report the data folder next
# to itself and print the same summary as a run given the source craft list.
#   bash CheckInstall.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$(cd "$1" && pwd)"
source="$(cd "$2" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix="$work/prefix"
for f in bin/quendar-tool share/quendar/SHIPLIST.TXT share/quendar/iconslist.dat share/quendar/mission.schema.json \
         share/quendar/samples/lantern-run.tie share/man/man1/quendar-tool.1.gz \
         share/man/man1/quendar.1.gz share/applications/quendar.desktop \
         share/mime/packages/quendar.xml; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
done
if [ -x "$build/quendar" ]; then
    for f in bin/quendar share/icons/hicolor/scalable/apps/quendar.svg \
             share/icons/hicolor/48x48/apps/quendar.png share/icons/hicolor/256x256/apps/quendar.png; do
        [ -f "$prefix/$f" ] || fail "$f is not installed"
    done
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/quendar.desktop" || fail "desktop entry"
fi

mkdir -p "$work/copy/tools"
cp "$build/tools/quendar-tool" "$work/copy/tools/"
[ -x "$build/quendar" ] && cp "$build/quendar" "$work/copy/"
cp -r "$build/share" "$work/copy/"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
sample="$prefix/share/quendar/samples/lantern-run.tie"
expected="$("$build/tools/quendar-tool" --craft-list "$source/data/SHIPLIST.TXT" info "$sample")"
grep -q '^Shipgroups: [1-9]' <<<"$expected" || fail "the sample has no shipgroups"

check() {  # program, data folder it must find
    local tool="$1" data="$2"
    "$tool" --help | grep -qxF "Bundled data: $data" || fail "$tool does not find $data"
    [ "$("$tool" info "$sample")" = "$expected" ] || fail "$tool read the sample differently"
    "$tool" --version | grep -qE '^quendar-tool [0-9]' || fail "$tool --version"
}
check "$prefix/bin/quendar-tool" "$prefix/share/quendar"
check "$work/copy/tools/quendar-tool" "$work/copy/share/quendar"
for editor in "$prefix/bin/quendar" "$work/copy/quendar"; do
    [ -x "$editor" ] || continue
    # --help and --version answer without a display.
    want="$(dirname "$(dirname "$editor")")/share/quendar"
    [ "$editor" = "$work/copy/quendar" ] && want="$work/copy/share/quendar"
    env -u DISPLAY -u WAYLAND_DISPLAY "$editor" --help | grep -qxF "Bundled data: $want" \
        || fail "$editor does not find $want"
    env -u DISPLAY "$editor" --version | grep -qE '^quendar [0-9]' || fail "$editor --version"
done
[ -z "$(ls -A)" ] || fail "the runs left files in the working folder: $(ls -A)"
echo "installed prefix and copied build folder both find the bundled files"
