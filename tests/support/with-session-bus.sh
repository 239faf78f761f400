#!/bin/sh
# with-session-bus.sh <command> [arguments...]
# Runs the command on a private D-Bus session bus whose services (the
# accessibility bus among them) get a runtime directory of their own: without
# one, the accessibility bus puts its socket in ~/.cache/at-spi, where a second
# run at the same time would take it away.
set -u
runtime=$(mktemp -d "${TMPDIR:-/tmp}/velmora-bus.XXXXXX") || exit 1
XDG_RUNTIME_DIR="$runtime" dbus-run-session -- "$@"
status=$?
rm -rf "$runtime"
exit $status
