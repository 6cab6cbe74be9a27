#!/usr/bin/env bash
# cmake --install puts the program, the simulator, the menu entry, its icon and the launcher where
# the freedesktop conventions say, and the launcher starts the program in ~/Documents/Qeb-01.
#   install_test.sh BUILD_FOLDER
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/usr" >/dev/null
for file in bin/qeb01 bin/qeb01-sim bin/qeb01-desktop share/applications/qeb01.desktop \
    share/icons/hicolor/scalable/apps/qeb01.svg; do
    [ -f "$work/usr/$file" ] || fail "$file is not installed"
done
[ -x "$work/usr/bin/qeb01-desktop" ] || fail "the launcher is not executable"
entry="$work/usr/share/applications/qeb01.desktop"
for line in "[Desktop Entry]" "Type=Application" "Name=PH Controller Qeb-01" "Exec=qeb01-desktop" \
    "Icon=qeb01" "Terminal=false"; do
    grep -qxF "$line" "$entry" || fail "the menu entry lacks '$line'"
done
grep -q '<svg' "$work/usr/share/icons/hicolor/scalable/apps/qeb01.svg" || fail "the icon is no SVG"

# The launcher, with a stand-in program that reports where it was started.
mkdir -p "$work/bin" "$work/home"
cp "$work/usr/bin/qeb01-desktop" "$work/bin/"
printf '#!/bin/sh\npwd\n' >"$work/bin/qeb01"
chmod +x "$work/bin/qeb01"
started_in="$(cd / && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" "$work/bin/qeb01-desktop")"
[ "$started_in" = "$work/home/Documents/Qeb-01" ] || fail "started in '$started_in'"
# A link to the launcher (as /usr/local/bin might hold) still finds the program beside it.
ln -s "$work/bin/qeb01-desktop" "$work/launcher-link"
started_in="$(cd "$work" && HOME="$work/home" QEB01_FOLDER="$work/logs" ./launcher-link)"
[ "$started_in" = "$work/logs" ] || fail "QEB01_FOLDER: started in '$started_in'"
echo "install layout and launcher: ok"
