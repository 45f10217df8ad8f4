#include "varko/maintree/search/text_search.h"

#include "varko/maintree/search/expand_replacement.h"

#include <algorithm>

namespace varko::maintree {

namespace {

// A word is made of letters, digits and underscores, whatever the script.
const QString kWordCharacter = QStringLiteral("[\\p{L}\\p{N}_]");
// Searching backwards looks at this many characters before the start point first, then at four
// times as many each round, so a nearby match costs little even in a long document.
constexpr qsizetype kFirstBackwardWindow = 4096;

QString WholeWordsOnly(const QString& body) {
    // \E closes a \Q the pattern may leave open, which would otherwise quote away the group's end.
    return QStringLiteral("(?<!") + kWordCharacter + QStringLiteral(")(?:") + body +
           QStringLiteral("\\E)(?!") + kWordCharacter + QLatin1Char(')');
}

QString InvalidPattern(const QRegularExpression& regex) {
    return QStringLiteral("Invalid regular expression: ") + regex.errorString();
}

} // namespace

TextSpan SpanOf(const QRegularExpressionMatch& match) {
    if (!match.hasMatch())
        return {};
    return {int(match.capturedStart()), int(match.capturedLength())};
}

TextSearch::TextSearch(const QString& pattern, SearchOptions options)
    : m_pattern(pattern), m_options(options) {
    if (pattern.isEmpty())
        return;
    const QString body = options.regularExpression ? pattern : QRegularExpression::escape(pattern);
    QRegularExpression::PatternOptions flags = QRegularExpression::MultilineOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    // The pattern is checked on its own first: the whole-words group around it could balance a
    // stray parenthesis and hide the user's mistake.
    m_regex = QRegularExpression(body, flags);
    if (m_regex.isValid() && options.wholeWords)
        m_regex = QRegularExpression(WholeWordsOnly(body), flags);
    if (!m_regex.isValid())
        m_error = InvalidPattern(m_regex);
}

QRegularExpressionMatch TextSearch::MatchFrom(const QString& text, int from) const {
    if (!IsUsable() || from < 0 || from > text.size())
        return {};
    return m_regex.match(text, from);
}

TextSpan TextSearch::FindFrom(const QString& text, int from) const {
    return SpanOf(MatchFrom(text, from));
}

TextSpan TextSearch::FindBefore(const QString& text, int before) const {
    if (!IsUsable() || before <= 0)
        return {};
    before = int(std::min<qsizetype>(before, text.size() + 1));
    for (qsizetype window = kFirstBackwardWindow;; window *= 4) {
        const int from = int(std::max<qsizetype>(0, before - window));
        TextSpan last;
        QRegularExpressionMatchIterator matches = m_regex.globalMatch(text, from);
        while (matches.hasNext()) {
            const TextSpan span = SpanOf(matches.next());
            if (span.start >= before)
                break;
            last = span;
        }
        if (last.Found() || from == 0)
            return last;
    }
}

QRegularExpressionMatch TextSearch::MatchExactly(const QString& text, TextSpan span) const {
    if (!IsUsable() || !span.Found() || span.start > text.size())
        return {};
    QRegularExpressionMatch match = m_regex.match(text, span.start, QRegularExpression::NormalMatch,
                                                  QRegularExpression::AnchorAtOffsetMatchOption);
    return SpanOf(match) == span ? match : QRegularExpressionMatch();
}

TextSpan TextSearch::Next(const QString& text, TextSpan current) const {
    TextSpan found = FindFrom(text, current.End());
    if (current.length == 0 && found == current)
        found = FindFrom(text, current.End() + 1);
    return found.Found() ? found : FindFrom(text, 0);
}

TextSpan TextSearch::Previous(const QString& text, TextSpan current) const {
    const TextSpan found = FindBefore(text, current.start);
    return found.Found() ? found : FindBefore(text, int(text.size()) + 1);
}

TextSpan TextSearch::FirstFrom(const QString& text, int origin) const {
    const TextSpan found = FindFrom(text, origin);
    return found.Found() ? found : FindFrom(text, 0);
}

QString TextSearch::ReplacementFor(const QRegularExpressionMatch& match, const QString& replacement) const {
    return m_options.regularExpression ? ExpandReplacement(replacement, match) : replacement;
}

std::vector<TextSpan> AllMatches(const TextSearch& search, const QString& text) {
    std::vector<TextSpan> spans;
    search.ForEachMatch(text, [&spans](const QRegularExpressionMatch& match) {
        spans.push_back(SpanOf(match));
        return true;
    });
    return spans;
}

} // namespace varko::maintree
