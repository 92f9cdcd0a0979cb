#!/bin/sh
# Installs what is missing, builds, and starts the program.
set -eu
cd "$(dirname "$0")/.."
sh tools/pakete.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/app/regler
