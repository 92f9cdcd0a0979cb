#!/bin/sh
# Installs what is missing, builds, and starts the program.
set -eu
cd "$(dirname "$0")/.."
sh tools/pakete.sh starten
echo "building (log: build/starten-bau.log)"
mkdir -p build
if ! { cmake --preset default && cmake --build --preset default; } >build/starten-bau.log 2>&1; then
    tail -n 40 build/starten-bau.log
    exit 1
fi
exec build/app/regler
