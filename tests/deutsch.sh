#!/bin/sh
# Runs a test in de_DE.UTF-8. Without the locale the C library quietly stays in "C", and the run
# would prove nothing: then it fails.
set -eu
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\{0,1\}8'; then
    echo "the locale de_DE.UTF-8 is missing (sh tools/pakete.sh pruefen makes it)" >&2
    exit 1
fi
export LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8
exec "$@"
