#include "varko/maintree/search/match_status.h"

#include <algorithm>

namespace varko::maintree {

QString MatchStatusText(const std::vector<TextSpan>& matches, TextSpan selection) {
    if (matches.empty())
        return QStringLiteral("No matches");
    const QString total = QString::number(matches.size());
    auto it = std::lower_bound(matches.begin(), matches.end(), selection.start,
                               [](const TextSpan& match, int start) { return match.start < start; });
    // Empty matches may share a start with the longer match that follows them.
    for (; it != matches.end() && it->start == selection.start; ++it) {
        if (*it == selection)
            return QStringLiteral("%1 of %2 matches").arg(it - matches.begin() + 1).arg(total);
    }
    return total + QStringLiteral(" matches");
}

} // namespace varko::maintree
