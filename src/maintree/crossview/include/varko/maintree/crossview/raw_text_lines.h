#pragma once

#include "varko/textrules/text_rules.h"

#include <QString>

namespace varko::maintree {

// The lines of an editor document's raw text (QTextDocument::toRawText, each line ended by U+2029)
// as the file's bytes, cut as the core cuts a document: each character one byte, "?" for a
// character that has no byte of its own, no last line when it is empty. Cheap enough for a worker;
// the GUI thread only copies the text.
textrules::LineList RawTextLines(const QString& rawText);

} // namespace varko::maintree
