#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite.
set -eu
cd "$(dirname "$0")/.."
sh tools/pakete.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
