#!/bin/sh
# Installs the Debian 12 packages the project needs, where they are missing. Run as root.
set -eu
pakete="cmake ninja-build g++ pkg-config
qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins qt6-svg-dev
fonts-liberation2 libbenchmark-dev
qt6-translations-l10n qt6-gtk-platformtheme
xvfb xauth xdotool xclip openbox imagemagick
at-spi2-core python3-pyatspi dbus-x11
desktop-file-utils appstream
dpkg-dev lintian poppler-utils
clang-14 libclang-rt-14-dev clang-format-14
emscripten node-acorn chromium"
fehlt=""
for p in $pakete; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlt="$fehlt $p"
done
# npm comes with Debian's own package, or within a nodejs from elsewhere.
command -v npm >/dev/null 2>&1 || fehlt="$fehlt npm"
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
