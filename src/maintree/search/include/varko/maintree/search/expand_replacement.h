#pragma once

#include <QRegularExpressionMatch>
#include <QString>

namespace varko::maintree {

// The replacement text for one regular-expression match: \0 is the whole match, \1 to \9 its
// captures (empty when a group did not take part or does not exist), \n a line break, \t a tab
// and \\ one backslash. Any other backslash, and one at the very end, stays as it is.
QString ExpandReplacement(const QString& replacement, const QRegularExpressionMatch& match);

} // namespace varko::maintree
