#!/usr/bin/env bash
# The titles of the main window, the print dialog and the preview as the window system has them
# (what the task bar, the window list and a screen reader show), read from a private X server
# while the program is driven the way a user would: berekenen, afdrukken, Scherm, OK.
set -euo pipefail
program=$1

for tool in Xvfb xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; skipped."; exit 77; }
done

# The server picks a free display and writes its number once it is ready.
scratch=$(mktemp -d)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$scratch/display")

env -u QT_QPA_PLATFORM -u LC_ALL LANG=nl_NL.UTF-8 CUPS_SERVER=/nonexistent/cups.sock \
    "$program" >/dev/null 2>&1 &
app=$!

# The window whose title is exactly $1, waited for.
window() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
title_of() { xprop -id "$1" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }
expect_title() {
    local id
    id=$(window "$1") || { echo "No window titled '$1'"; xdotool search --onlyvisible --name . \
        getwindowname %@ 2>/dev/null || true; exit 1; }
    [ "$(title_of "$id")" = "$1" ] || { echo "Title of $id: $(title_of "$id")"; exit 1; }
    echo "$id"
}

main=$(expect_title 'Vantorbel')
sleep 1
xdotool mousemove --window "$main" 122 17 click 1 # afdrukken
dialog=$(expect_title 'Afdrukken')
sleep 1
xdotool mousemove --window "$dialog" 24 84 click 1  # Scherm
xdotool mousemove --window "$dialog" 341 20 click 1 # OK
expect_title 'Vantorbel afdrukvoorbeeld' >/dev/null
echo "Window titles as the window system shows them: Vantorbel, Afdrukken, Vantorbel afdrukvoorbeeld"
