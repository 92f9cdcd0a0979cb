#!/bin/sh
# Installs the build into a scratch prefix and checks that a desktop would find the program: its
# desktop entry and AppStream metainfo of the project's version validating, regler-sim running.
# (Which files are installed: paket.sh, over the package built from the same rules.)
# Usage: installation.sh BUILD_DIR VERSION
set -eu
ziel=$(mktemp -d)
trap 'rm -rf "$ziel"' EXIT
cmake --install "$1" --prefix "$ziel" >/dev/null
fehler=0
desktop-file-validate "$ziel/share/applications/ch.norva.Regler.desktop" | grep -v ': hint: ' && fehler=1
appstreamcli validate --no-net "$ziel/share/metainfo/ch.norva.Regler.metainfo.xml" >/dev/null ||
    { echo "FAIL: metainfo"; fehler=1; }
grep -q "<release version=\"$2\"" "$ziel/share/metainfo/ch.norva.Regler.metainfo.xml" ||
    { echo "FAIL: metainfo release is not $2"; fehler=1; }
"$ziel/bin/regler-sim" --help | grep -q 'regler-sim pid' || { echo "FAIL: regler-sim --help"; fehler=1; }
[ $fehler = 0 ] && echo "1 passed, 0 failed"
exit $fehler
