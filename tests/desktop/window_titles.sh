#!/usr/bin/env bash
# The titles of the main window, the print dialog and the preview as the window system has them
# (what the task bar, the window list and a screen reader show), read from a private X server
# while the program is driven the way a user would: afdrukken, Scherm, OK.
set -euo pipefail
program=$1

for tool in Xvfb xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; skipped."; exit 77; }
done
source "$(dirname "$0")/../../tools/x11-session.sh"
x11_start_program "$program"

expect_title() {
    local id title
    id=$(x11_window "$1") || { echo "No window titled '$1'"; exit 1; }
    title=$(xprop -id "$id" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//')
    [ "$title" = "$1" ] || { echo "Title of the window: $title"; exit 1; }
    echo "$id"
}

main=$(expect_title 'Vantorbel')
sleep 1
x11_print "$main"
dialog=$(expect_title 'Afdrukken')
sleep 1
x11_screen_and_ok "$dialog"
expect_title 'Vantorbel afdrukvoorbeeld' >/dev/null
echo "Window titles as the window system shows them: Vantorbel, Afdrukken, Vantorbel afdrukvoorbeeld"
