#!/bin/sh
# How many plausible faults the test suite catches: tools/mutanten.py (its docstring says how).
exec python3 "$(dirname "$0")/mutanten.py" "$@"
