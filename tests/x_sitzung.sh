# Sourced by the tests in a real X server, after they have re-run themselves under xvfb-run:
# a scratch folder with empty settings, a window manager as on a desktop, and on exit the
# program ($pid), the window manager and the folder gone.
unset QT_QPA_PLATFORM
arbeit=$(mktemp -d)
export XDG_CONFIG_HOME="$arbeit/einstellungen"
pid=
wm=
aufraeumen() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    rm -rf "$arbeit"
}
trap aufraeumen EXIT
fehler() { echo "FAIL: $*" >&2; exit 1; }
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
fi
# A visible window by its title, within ${2:-20} s. xdotool's search dies of any window that goes
# away while it looks (an xclip handing over its selection, a closing menu): it looks again.
fenster() {
    ende=$(($(date +%s) + ${2:-20}))
    while [ "$(date +%s)" -lt "$ende" ]; do
        w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -n "$w" ] && echo "$w" && return 0
        sleep 0.2
    done
    return 1
}
# Clicks at a point in twips of a page's client area (button 1; 2 pastes, 3 opens a menu).
klick() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click "${4:-1}"; sleep 0.4; }
# The chart menu's entry k (1 = "Bild kopieren") at a point of a chart.
menue() {
    klick "$1" "$2" "$3" 3
    xdotool key --delay 60 $(yes Down | head -n "$4") Return
    sleep 0.5
}
# Until the command succeeds, for $1 seconds at most; and what it waits for most.
bis() {
    ende=$(($(date +%s) + $1))
    shift
    while ! "$@"; do [ "$(date +%s)" -lt "$ende" ] || return 1; sleep 0.5; done
}
weg() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
beendet() { ! kill -0 "$pid" 2>/dev/null; }
