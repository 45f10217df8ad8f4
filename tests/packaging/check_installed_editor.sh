#!/bin/sh
# The editor unpacked from its package into a temporary root and started headless with a file:
# it reads its data from share/varko, creates its settings and recovery folders under
# XDG_CONFIG_HOME and XDG_STATE_HOME, writes prefs.ini (the file joins the recent files) there,
# and nothing beside its executable. strace shows which files it opened.
# Usage: tests/packaging/check_installed_editor.sh <unpacked root> <scratch folder>
set -eu
SYSROOT="$1"
DIR="$2"
mkdir -p "$DIR"
XDG_CONFIG_HOME="$DIR/config"
XDG_STATE_HOME="$DIR/state"
QT_QPA_PLATFORM=offscreen
LANG=C.UTF-8
export XDG_CONFIG_HOME XDG_STATE_HOME QT_QPA_PLATFORM LANG

fail() {
    echo "check_installed_editor: $*" >&2
    exit 1
}

ls -A "$SYSROOT/usr/bin" >"$DIR/bin.before"
cp examples/addon/tank.odf "$DIR/tank.odf"
status=0
strace -f -qq -e trace=openat -o "$DIR/opened" timeout 6 "$SYSROOT/usr/bin/varko" "$DIR/tank.odf" \
    >"$DIR/output" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the editor ended by itself (status $status): $(cat "$DIR/output")"

for data in declarations.txt proplib.txt; do
    grep -q "\"$SYSROOT/usr/bin/../share/varko/$data\", O_RDONLY[^=]*= [0-9]" "$DIR/opened" ||
        grep -q "\"$SYSROOT/usr/share/varko/$data\", O_RDONLY[^=]*= [0-9]" "$DIR/opened" ||
        fail "the editor did not read share/varko/$data"
done
echo "ok: the installed editor reads its data from share/varko"

PREFS="$XDG_CONFIG_HOME/varko/prefs.ini"
[ -f "$PREFS" ] || fail "no $PREFS"
grep -q "$DIR/tank.odf" "$PREFS" || fail "the opened file is not among the recent files: $(cat "$PREFS")"
[ -d "$XDG_STATE_HOME/varko/recovery" ] || fail "no recovery folder under XDG_STATE_HOME"
ls -A "$SYSROOT/usr/bin" | cmp -s - "$DIR/bin.before" || fail "files appeared beside the executable"
echo "ok: the installed editor keeps prefs.ini under XDG_CONFIG_HOME, recovery copies under XDG_STATE_HOME"
