#pragma once

#include "varko/maintree/editing/line_scanner.h"
#include "varko/maintree/editing/text_formats.h"

#include <QString>
#include <QTextBlock>

#include <vector>

namespace varko::maintree::testing {

// A line's styles drawn as one letter per character, so a table row shows them under the text:
//   "maxHealth = 4500 // hp"
//   "PPPPPPPPP   NNNN CCCCC"
// S section, P property, N number, Q quoted text, C comment, I include, F file name,
// O tech-tree object, blank unstyled, ? a format that is none of the styles.
char LetterOf(TextStyle style);
QString StyleMarks(const std::vector<StyledSpan>& spans, qsizetype length);
// The same drawn from the formats the highlighter left on a block.
QString FormatMarks(const QTextBlock& block, const TextFormats& formats);

} // namespace varko::maintree::testing
