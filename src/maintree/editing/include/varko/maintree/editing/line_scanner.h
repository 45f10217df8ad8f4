#pragma once

#include "varko/maintree/editing/document_kind.h"

#include <QStringView>

#include <vector>

namespace varko::maintree {

// What a stretch of a line is, for the reader's eye.
enum class TextStyle { Section, Property, Number, String, Comment, Include, FileName, TechObject };

struct StyledSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    TextStyle style = TextStyle::Property;

    bool operator==(const StyledSpan&) const = default;
};

// The styled stretches of one line, in order and without overlap. Values are cut into tokens as
// the checkers cut them (blanks and single commas separate them, a quoted token runs to its
// closing quote), so what looks like one value is one value to the checker too.
std::vector<StyledSpan> ScanLine(QStringView line, DocumentKind kind);

// The stretch [start, end) of a line that a fault at a 1-based column is about: the token that
// begins there, or the whole line when the column is 1 or lies past the text.
struct FaultStretch {
    qsizetype start = 0;
    qsizetype end = 0;
};
FaultStretch FaultStretchAt(QStringView line, int column);

} // namespace varko::maintree
