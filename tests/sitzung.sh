#!/bin/sh
# A lesson prepared as a teacher does it, in a real X server with a window manager, in a German
# locale, driven by keys and clicks (xdotool) and read back through the clipboard (xclip):
# - the window's icon in its four sizes; the gain typed "1,6" runs gain 1.6: the cascade's data
#   ("Daten kopieren") equal regler-sim kaskade 50 1.6 0 0 0 0 0;
# - a pasted "-50" (middle click) runs page 2 at 50 °C;
# - "Als PDF speichern …" to /proc fails with a message, and the next dialog opens and closes;
# - Ctrl+P printed to a PDF file gives text that pdftotext reads, in under 1 MB;
# - "--seite N" opens page N alone, and "beenden" ends the program; with a run not saved it asks
#   first: Escape keeps the program, Return saves the notebook and ends.
# Usage: sitzung.sh PATH/TO/regler PATH/TO/regler-sim   (runs itself under xvfb-run)
set -eu
regler=$(realpath "$1")
regler_sim=$(realpath "$2")
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
. "$(dirname "$0")/x_sitzung.sh"
export HOME="$arbeit/heim" LC_ALL=de_DE.UTF-8
mkdir -p "$HOME/Dokumente" "$arbeit/ablage"
cd "$HOME"
n=0
ok() { n=$((n + 1)); echo "ok    $*"; }
# A dialog by its title, the keyboard's from then on.
dialog() {
    w=$(fenster "$@") || return 1
    sleep 0.5
    echo "$w"
}
# A file dialog's name field set at once (typed, Qt's completer would catch the keys halfway).
dateiname() {
    printf %s "$1" | xclip -selection clipboard
    xdotool key --delay 80 ctrl+a ctrl+v
    sleep 0.4
    xdotool key Return
}
lebt() { kill -0 "$pid" 2>/dev/null || fehler "regler died: $*"; }

starten() { # page
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    "$regler" --seite "$1" &
    pid=$!
    s=$(fenster "Seite $1") || fehler "no window Seite $1"
    xdotool search --onlyvisible --name '^Seite [1-4]$' 2>/dev/null | grep -qv "^$s\$" && fehler "--seite $1 shows more"
    xdotool windowactivate --sync "$s" 2>/dev/null || true
    sleep 0.5
}

# The checks' own arithmetic in the C locale: mawk reads "1.5" as 1 in a German one.
awk() { LC_ALL=C command awk "$@"; }
# Column `spalte` (1 = the time) of the copied data, as plain numbers, one per line.
spalte_kopiert() { xclip -o -selection clipboard | awk -F'\t' -v s="$1" 'NR > 1 { gsub(",", ".", $s); print $s }'; }
spalte_sim() { "$regler_sim" "$@" | awk -F, -v s="$spalte" 'NR > 1 { print $s }'; }
# Equal to the 15 digits "Daten kopieren" writes.
gleich() {
    paste -d' ' "$1" "$2" | awk 'NF != 2 { exit 1 }
        { d = $1 - $2; if (d < 0) d = -d; m = $2 < 0 ? -$2 : $2; if (d > 1e-13 * (m + 1)) exit 1 }
        END { if (NR != 200) exit 1 }'
}

# ---- page 3: the gain as a German writes it, the format taken from the locale (a point typed
# as a comma: test_seiten)
starten 3
[ "$(xprop -id "$s" _NET_WM_ICON | grep -o 'Icon ([0-9]*' | tr -dc '0-9 ')" = " 16 32 48 64" ] || fehler "icon sizes"
klick "$s" $((7920 + 1440 + 247)) $((2340 + 600 + 142)) # v1
xdotool key --window "$s" End shift+Home
xdotool type --window "$s" 1,6
klick "$s" $((7800 + 5040 + 607)) $((9300 + 120 + 247)) # Start Grafik
xclip -selection clipboard /dev/null
menue "$s" $((7320 + 3900)) $((4470 + 1400)) 2 # Daten kopieren
spalte_kopiert 3 >"$arbeit/ist1"
spalte=3 spalte_sim kaskade 50 1.6 0 0 0 0 0 >"$arbeit/x1"
gleich "$arbeit/ist1" "$arbeit/x1" || fehler "gain typed 1,6: Ist1 is not regler-sim's at gain 1.6"
ok "page 3, gain typed 1,6 runs gain 1.6"

