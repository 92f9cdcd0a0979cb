#!/bin/sh
# The real program under Valgrind memcheck in Xvfb, through a scripted session: page 1 → 2, type
# into the four fields, "Start Grafik", → 3, type into the seven fields, "Start Grafik", → 4,
# "beenden". Fails on a memory error or a definitely lost block of our code (see below), and
# prints the numbers of the rest. Takes minutes; not part of CI.
# Usage: tools/valgrind.sh [BUILD_DIR]   (default: build, as tools/pruefen.sh builds it)
set -eu
cd "$(dirname "$0")/.."
bau=${1:-build}
regler=$bau/app/regler
[ -x "$regler" ] || { echo "no $regler: build first (tools/pruefen.sh)" >&2; exit 2; }
if ! command -v valgrind >/dev/null; then
    echo "Installing: valgrind"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends valgrind
fi
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
unset QT_QPA_PLATFORM
log=$bau/valgrind.log

valgrind --leak-check=full --show-leak-kinds=definite --num-callers=40 \
    --child-silent-after-fork=yes --log-file="$log" "$regler" &
pid=$!
fehler() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# Waits (Valgrind is slow) for the page window, so that clicks land in it.
fenster() {
    w=$(timeout 600 xdotool search --sync --onlyvisible --name "^Seite $1\$" | head -n 1)
    [ -n "$w" ] || fehler "no window Seite $1"
    echo "$w"
}
# A click at a point in twips of the page's client area; the pointer stays, so keys go there.
klick() { xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1; sleep 1; }
# Into a field at (x, y) twips: the old text out, the new one in.
tippen() {
    klick "$1" $(($2 + 200)) $(($3 + 140))
    xdotool key --delay 100 End BackSpace a Home Delete Delete Delete Delete
    xdotool type --delay 100 "$4"
    sleep 1
}
# Waits for the program to catch up with the input so far.
warten() { sleep "${VALGRIND_PAUSE:-20}"; }

s1=$(fenster 1)
klick "$s1" $((8040 + 4680 + 600)) $((9540 + 240 + 250)) # weiter
s2=$(fenster 2)
warten
tippen "$s2" $((600 + 1500)) $((8220 + 240)) 70   # w1
tippen "$s2" $((600 + 1500)) $((8220 + 600)) 17   # xp1
tippen "$s2" $((600 + 1500)) $((8220 + 960)) 20   # tn1
tippen "$s2" $((600 + 1500)) $((8220 + 1320)) 5   # tv1
klick "$s2" $((7800 + 4980 + 600)) $((9360 + 120 + 250)) # Start Grafik
warten
klick "$s2" $((7800 + 4980 + 600)) $((9360 + 600 + 250)) # weiter
s3=$(fenster 3)
warten
tippen "$s3" $((7920 + 1440)) $((2340 + 240)) 60   # w1
tippen "$s3" $((7920 + 1440)) $((2340 + 600)) 1.6  # v1
tippen "$s3" $((7920 + 1440)) $((2340 + 960)) 40   # tn1
tippen "$s3" $((7920 + 1440)) $((2340 + 1320)) 10  # tv1
tippen "$s3" $((10260 + 1560)) $((2340 + 240)) 30  # xp2
tippen "$s3" $((10260 + 1560)) $((2340 + 600)) 10  # tv2
tippen "$s3" $((10260 + 1560)) $((2340 + 960)) 150 # maxdiff, over its limit
klick "$s3" $((7800 + 5040 + 600)) $((9300 + 120 + 250)) # Start Grafik
warten
klick "$s3" $((7800 + 5040 + 600)) $((9300 + 600 + 250)) # weiter
s4=$(fenster 4)
warten
klick "$s4" $((7800 + 6120 + 600)) $((9420 + 240 + 250)) # beenden
for _ in $(seq 1 600); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
done
kill -0 "$pid" 2>/dev/null && fehler "regler did not end on 'beenden'"
wait "$pid" || fehler "regler exited with $?"

# A record is ours when, counting from the allocation or the faulting access inwards out, one
# of our frames (a source file of this repository, or the program's namespaces) comes before any
# system library other than the C and C++ runtime and Qt: what fontconfig or GLib allocate and
# lose for themselves is theirs, what Qt allocates on our behalf and we lose is ours.
unsere=$(find app shell pages sim -name '*.cpp' -o -name '*.h' | sed 's|.*/||' | tr '\n' '|' |
    sed 's/|$//')
awk -v unsere="[(](${unsere}):[0-9]+[)]|shell::|seiten::|sim::" '
    { sub(/^==[0-9]+== ?/, "") }
    /^$/ { if (art != "") melden(); art = ""; entschieden = 0; text = ""; next }
    art == "" && /definitely lost in loss record/ { art = "leak"; text = $0 "\n"; next }
    art == "" && /^(Invalid|Conditional jump|Use of uninitialised|Mismatched|Syscall param|Source and destination)/ { art = "error"; text = $0 "\n"; next }
    art != "" {
        text = text $0 "\n"
        if (!entschieden && /^ +(at|by) 0x/) {
            if ($0 ~ unsere) { unser = 1; entschieden = 1 }
            else if (/\(in [^)]*\)/ && !/vgpreload|libc\.so|libstdc\+\+|libQt6/) entschieden = 1
        }
    }
    /^LEAK SUMMARY/ { zusammenfassung = 1 }
    zusammenfassung && /definitely lost:/ { definitiv = $0; sub(/^ +/, "", definitiv) }
    /^ERROR SUMMARY/ { fehlerzeile = $0 }
    function melden() {
        if (unser) { print "ours: " text; ++unsere_funde }
        else if (art == "leak") ++fremde_lecks; else ++fremde_fehler
        unser = 0
    }
    END {
        if (art != "") melden()
        printf "valgrind: %s; %s\n", definitiv, fehlerzeile
        printf "valgrind: from our code %d; from system libraries %d definitely lost records, %d errors\n", unsere_funde, fremde_lecks, fremde_fehler
        exit(unsere_funde > 0)
    }' "$log" || fehler "memory errors or definitely lost blocks from our code, see $log"
echo "ok: no definitely lost block and no memory error from our code (log: $log)"
