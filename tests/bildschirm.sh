#!/bin/sh
# What a real X server shows is true: after runs that change the curves and the axis ranges, the
# window on the screen equals the same window painted afresh (unmapped and mapped again), pixel
# for pixel. Offscreen tests cannot see this: there every grab is a fresh paint.
# Usage: bildschirm.sh PATH/TO/regler   (runs itself under xvfb-run when no DISPLAY is set)
set -eu
regler=$1
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
. "$(dirname "$0")/x_sitzung.sh" # every run starts with the program's defaults

"$regler" &
pid=$!
s1=$(fenster "Seite 1") || fehler "no window Seite 1"
sleep 0.5
klick "$s1" $((8040 + 4680 + 600)) $((9540 + 240 + 250)) # weiter
s2=$(fenster "Seite 2") || fehler "no window Seite 2"
sleep 0.5
klick "$s2" $((7800 + 4980 + 600)) $((9360 + 600 + 250)) # weiter
s3=$(fenster "Seite 3") || fehler "no window Seite 3"

# page  field  how    text   (fields and "Start Grafik" by their table positions, centred)
faelle="2 w1 tippen 999
2 w1 tippen 50
2 w1 einfuegen 9e9
2 w1 tippen 10
3 w1 tippen 999
3 w1 tippen 50
3 v1 tippen 0
3 v1 tippen 9.9
3 w1 einfuegen 9e9
2 graph hilfen an
2 w1 tippen 40
3 v1 tippen 3
2 graph hilfen aus
3 w1 tippen 50"

n=0
while read -r seite feld wie text; do
    n=$((n + 1))
    case "$seite $feld" in
    "2 w1") fx=$((600 + 1500 + 277)) fy=$((8220 + 240 + 142)) ;;
    "3 w1") fx=$((7920 + 1440 + 247)) fy=$((2340 + 240 + 142)) ;;
    "3 v1") fx=$((7920 + 1440 + 247)) fy=$((2340 + 600 + 142)) ;;
    "2 graph") fx=$((7680 + 3680)) fy=$((240 + 1770)) ;;
    esac
    if [ "$seite" = 2 ]; then
        win=$s2 sx=$((7800 + 4980 + 607)) sy=$((9360 + 120 + 247))
    else
        win=$s3 sx=$((7800 + 5040 + 607)) sy=$((9300 + 120 + 247))
    fi
    xdotool windowactivate --sync "$win" 2>/dev/null || true
    if [ "$wie" = hilfen ]; then
        # Both learning aids switched from the chart's menu: the fifth and sixth entries.
        xdotool mousemove --window "$win" 5 5
        sleep 0.3
        import -window "$win" "$arbeit/vorher.png"
        menue "$win" "$fx" "$fy" 5
        menue "$win" "$fx" "$fy" 6
        xdotool mousemove --window "$win" 5 5 # off the chart: no read-out cursor
        sleep 0.4
        import -window "$win" "$arbeit/nachher.png"
        anders=$(compare -metric AE "$arbeit/vorher.png" "$arbeit/nachher.png" null: 2>&1 || true)
        [ "$anders" != 0 ] || fehler "switching the learning aids $text changed nothing on the screen"
    else
        klick "$win" "$fx" "$fy"
        xdotool key --window "$win" End shift+Home
        if [ "$wie" = tippen ]; then
            xdotool type --window "$win" "$text"
        else
            xdotool key --window "$win" Delete
            printf %s "$text" | xclip -selection primary
            klick "$win" "$fx" "$fy" 2
        fi
        klick "$win" "$sx" "$sy" # Start Grafik
    fi
    sleep 0.4
    kill -0 "$pid" 2>/dev/null || fehler "regler died in case $n ($seite $feld $text)"
    import -window "$win" "$arbeit/bildschirm.png"
    xdotool windowunmap --sync "$win"
    xdotool windowmap --sync "$win"
    sleep 0.8
    import -window "$win" "$arbeit/frisch.png"
    anders=$(compare -metric AE "$arbeit/bildschirm.png" "$arbeit/frisch.png" "$arbeit/diff.png" 2>&1 || true)
    if [ "$anders" != 0 ]; then
        mkdir -p bildschirm-fehler
        cp "$arbeit/bildschirm.png" "bildschirm-fehler/$n-bildschirm.png"
        cp "$arbeit/frisch.png" "bildschirm-fehler/$n-frisch.png"
        fehler "page $seite, $feld $wie $text: $anders pixels differ from a fresh paint (bildschirm-fehler/)"
    fi
    echo "ok    page $seite, $feld $wie $text"
done <<FAELLE
$faelle
FAELLE
echo "$n passed, 0 failed"
