#!/bin/sh
# Installs what is missing, builds, and starts the editor on the bundled sample mod.
set -eu
cd "$(dirname "$0")/.."
ROOT="$(pwd)"

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"

# First run: point the editor at the sample mod and skip the preferences dialog.
PREFS="build/bin/prefs.ini"
if [ ! -f "$PREFS" ]; then
    printf '[Application]\r\nVersion=1.1\r\n[Dirs]\r\nAddon=%s\r\nSod=%s\r\n' \
        "$ROOT/examples/addon" "$ROOT/examples/sod" > "$PREFS"
fi
exec build/bin/varko "$ROOT/examples/addon/faulty.odf"
