#!/bin/sh
# The Debian package as cpack builds it: its file name, fields and contents, stripped binaries
# that give the project's version, man pages of that version, and lintian without errors.
# Usage: paket.sh BUILD_DIR VERSION   (status 77: dpkg-dev, binutils or lintian missing)
set -eu
bau=$1
version=$2
for p in dpkg-deb dpkg-shlibdeps readelf; do
    command -v $p >/dev/null || { echo "$p missing (dpkg-dev, binutils): no package built"; exit 77; }
done
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
cpack --config "$bau/CPackConfig.cmake" -G DEB -B "$t" >"$t/cpack.log" 2>&1 ||
    { tail -n 20 "$t/cpack.log"; exit 1; }
deb=$t/regler_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb") in: $(ls "$t")"; exit 1; }
fehler=0
falsch() { echo "FAIL: $*"; fehler=1; }
enthaelt() { case $1 in *"$2"*) return 0 ;; esac; return 1; }

for f in Package=regler Version=$version Section=education "Maintainer=Regler-Team <regler@norva.ch>"; do
    [ "$(dpkg-deb -f "$deb" "${f%%=*}")" = "${f#*=}" ] || falsch "$f: $(dpkg-deb -f "$deb" "${f%%=*}")"
done
felder=$(dpkg-deb -f "$deb" Depends Description)
for wort in " libc6 (" " libqt6widgets6 (" " libqt6svg6 (" " libqt6printsupport6 (" \
    Lernprogramm "teaching program"; do
    enthaelt "$felder" "$wort" || falsch "no \"$wort\" in: $felder"
done

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$t/inhalt"
for f in bin/regler bin/regler-sim bin/regler-bilder share/applications/ch.norva.Regler.desktop \
    share/metainfo/ch.norva.Regler.metainfo.xml share/icons/hicolor/scalable/apps/ch.norva.Regler.svg \
    share/icons/hicolor/48x48/apps/ch.norva.Regler.png \
    share/icons/hicolor/256x256/apps/ch.norva.Regler.png share/man/man1/regler.1.gz \
    share/man/man1/regler-sim.1.gz share/man/man1/regler-bilder.1.gz \
    share/doc/regler/copyright share/doc/regler/changelog.gz; do
    grep -qx "./usr/$f" "$t/inhalt" || falsch "usr/$f not in the package"
done

dpkg-deb -x "$deb" "$t/x"
for p in regler regler-sim regler-bilder; do
    readelf -S "$t/x/usr/bin/$p" | grep -q '\.debug_' && falsch "$p not stripped"
    v=$(env -u DISPLAY -u QT_QPA_PLATFORM "$t/x/usr/bin/$p" --version) || true
    [ "$v" = "$p $version" ] || falsch "$p --version: $v"
    zcat "$t/x/usr/share/man/man1/$p.1.gz" | grep -q "^\.TH .* \"Regler $version\"" ||
        falsch "man page $p(1) not of version $version"
done

if command -v lintian >/dev/null; then
    lintian --fail-on error "$deb" >"$t/lintian" 2>&1 || falsch "lintian"
    grep -v 'root privileges' "$t/lintian" || true
    echo "lintian: $(grep -c '^E:' "$t/lintian") errors, $(grep -c '^W:' "$t/lintian") warnings"
fi
[ $fehler = 0 ] || exit 1
command -v lintian >/dev/null || { echo "lintian missing: the package is not checked by it"; exit 77; }
echo "1 passed, 0 failed"
