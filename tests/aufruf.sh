#!/bin/sh
# The programs' command lines, without a display: an answer on stdout with status 0; a bad
# argument one line on stderr, nothing on stdout, status 2, and nothing written. The PDF of
# page 2 holds its texts as text (pdftotext; skipped where it is missing).
# Usage: aufruf.sh VERSION PATH/TO/regler PATH/TO/regler-bilder PATH/TO/regler-json
set -euf
version=$1
regler=$(realpath "$2")
bilder=$(realpath "$3")
json=$(realpath "$4")
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
mkdir -m 700 "$t/lauf" "$t/hier"
cd "$t/hier"
mkdir -p gesperrt/seite_3.pdf # where no PDF can be written
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export QT_STYLE_OVERRIDE=Windows # a desktop's own style: the pages keep theirs but for -style
export XDG_RUNTIME_DIR="$t/lauf"
fehler=0
n=0
# status | stdout (grep -E) | the one stderr line (grep -E) | command line
while IFS='|' read -r soll aus meldung befehl; do
    n=$((n + 1))
    # shellcheck disable=SC2086
    set -- $befehl
    for a; do # the programs by their names
        shift
        case $a in regler) a=$regler ;; regler-bilder) a=$bilder ;; regler-json) a=$json ;; esac
        set -- "$@" "$a"
    done
    ist=0
    "$@" >"$t/aus" 2>"$t/meldung" </dev/null || ist=$?
    case $soll in
    0) grep -qE -- "$aus" "$t/aus" ;;
    2) [ ! -s "$t/aus" ] && [ "$(wc -l <"$t/meldung")" = 1 ] && grep -qE -- "$meldung" "$t/meldung" ;;
    1) grep -qE -- "$meldung" "$t/meldung" ;;
    esac && [ "$ist" = "$soll" ] ||
        { echo "FAIL: $befehl: status $ist; $(cat "$t/aus" "$t/meldung")"; fehler=$((fehler + 1)); }
done <<EOF
0|^regler $version\$||regler --version
0|^Aufruf: regler \[--seite N\]||regler --help
0|^regler $version\$||regler -platform offscreen -style Windows -reverse --version
2||^regler: --seite ohne Wert|regler --seite
2||--seite "5" ist keine Seite von 1 bis 4|regler --seite 5
2||--seite "x"|regler --seite=x
2||--seite mehrfach|regler --seite 2 --seite 3
2||überzähliges Argument "2"|regler 2
2||^regler: unbekannte Option "--foo" \(regler --help\)\$|regler -platform offscreen --foo
2||^regler: unbekannte Option "-bar"|regler -reverse -style=Fusion -bar
2||--seite "9"|regler -style Windows -display :0 --seite 9
2||überzähliges Argument "x"|regler --platform offscreen x
124|||timeout 2 regler -platform offscreen -style Windows --seite 2
124|||timeout 2 regler -platform offscreen --seite 04
0|^regler-bilder $version\$||regler-bilder --version
2||^regler-bilder: unbekannte Option "-o"|regler-bilder -o ziel
2||kein Zielordner|regler-bilder --pdf
2||überzähliges Argument "b"|regler-bilder a b
2||--seite "5"|regler-bilder --seite 5 ziel
0|^bilder/seite_2.png\$||regler-bilder --pdf --seite 2 bilder
0|^alle/seite_1.png\$||regler-bilder -style=Windows alle
1||^regler-bilder: gesperrt/seite_3.pdf lässt sich nicht schreiben|regler-bilder --pdf --seite 3 gesperrt
2||^Aufruf: regler-json ZIEL|regler-json
1||^regler-json: symbol kein.svg not drawn|regler-json -platform offscreen json kein.svg
EOF
n=$((n + 1))
geschrieben=$(ls -A . bilder alle | tr '\n' ' ')
[ "$geschrieben" = ".: alle bilder gesperrt json  alle: seite_1.png seite_2.png seite_3.png seite_4.png  bilder: seite_2.pdf seite_2.png " ] && ! cmp -s alle/seite_2.png bilder/seite_2.png ||
    { echo "FAIL: written: $geschrieben (alle/ not in -style=Windows, bilder/ not in Fusion?)"; fehler=$((fehler + 1)); }
if command -v pdftotext >/dev/null; then
    text=$(pdftotext bilder/seite_2.pdf -)
    for wort in "2. PID-Regler mit Simulation" "Start Grafik" "Nachlaufzeit" "Zeit in Sekunden"; do
        n=$((n + 1))
        case $text in *"$wort"*) ;; *) echo "FAIL: \"$wort\" not in the PDF"; fehler=$((fehler + 1)) ;; esac
    done
    # The charts' axis texts are where the text layer says, visibly: drawn through the page's
    # painter, Qt Charts put them elsewhere at a wrong scale. Each word's box on a 72 dpi picture
    # of the page (1 pt = 1 px) must hold dark pixels.
    if command -v pdftoppm >/dev/null && command -v convert >/dev/null; then
        pdftoppm -r 72 -png -singlefile bilder/seite_2.pdf "$t/seite"
        for wort in Sekunden 150; do
            n=$((n + 1))
            kasten=$(pdftotext -bbox bilder/seite_2.pdf - | awk -F'"' -v w=">$wort<" \
                'index($0, w) && !k { k = sprintf("%dx%d+%d+%d", $6 - $2 + 1, $8 - $4 + 1, $2, $4) } END { print k }')
            hell=$(convert "$t/seite.png" -crop "$kasten" -colorspace gray -format '%[fx:minima]' info:)
            awk -v h="$hell" 'BEGIN { exit !(h < 0.6) }' ||
                { echo "FAIL: \"$wort\" not visible at $kasten in the PDF"; fehler=$((fehler + 1)); }
        done
    fi
fi
echo "$((n - fehler)) passed, $fehler failed"
[ "$fehler" = 0 ] || exit 1
command -v pdftotext >/dev/null || { echo "pdftotext missing (poppler-utils): PDF text not checked"; exit 77; }
