#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace varko::maintree {

// A file's bytes as the editor's text: each byte one character (bytes 0 to 255 map to the
// characters of the same code), and each CR LF, lone LF and lone CR one "\n".
QString DecodeText(const QByteArray& bytes);

// The editor's lines as file bytes, separated by CR LF. A character that has no byte of its own
// is written as "?".
QByteArray EncodeLines(const QStringList& lines);

} // namespace varko::maintree
