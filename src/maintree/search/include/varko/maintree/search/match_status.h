#pragma once

#include "varko/maintree/search/text_span.h"

#include <QString>

#include <vector>

namespace varko::maintree {

// The line beside the find field: "N of M matches" when the selection is the N-th match (counting
// from 1), "M matches" when the selection is none of them (the user moved the caret), "No matches"
// when there are none. The matches are in text order.
QString MatchStatusText(const std::vector<TextSpan>& matches, TextSpan selection);

} // namespace varko::maintree
