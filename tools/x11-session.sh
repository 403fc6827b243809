# Sourced by the scripts that drive the real program on a private X server the way a user
# would: the window-title test and the README's screenshots. Needs Xvfb and xdotool.

# Starts an X server on a display it picks itself and makes it this shell's display.
x11_scratch=$(mktemp -d)
x11_server=
x11_program=
x11_stop() {
    [ -n "$x11_program" ] && kill "$x11_program" 2>/dev/null || true
    [ -n "$x11_server" ] && kill "$x11_server" 2>/dev/null || true
    rm -rf "$x11_scratch"
}
trap x11_stop EXIT
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$x11_scratch/display" >/dev/null 2>&1 &
x11_server=$!
for _ in $(seq 100); do [ -s "$x11_scratch/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$x11_scratch/display")

# The program in the Dutch setting, in an empty folder (where its file dialogs open), without a
# print queue, so that the built-in PDF printer stands in.
x11_start_program() {
    mkdir -p "$x11_scratch/work"
    (cd "$x11_scratch/work" && exec env -u QT_QPA_PLATFORM -u LC_ALL LANG=nl_NL.UTF-8 \
        CUPS_SERVER=/nonexistent/cups.sock "$1" >/dev/null 2>&1) &
    x11_program=$!
}

# The window whose title is exactly $1, waited for.
x11_window() { timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }

# Where the user clicks. Toolbar buttons are 25 pixels wide after a 2-pixel indent, with 8-pixel
# separators.
x11_calculate() { xdotool mousemove --window "$1" 97 17 click 1; }
x11_print() { xdotool mousemove --window "$1" 122 17 click 1; }
x11_screen_and_ok() {
    xdotool mousemove --window "$1" 24 84 click 1  # Scherm
    xdotool mousemove --window "$1" 341 20 click 1 # OK
}
x11_save_pages() { xdotool mousemove --window "$1" 71 14 click 1; }
x11_divide() { xdotool mousemove --window "$1" 263 17 click 1; }
