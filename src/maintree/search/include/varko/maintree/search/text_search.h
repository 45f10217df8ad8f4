#pragma once

#include "varko/maintree/search/text_span.h"

#include <QRegularExpression>
#include <QString>

#include <vector>

namespace varko::maintree {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWords = false;
    bool regularExpression = false;

    friend bool operator==(const SearchOptions&, const SearchOptions&) = default;
};

// One compiled search over a text whose lines are separated by '\n'. Every kind of search is a
// regular expression underneath (plain text is escaped), so the options combine the same way for
// all of them. "^" and "$" match at every line's start and end; "." never crosses a line break.
// An empty pattern is a search that finds nothing; so is one that does not compile.
class TextSearch {
public:
    TextSearch() = default;
    TextSearch(const QString& pattern, SearchOptions options);

    const QString& Pattern() const { return m_pattern; }
    const SearchOptions& Options() const { return m_options; }
    bool IsEmpty() const { return m_pattern.isEmpty(); }
    // Non-empty and compiled.
    bool IsUsable() const { return !IsEmpty() && m_error.isEmpty(); }
    // "Invalid regular expression: ..." for a pattern that does not compile, else empty.
    const QString& ErrorText() const { return m_error; }

    // The first match that starts at `from` or later.
    QRegularExpressionMatch MatchFrom(const QString& text, int from) const;
    TextSpan FindFrom(const QString& text, int from) const;
    // The last match that starts before `before`.
    TextSpan FindBefore(const QString& text, int before) const;
    // The match that starts at span.start when it covers exactly the span; no match otherwise.
    QRegularExpressionMatch MatchExactly(const QString& text, TextSpan span) const;

    // The match after the current one (or after the caret, an empty span); at the end of the text
    // the search goes on from the start. An empty match at the caret itself is stepped over, so
    // repeating the search always moves on.
    TextSpan Next(const QString& text, TextSpan current) const;
    // The match before the current one, going on from the end of the text.
    TextSpan Previous(const QString& text, TextSpan current) const;
    // The first match from `origin` on, wrapping: what typing in the find field selects.
    TextSpan FirstFrom(const QString& text, int origin) const;

    // Calls visit(match) for each match from the start in order until it returns false; false
    // when it was stopped. After an empty match the next one starts at least one character on.
    template <typename Visit> bool ForEachMatch(const QString& text, Visit&& visit) const {
        if (!IsUsable())
            return true;
        QRegularExpressionMatchIterator matches = m_regex.globalMatch(text);
        while (matches.hasNext()) {
            if (!visit(matches.next()))
                return false;
        }
        return true;
    }

    // The text that replaces a match: the replacement as typed, or with a regular expression its
    // \0 to \9 replaced by the captures, \n and \t by a line break and a tab, \\ by one backslash.
    QString ReplacementFor(const QRegularExpressionMatch& match, const QString& replacement) const;

private:
    QString m_pattern;
    SearchOptions m_options;
    QRegularExpression m_regex;
    QString m_error;
};

TextSpan SpanOf(const QRegularExpressionMatch& match);

// All matches of the search from the start, in order.
std::vector<TextSpan> AllMatches(const TextSearch& search, const QString& text);

} // namespace varko::maintree