# ---- page 2: "-50" pasted with the middle button runs 50 °C
starten 2
printf %s -50 | xclip -selection primary
klick "$s" $((600 + 1500 + 277)) $((8220 + 240 + 142)) # w1
xdotool key --window "$s" End shift+Home Delete
klick "$s" $((600 + 1500 + 277)) $((8220 + 240 + 142)) 2
klick "$s" $((7800 + 4980 + 607)) $((9360 + 120 + 247)) # Start Grafik
menue "$s" $((7680 + 3680)) $((240 + 1770)) 2
spalte_kopiert 2 | sort -u >"$arbeit/soll"
[ "$(cat "$arbeit/soll")" = 50 ] || fehler "pasted -50: the set-point ran as $(cat "$arbeit/soll")"
ok "page 2, a pasted \"-50\" runs 50 °C"

# ---- page 2: a save into /proc fails clearly; the next dialog opens and closes
als_pdf() { # the page's menu, on a text: "Als PDF speichern …"
    klick "$s" 300 1700 3
    xdotool key --delay 60 Down Down Return
}
als_pdf
d=$(dialog "Als PDF speichern") || fehler "no dialog Als PDF speichern"
dateiname /proc/seite2.pdf
m=$(dialog Speichern 10) || fehler "no message after a save into /proc"
xdotool key Return
sleep 0.5
als_pdf
d=$(dialog "Als PDF speichern" 10) || fehler "the second dialog did not open"
sleep 1
xdotool key Escape
bis 10 weg "Als PDF speichern" || fehler "the second dialog did not close (it hangs in the folder before)"
lebt "after the second dialog"
ok "page 2, a failed save to /proc, then a dialog that opens and closes"

# ---- page 2: Ctrl+P, printed to a PDF file, keeps text and lines
klick "$s" $((600 + 1500 + 277)) $((8220 + 240 + 142))
xdotool key --window "$s" ctrl+p
d=$(dialog "Seite drucken") || fehler "no print dialog"
sleep 1
xdotool key Return
pdf_da() { pdf=$(find "$HOME" -name '*.pdf' | head -n 1) && [ -s "$pdf" ]; }
bis 10 pdf_da || fehler "printing to a file wrote no PDF"
# Printing runs on after the first bytes: wait until the file stops growing (a slow machine).
groesse=0
stehend() { jetzt=$(stat -c %s "$pdf") && [ "$jetzt" = "$groesse" ] || { groesse=$jetzt; false; }; }
bis 10 stehend || true
[ "$groesse" -lt 1000000 ] || fehler "the printed PDF has $groesse bytes"
pdftotext "$pdf" - | grep -q "Start Grafik" || fehler "the printed PDF has no text"
ok "Ctrl+P to a PDF file: text, $groesse bytes"

# ---- "beenden" with a run not saved asks first (a click while a dialog is still open would be
# refused): Escape cancels, Return saves the notebook (the load run and the run) and ends
bis 10 weg "Seite drucken" || true
beenden() {
    xdotool windowactivate --sync "$s" 2>/dev/null || true
    sleep 0.5
    klick "$s" $((7800 + 6180 + 600)) $((9360 + 600 + 250))
    dialog Versuchsprotokoll 10 >/dev/null || fehler "\"beenden\" did not ask for the run not saved"
}
beenden
xdotool key Escape
sleep 1
lebt "after the question was cancelled"
beenden
xdotool key Return
d=$(dialog "Protokoll speichern") || fehler "no dialog Protokoll speichern"
dateiname "$arbeit/ablage/protokoll.csv"
if ! bis 20 beendet; then
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        echo "visible: $(xdotool getwindowname "$w" 2>/dev/null)" >&2
    done
    fehler "regler did not end once the notebook was saved"
fi
wait "$pid" || fehler "regler ended with status $?"
pid=
[ "$(grep -c '^[12];' "$arbeit/ablage/protokoll.csv")" = 2 ] ||
    fehler "the notebook saved on ending lacks its runs: $(cat "$arbeit/ablage/protokoll.csv")"
ok "\"beenden\" asks for the run not saved: Escape keeps the program, Return saves and ends"
echo "$n passed, 0 failed"
