#!/bin/sh
# Runs neovim_client.lua in a headless Neovim over a copy of the sample mod.
# Usage: run_neovim_client.sh VARKO_LSP VARKO_CHECK SOURCE_DIR WORK_DIR
set -eu

if ! command -v nvim >/dev/null 2>&1; then
    echo "SKIPPED: nvim is not installed (Debian's neovim package; scripts/deps.sh installs it)"
    exit 77
fi

source_dir=$3
work=$4
rm -rf "$work"
mkdir -p "$work"
cp -R "$source_dir/examples/." "$work/mod"
# Windows-1252 text: an e acute and a euro sign before faulty tokens, then a byte it leaves undefined.
printf 'unitName = Caf\351\r\ntooltip = "\200 5" x\r\n' >"$work/mod/addon/accents.odf"
printf '// \201 unused byte\r\ntooltip = "\351\200" x\r\nmaxHealth = 1\351\r\n' >"$work/mod/addon/undefined.odf"

export VARKO_LSP="$1" VARKO_CHECK="$2" VARKO_MOD="$work/mod" VARKO_APPDIR="$source_dir/data"
export VARKO_SNIPPET="$source_dir/editors/neovim/varko.lua" VARKO_TEST_DIR="$source_dir/tests/editors"
export VARKO_RESULT="$work/result.txt"

# The mod is the current directory, as when a user starts Neovim in it.
cd "$work/mod"
status=0
timeout 120 nvim --headless -u NONE -i NONE -n -c "luafile $VARKO_TEST_DIR/neovim_client.lua" \
    </dev/null >"$work/nvim.log" 2>&1 || status=$?

if [ -f "$VARKO_RESULT" ]; then cat "$VARKO_RESULT"; else echo "Neovim wrote no result"; fi
if [ "$status" -ne 0 ]; then
    echo "nvim exited with status $status (124: it ran out of time)"
    cat "$work/nvim.log"
    exit 1
fi
grep -qx PASSED "$VARKO_RESULT"
