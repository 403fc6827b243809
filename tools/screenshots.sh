#!/usr/bin/env bash
# Takes the pictures in the README from the real program: a private X server, the program in the
# Dutch setting, the clicks a user would make, and a screenshot of each window. Rerun it after a
# change to the windows: bash tools/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
for package in xvfb xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
bash tools/packages.sh
cmake -S . -B build >/dev/null
cmake --build build -j2 --target vantorbel >/dev/null

export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT
sleep 1

# Without a print queue the built-in PDF printer is shown, as on a machine without printers.
# Started in an empty folder, where the file dialogs open.
program=$PWD/build/src/app/vantorbel
workdir=$(mktemp -d)
(cd "$workdir" && exec env -u LC_ALL LANG=nl_NL.UTF-8 CUPS_SERVER=/nonexistent/cups.sock "$program" \
    >/dev/null 2>&1) &
app=$!

window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
main=$(window '^Vantorbel$')
sleep 1

# Toolbar buttons are 25 pixels wide after a 2-pixel indent, with 8-pixel separators.
xdotool mousemove --window "$main" 97 17 click 1 # berekenen
sleep 1
import -window "$main" docs/hoofdvenster.png

xdotool mousemove --window "$main" 122 17 click 1 # afdrukken
dialog=$(window '^Afdrukken$')
sleep 1
import -window "$dialog" docs/afdrukdialoog.png

xdotool mousemove --window "$dialog" 24 84 click 1 # Scherm
xdotool mousemove --window "$dialog" 341 20 click 1 # OK
preview=$(window 'afdrukvoorbeeld$')
sleep 2
import -window "$preview" -resize 60% docs/afdrukvoorbeeld.png

xdotool mousemove --window "$preview" 71 14 click 1 # afbeelding opslaan
save=$(window '^Afbeelding opslaan$')
sleep 1
# The list of file types, opened.
xdotool mousemove --window "$save" 330 388 click 1
sleep 1
eval "$(xdotool getwindowgeometry --shell "$save")" # X, Y, WIDTH
import -window root -crop "${WIDTH}x560+$X+$Y" +repage docs/opslaan.png
echo "Pictures written to docs/"
