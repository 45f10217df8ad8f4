#!/bin/sh
# Our MIME types beside the system's, as xdg-mime sees them on a GNOME desktop (through GIO, whose
# rules Qt's QMimeDatabase shares): a text .odf is ours (a kind of text/plain), a zipped OpenDocument
# formula also named .odf stays the formula type, and .tt is ours. Both .odf types match by name at
# the same weight, so the contents decide: the formula's magic, or plain text, which ours inherits.
# (xdg-mime's fallback for an unknown desktop, File::MimeInfo, does not apply that last rule.)
# Usage: tests/packaging/check_mime_types.sh <our mime xml> <scratch folder>
set -eu
XML="$1"
DIR="$2"
mkdir -p "$DIR/share/mime/packages" "$DIR/files"
cp "$XML" "$DIR/share/mime/packages/varko.xml"
cp /usr/share/mime/packages/freedesktop.org.xml "$DIR/share/mime/packages/"
update-mime-database "$DIR/share/mime" >/dev/null 2>&1

printf 'unitName = "Scout"\nmaxHealth = 100\n' >"$DIR/files/scout.odf"
printf 'factory.odf 0\nscout.odf 1 factory.odf\n' >"$DIR/files/techtree.tt"
# An OpenDocument file: a zip whose first entry, stored, is "mimetype".
python3 - "$DIR/files/formula.odf" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as odf:
    odf.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.formula")
    odf.writestr("content.xml", "<office:document-content/>", zipfile.ZIP_DEFLATED)
PY

status=0
for row in "scout.odf text/x-varko-odf" "techtree.tt text/x-varko-tt" \
    "formula.odf application/vnd.oasis.opendocument.formula"; do
    file="${row%% *}"
    want="${row#* }"
    got="$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME="$DIR/share" XDG_DATA_DIRS="$DIR/share" xdg-mime query filetype "$DIR/files/$file")"
    if [ "$got" = "$want" ]; then
        echo "ok: $file is $got"
    else
        echo "check_mime_types: $file is $got, expected $want" >&2
        status=1
    fi
done
exit $status
