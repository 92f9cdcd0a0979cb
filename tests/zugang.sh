#!/bin/sh
# Runs zugang.py in an X session of its own with a D-Bus session bus and a window manager, the
# accessibility bridge of Qt switched on as a screen reader would have it.
# Usage: zugang.sh PATH/TO/regler
set -eu
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- sh "$0" "$@"
fi
. "$(dirname "$0")/x_sitzung.sh"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Debian's python3, where pyatspi lives, whatever else stands first on the PATH.
/usr/bin/python3 "$(dirname "$0")/zugang.py" "$1"
