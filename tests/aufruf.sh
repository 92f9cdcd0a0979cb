#!/bin/sh
# The programs' command lines, without a display: an answer on stdout with status 0; a bad
# argument one line on stderr, nothing on stdout, status 2, and nothing written.
# Usage: aufruf.sh VERSION PATH/TO/regler PATH/TO/regler-bilder
set -eu
version=$1
regler=$(realpath "$2")
bilder=$(realpath "$3")
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
mkdir -m 700 "$t/lauf" "$t/hier"
cd "$t/hier"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$t/lauf"
fehler=0
n=0
# status | stdout (grep -E) | the one stderr line (grep -E) | command line
while IFS='|' read -r soll aus meldung befehl; do
    n=$((n + 1))
    # shellcheck disable=SC2086
    set -- $befehl
    case $1 in regler) programm=$regler ;; regler-bilder) programm=$bilder ;; *) programm=$1 ;; esac
    shift
    ist=0
    "$programm" "$@" >"$t/aus" 2>"$t/meldung" </dev/null || ist=$?
    if [ "$ist" != "$soll" ]; then
        echo "FAIL: $befehl: status $ist, not $soll"
    elif [ "$soll" = 2 ] && ! { [ ! -s "$t/aus" ] && [ "$(wc -l <"$t/meldung")" = 1 ] &&
        grep -qE -- "$meldung" "$t/meldung"; }; then
        echo "FAIL: $befehl: $(cat "$t/aus" "$t/meldung")"
    elif [ "$soll" = 0 ] && ! grep -qE -- "$aus" "$t/aus"; then
        echo "FAIL: $befehl: $(cat "$t/aus")"
    else
        continue
    fi
    fehler=$((fehler + 1))
done <<EOF
0|^regler $version\$||regler --version
0|^regler $version\$||regler -v
0|^Aufruf: regler \[--seite N\]||regler --help
0|^regler $version\$||regler -platform offscreen -style Windows -reverse --version
2||^regler: --seite ohne Wert|regler --seite
2||--seite "5" ist keine Seite von 1 bis 4|regler --seite 5
2||--seite "0"|regler --seite 0
2||--seite "x"|regler --seite=x
2||--seite mehrfach|regler --seite 2 --seite 3
2||überzähliges Argument "2"|regler 2
2||^regler: unbekannte Option "--foo" \(regler --help\)\$|regler -platform offscreen --foo
2||--seite "9"|regler -platform offscreen -style Windows --seite 9
124|||timeout 2 $regler -platform offscreen -style Windows --seite 2
EOF
geschrieben=$(ls -A)
[ -z "$geschrieben" ] || { echo "FAIL: written: $geschrieben"; fehler=$((fehler + 1)); }
echo "$((n - fehler)) passed, $fehler failed"
[ "$fehler" = 0 ]
