#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "varko/textrules/text_rules.h"

namespace varko::maintree {

// A file's bytes as the editor's text: each byte one character (bytes 0 to 255 map to the
// characters of the same code), and each CR LF, lone LF and lone CR one "\n".
QString DecodeText(const QByteArray& bytes);

// The editor's lines as file bytes, separated by CR LF. A character that has no byte of its own
// is written as "?".
QByteArray EncodeLines(const QStringList& lines);

// The lines of a document's raw text (QTextDocument::toRawText, each line ended by U+2029) as the
// file's bytes, as the editor counts them: no last line when it is empty, "?" for a character that
// has no byte of its own, and each line cut at maxLength characters when a limit is given. One copy
// of the raw text is cheap to take on the GUI thread; a worker cuts it up.
textrules::LineList RawTextLines(const QString& rawText, qsizetype maxLength = -1);

} // namespace varko::maintree
