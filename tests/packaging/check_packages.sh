#!/bin/sh
# Checks what scripts/package.sh put in dist/ the way a user meets it:
# - each archive unpacked, its varko-check run on the sample mod: the Linux one and the Windows one
#   (under Wine) print exactly the golden report, with the same exit status;
# - the Debian packages pass lintian without errors (the warnings are listed), their desktop entry,
#   AppStream file and manual pages pass their checkers, the MIME types tell our .odf files from a
#   zipped OpenDocument formula;
# - unpacked with dpkg-deb -x, varko-check finds its data in share/varko, and the editor, started
#   headless, reads its data there and writes its settings under a temporary XDG_CONFIG_HOME.
# Usage: tests/packaging/check_packages.sh [dist-dir] [windows-build-dir]
set -eu
cd "$(dirname "$0")/../.."
ROOT="$PWD"
DIST="$(cd "${1:-dist}" && pwd)"
WINDOWS_BUILD="${2:-build-win}"
WORK="$(mktemp -d)"
. scripts/wine_session.sh
trap 'wine_session_stop; rm -rf "$WORK"' EXIT

fail() {
    echo "check_packages: $*" >&2
    exit 1
}

only() { # the one file in dist/ that matches the pattern
    set -- "$DIST"/$1
    [ $# -eq 1 ] && [ -f "$1" ] || fail "expected one file, found: $*"
    echo "$1"
}

# Runs a varko-check (with any launcher before it) on the sample mod from the repository's root;
# the report must be the golden one and the exit status 1.
check_sample() {
    what="$1"
    shift
    status=0
    "$@" --addon examples/addon --sod examples/sod examples >"$WORK/out" 2>"$WORK/err" || status=$?
    [ "$status" -eq 1 ] || fail "$what: exit status $status: $(cat "$WORK/err")"
    cmp "$WORK/out" tests/cli/examples.golden || fail "$what: the report differs from tests/cli/examples.golden"
    [ "$(cat "$WORK/err")" = "39 error(s) found" ] || fail "$what: standard error: $(cat "$WORK/err")"
    echo "ok: $what prints the golden report"
}

# The settings an unpacked program might read stay in the temporary folder.
XDG_CONFIG_HOME="$WORK/config"
XDG_STATE_HOME="$WORK/state"
export XDG_CONFIG_HOME XDG_STATE_HOME

# --- the archives -----------------------------------------------------------------------------
mkdir "$WORK/tgz" "$WORK/zip"
tar -xzf "$(only 'varko-check-*-linux-x64.tar.gz')" -C "$WORK/tgz"
(cd "$WORK/zip" && cmake -E tar xf "$(only 'varko-check-*-windows-x64.zip')")
for listing in tgz zip; do
    (cd "$WORK/$listing" && LC_ALL=C ls -1) >"$WORK/$listing.files"
done
printf '%s\n' LICENSE README.md declarations.txt help.htm ignorefiles.txt proplib.txt varko-check varko-lsp >"$WORK/want"
cmp "$WORK/tgz.files" "$WORK/want" || fail "the Linux archive holds: $(cat "$WORK/tgz.files")"
sed "s/^\(varko-check\|varko-lsp\)\$/\1.exe/" "$WORK/want" | LC_ALL=C sort >"$WORK/want.exe"
cmp "$WORK/zip.files" "$WORK/want.exe" || fail "the Windows archive holds: $(cat "$WORK/zip.files")"
check_sample "the Linux archive's varko-check" "$WORK"/tgz/varko-check
wine_session_start "$WINDOWS_BUILD"
check_sample "the Windows archive's varko-check.exe under Wine" wine "$WORK"/zip/varko-check.exe

# --- the Debian packages ----------------------------------------------------------------------
CHECK_DEB="$(only 'varko-check_*_amd64.deb')"
EDITOR_DEB="$(only 'varko_*_amd64.deb')"
lintian --no-tag-display-limit "$CHECK_DEB" "$EDITOR_DEB" >"$WORK/lintian" 2>&1 || true
grep '^W: ' "$WORK/lintian" | sed 's/^/lintian warning (allowed): /' || true
! grep -q '^E: ' "$WORK/lintian" || fail "lintian errors: $(grep '^E: ' "$WORK/lintian")"
echo "ok: lintian reports no error"

SYSROOT="$WORK/root"
dpkg-deb -x "$CHECK_DEB" "$SYSROOT"
dpkg-deb -x "$EDITOR_DEB" "$SYSROOT"
desktop-file-validate "$SYSROOT"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$SYSROOT"/usr/share/metainfo/*.metainfo.xml >"$WORK/appstream" ||
    fail "appstreamcli: $(cat "$WORK/appstream")"
for page in "$SYSROOT"/usr/share/man/man1/*.1.gz; do
    MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$WORK/man" 2>"$WORK/man.err" || fail "man -l $page"
    [ ! -s "$WORK/man.err" ] || fail "man -l $page: $(cat "$WORK/man.err")"
    grep -q "^NAME" "$WORK/man" || fail "man -l $page: no NAME section"
done
echo "ok: desktop entry, AppStream file and $(ls "$SYSROOT"/usr/share/man/man1 | wc -l) manual pages"

check_sample "the packaged varko-check" "$SYSROOT/usr/bin/varko-check"
tests/packaging/check_mime_types.sh "$SYSROOT/usr/share/mime/packages/varko.xml" "$WORK/mime"
tests/packaging/check_installed_editor.sh "$SYSROOT" "$WORK/editor"
