#include "varko/maintree/search/expand_replacement.h"

#include <optional>

namespace varko::maintree {

namespace {

// What a backslash and the character after it stand for; nothing when they stay as typed.
std::optional<QString> Escaped(QChar code, const QRegularExpressionMatch& match) {
    if (code >= QLatin1Char('0') && code <= QLatin1Char('9'))
        return match.captured(code.unicode() - '0');
    if (code == QLatin1Char('n'))
        return QStringLiteral("\n");
    if (code == QLatin1Char('t'))
        return QStringLiteral("\t");
    if (code == QLatin1Char('\\'))
        return QStringLiteral("\\");
    return std::nullopt;
}

} // namespace

QString ExpandReplacement(const QString& replacement, const QRegularExpressionMatch& match) {
    QString expanded;
    expanded.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar character = replacement.at(i);
        const std::optional<QString> meaning = character == QLatin1Char('\\') && i + 1 < replacement.size()
                                                   ? Escaped(replacement.at(i + 1), match)
                                                   : std::nullopt;
        if (meaning) {
            expanded += *meaning;
            ++i;
        } else {
            expanded += character;
        }
    }
    return expanded;
}

} // namespace varko::maintree
