#!/bin/sh
# Installs the build into a scratch prefix and checks that a desktop would find the program:
# binaries, desktop entry, icons, AppStream metainfo of the project's version and man pages, all
# validating.
# Usage: installation.sh BUILD_DIR VERSION
set -eu
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
cmake --install "$1" --prefix "$ziel" >/dev/null
fehler=0
for f in bin/regler bin/regler-sim bin/regler-bilder \
    share/applications/ch.norva.Regler.desktop share/metainfo/ch.norva.Regler.metainfo.xml \
    share/icons/hicolor/scalable/apps/ch.norva.Regler.svg \
    share/icons/hicolor/48x48/apps/ch.norva.Regler.png \
    share/icons/hicolor/256x256/apps/ch.norva.Regler.png share/man/man1/regler-sim.1.gz \
    share/man/man1/regler.1.gz share/man/man1/regler-bilder.1.gz; do
    [ -e "$ziel/$f" ] || { echo "FAIL: $f not installed"; fehler=1; }
done
desktop-file-validate "$ziel/share/applications/ch.norva.Regler.desktop" | grep -v ': hint: ' && fehler=1
appstreamcli validate --no-net "$ziel/share/metainfo/ch.norva.Regler.metainfo.xml" >/dev/null ||
    { echo "FAIL: metainfo"; fehler=1; }
grep -q "<release version=\"$2\"" "$ziel/share/metainfo/ch.norva.Regler.metainfo.xml" ||
    { echo "FAIL: metainfo release is not $2"; fehler=1; }
"$ziel/bin/regler-sim" --help | grep -q 'regler-sim pid' || { echo "FAIL: regler-sim --help"; fehler=1; }
[ $fehler = 0 ] && echo "1 passed, 0 failed"
exit $fehler
