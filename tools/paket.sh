#!/bin/sh
# What an administrator does with the Debian package on a scratch machine: build it, install it
# with apt, start the programs from it, and remove it again. Run as root: it changes the
# machine's packages (regler is removed at the end, also where a step fails).
set -eu
cd "$(dirname "$0")/.."
sh tools/pakete.sh
mkdir -p build
log=$(pwd)/build/paket.log
: >"$log"
schritt() { # what, then the command
    was=$1
    shift
    if "$@" >>"$log" 2>&1; then
        echo "ok    $was"
    else
        echo "FAIL  $was; log: $log"
        tail -n 30 "$log"
        exit 1
    fi
}
bauen() { cmake --preset default && cmake --build --preset default && (cd build && cpack -G DEB); }
schritt "package built" bauen
deb=$(sed -n 's/.*package: \(.*\.deb\) generated\./\1/p' "$log" | tail -n 1)

# apt reads a local package as its own user: a copy where that user may read it.
ablage=$(mktemp -d)
trap 'apt-get remove -y -qq regler >/dev/null 2>&1 || true; rm -rf "$ablage"' EXIT
cp "$deb" "$ablage/"
chmod 755 "$ablage"
export DEBIAN_FRONTEND=noninteractive
schritt "installed: $(basename "$deb")" apt-get install -y -qq "$ablage/$(basename "$deb")"

ohne_bildschirm() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
for p in regler regler-sim regler-bilder; do
    echo "      $(command -v $p): $(ohne_bildschirm $p --version 2>>"$log")"
done
laeuft() { # the program still runs after three seconds
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 regler --seite 2 || status=$?
    [ "$status" = 124 ]
}
schritt "regler --seite 2 started, offscreen" laeuft
schritt "regler-sim pid 50 17 20 5 --kennwerte" regler-sim pid 50 17 20 5 --kennwerte
schritt "regler-bilder --pdf --seite 2" regler-bilder --pdf --seite 2 "$ablage/bilder"
schritt "man regler" man -w regler regler-sim regler-bilder
schritt "removed" apt-get remove -y -qq regler
schritt "nothing left in /usr/bin" sh -c '! ls /usr/bin/regler /usr/bin/regler-sim /usr/bin/regler-bilder 2>/dev/null'
