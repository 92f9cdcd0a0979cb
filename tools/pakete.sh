#!/bin/sh
# Installs the Debian 12 packages that the named parts need, where they are missing. Run as root.
#   sh tools/pakete.sh starten                  building and running the program
#   sh tools/pakete.sh starten pruefen          and its tests (formatting, X server, screen
#                                               reader, package, sanitizers, fuzzer)
#   sh tools/pakete.sh starten pruefen web      and the browser version with its tests (Chromium,
#                                               Firefox ESR and WebKitGTK, the last two in Xvfb)
set -eu
[ $# -gt 0 ] || set -- starten
pakete=""
for teil; do
    case $teil in
    starten) pakete="$pakete cmake ninja-build g++ pkg-config
        qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins qt6-svg-dev
        fonts-liberation2 qt6-translations-l10n python3-fonttools" ;;
    pruefen) pakete="$pakete clang-format-14 clang-14 libclang-rt-14-dev libbenchmark-dev
        xvfb xauth xdotool xclip x11-utils openbox imagemagick qt6-gtk-platformtheme
        at-spi2-core python3-pyatspi dbus-x11
        desktop-file-utils appstream dpkg-dev lintian poppler-utils locales" ;;
    web) pakete="$pakete emscripten node-acorn chromium python3-fonttools python3-brotli nginx-light openssl
        firefox-esr webkit2gtk-driver xvfb xclip" ;;
    *)
        echo "pakete.sh: unknown part \"$teil\" (starten, pruefen, web)" >&2
        exit 2
        ;;
    esac
done
fehlt=""
for p in $pakete; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlt="$fehlt $p"
done
# npm comes with Debian's own package, or within a nodejs from elsewhere.
case " $* " in *" web "*) command -v npm >/dev/null 2>&1 || fehlt="$fehlt npm" ;; esac
if [ -n "$fehlt" ]; then
    # One line here; apt's own output goes to a log, shown only where it fails.
    log=${TMPDIR:-/tmp}/regler-pakete.log
    echo "installing$fehlt (log: $log)"
    export DEBIAN_FRONTEND=noninteractive
    # shellcheck disable=SC2086
    if ! { apt-get update -qq && apt-get install -y -qq --no-install-recommends $fehlt; } >"$log" 2>&1; then
        tail -n 30 "$log"
        exit 1
    fi
fi
# The tests run in de_DE.UTF-8 too, as classes do: the locale is made where it is missing.
case " $* " in
*" pruefen "*)
    if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\{0,1\}8'; then
        echo "making the locale de_DE.UTF-8"
        localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
    fi
    ;;
esac
