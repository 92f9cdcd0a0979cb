#!/bin/sh
# End to end in a real X server: start regler, go to page 2, type a set-point, "Start Grafik",
# "beenden"; the window titles must be right and the program must end. Then regler --seite 3:
# page 3 alone, and "zurück" opens page 2.
# Usage: e2e_regler.sh PATH/TO/regler   (runs itself under xvfb-run when no DISPLAY is set)
set -eu
regler=$1
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
fehler() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

"$regler" &
pid=$!
# Clicks at a point given in twips of the page's client area.
klick() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; sleep 0.3; }

s1=$(timeout 20 xdotool search --sync --onlyvisible --name "^Seite 1\$" | head -n 1) || fehler "no window Seite 1"
[ "$(xdotool getwindowname "$s1")" = "Seite 1" ] || fehler "page 1 title"
# page 1: weiter at zul_befehle (8040, 9540) + (4680, 240)
klick "$s1" $((8040 + 4680 + 600)) $((9540 + 240 + 250))
s2=$(timeout 20 xdotool search --sync --onlyvisible --name '^Seite 2$' | head -n 1) || fehler "no window 'Seite 2'"
# page 2: w1 at Parameter (600, 8220) + (1500, 240); caret to the end, delete both digits, type 70
klick "$s2" $((600 + 1500 + 400)) $((8220 + 240 + 140))
xdotool key --window "$s2" End BackSpace Home Delete Delete 7 0
sleep 0.3
# Start Grafik at zul_befehle (7800, 9360) + (4980, 120)
klick "$s2" $((7800 + 4980 + 600)) $((9360 + 120 + 250))
kill -0 "$pid" 2>/dev/null || fehler "regler died after Start Grafik"
[ "$(xdotool getwindowname "$s2")" = "Seite 2" ] || fehler "page 2 title"
# beenden at (6180, 600)
klick "$s2" $((7800 + 6180 + 600)) $((9360 + 600 + 250))
for _ in 1 2 3 4 5 6 7 8 9 10; do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fehler "regler did not end on 'beenden'"
wait "$pid" || fehler "regler exited with $?"

"$regler" --seite 3 &
pid=$!
s3=$(timeout 20 xdotool search --sync --onlyvisible --name '^Seite 3$' | head -n 1)
[ -n "$s3" ] || fehler "--seite 3: no page 3"
xdotool search --onlyvisible --name '^Seite [124]$' >/dev/null && fehler "--seite 3: another page shown"
# zurück at befehle (7800, 9300) + (6240, 120)
klick "$s3" $((7800 + 6240 + 600)) $((9300 + 120 + 250))
timeout 20 xdotool search --sync --onlyvisible --name '^Seite 2$' >/dev/null || fehler "no page 2 after zurück"
kill "$pid"
wait "$pid" || true
echo "1 passed, 0 failed"
