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

source tools/x11-session.sh
x11_start_program "$PWD/build/src/app/vantorbel"

main=$(x11_window 'Vantorbel')
sleep 1
x11_calculate "$main"
sleep 1
import -window "$main" docs/hoofdvenster.png

# The "Verdelen" window with the README's worked example: 2 800 in whole courses.
x11_divide "$main"
divide=$(x11_window 'Verdelen')
sleep 1
xdotool mousemove --window "$divide" 145 167 click 1 key ctrl+a type 2800
sleep 1
import -window "$divide" docs/verdelen.png

# Its tab "Vaste punten" with the README's storey: the two levels typed over, two points added.
xdotool mousemove --window "$divide" 147 107 click 1 # the tab
sleep 0.5
xdotool mousemove --window "$divide" 115 174 click 1 # the first name
xdotool type peil; xdotool key Tab; xdotool type 0; xdotool key Tab
xdotool type vloer; xdotool key Tab; xdotool type 2800; xdotool key Return
xdotool key Insert; xdotool type dorpel; xdotool key Tab; xdotool type 900; xdotool key Return
xdotool key Insert; xdotool type 'bovenkant kozijn'; xdotool key Tab; xdotool type 2400
xdotool key Return
sleep 1
import -window "$divide" docs/vaste-punten.png
xdotool mousemove --window "$divide" 57 107 click 1 # back to the first tab
sleep 0.5

# The window's proposal, 2 800 in 45 courses, as a rod: its second sheet, whole, in the preview.
xdotool mousemove --window "$divide" 62 423 click 1 # Lat afdrukken
dialog=$(x11_window 'Afdrukken')
sleep 1
x11_screen_and_ok "$dialog"
preview=$(x11_window 'Vantorbel afdrukvoorbeeld')
sleep 2
for _ in 1 2; do xdotool mousemove --window "$preview" 128 14 click 1; sleep 0.5; done # zoom out
xdotool mousemove --window "$preview" 209 14 click 1 # next page
sleep 1
eval "$(xdotool getwindowgeometry --shell "$preview")" # X, Y, WIDTH, HEIGHT
import -window "$preview" -crop "290x390+$((WIDTH / 2 - 144))+213" +repage docs/lat.png
xdotool mousemove --window "$preview" 14 14 click 1 # close
sleep 1
xdotool windowfocus --sync "$divide" key Escape # the Verdelen window, which lies over the toolbar

# The "Gevel" window with the README's facade: a window and a door in 5 500 by 2 800.
xdotool mousemove --window "$main" 286 17 click 1
facade=$(x11_window 'Gevel')
sleep 1
for opening in 'raam 1200 2410 900 2400' 'deur 3300 4310 0 2400'; do
    xdotool mousemove --window "$facade" 60 257 click 1 # Sparing toevoegen
    read -r name left right bottom top <<<"$opening"
    xdotool type "$name"
    for value in "$left" "$right" "$bottom" "$top"; do xdotool key Tab; xdotool type "$value"; done
    xdotool key Return
done
sleep 1
import -window "$facade" docs/gevel.png
xdotool windowfocus --sync "$facade" key Escape

x11_print "$main"
dialog=$(x11_window 'Afdrukken')
sleep 1
import -window "$dialog" docs/afdrukdialoog.png

x11_screen_and_ok "$dialog"
preview=$(x11_window 'Vantorbel afdrukvoorbeeld')
sleep 2
import -window "$preview" -resize 60% docs/afdrukvoorbeeld.png

x11_save_pages "$preview"
save=$(x11_window 'Afbeelding opslaan')
sleep 1
# The list of file types, opened.
xdotool mousemove --window "$save" 330 388 click 1
sleep 1
eval "$(xdotool getwindowgeometry --shell "$save")" # X, Y, WIDTH
import -window root -crop "${WIDTH}x560+$X+$Y" +repage docs/opslaan.png
echo "Pictures written to docs/"
