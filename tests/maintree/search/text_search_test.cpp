#include "search_fixture.h"
#include "varko/maintree/search/expand_replacement.h"
#include "varko/maintree/search/match_status.h"
#include "varko/maintree/search/text_search.h"

#include <vector>

namespace varko::maintree {
namespace {

constexpr SearchOptions kPlain{};
constexpr SearchOptions kCase{true, false, false};
constexpr SearchOptions kWords{false, true, false};
constexpr SearchOptions kRegex{false, false, true};
constexpr SearchOptions kRegexCase{true, false, true};
constexpr SearchOptions kRegexWords{false, true, true};

struct MatchCase {
    const char* name;
    const char* text;
    const char* pattern;
    SearchOptions options;
    std::vector<TextSpan> matches;
};

const MatchCase kMatchCases[] = {
    {"plain text ignores case", "Unit unit UNIT", "unit", kPlain, {{0, 4}, {5, 4}, {10, 4}}},
    {"match case", "Unit unit UNIT", "unit", kCase, {{5, 4}}},
    {"whole words skip parts of words", "unit units subunit unit_x unit.", "unit", kWords, {{0, 4}, {26, 4}}},
    {"digits belong to words", "a1 a 1a a", "a", kWords, {{3, 1}, {8, 1}}},
    {"accented letters belong to words", "a\u00e9 \u00e9", "\u00e9", kWords, {{3, 1}}},
    {"accented letters fold case", "\u00c9t\u00e9 \u00e9t\u00e9", "\u00e9t\u00e9", kPlain, {{0, 3}, {4, 3}}},
    {"plain text is taken literally", "a.b axb (a.b)", "a.b", kPlain, {{0, 3}, {9, 3}}},
    {"regular expression", "a.b axb", "a.b", kRegex, {{0, 3}, {4, 3}}},
    {"regular expression ignoring case", "Ab ab", "a[b]", kRegex, {{0, 2}, {3, 2}}},
    {"regular expression matching case", "Ab ab", "a[b]", kRegexCase, {{3, 2}}},
    {"whole words try every alternative",
     "cat catalog cat",
     "cat|catalog",
     kRegexWords,
     {{0, 3}, {4, 7}, {12, 3}}},
    {"^ and $ hold for each line", "ab\nab\nxab", "^ab$", kRegex, {{0, 2}, {3, 2}}},
    {"a dot does not cross a line break", "a\nb", "a.b", kRegex, {}},
    {"empty matches at line starts", "ab\ncd", "^", kRegex, {{0, 0}, {3, 0}}},
    {"no line start after a last line break", "ab\n", "^", kRegex, {{0, 0}}},
    {"runs and the empty places between them", "xxa", "x*", kRegex, {{0, 2}, {2, 0}, {3, 0}}},
    {"an open \\Q does not swallow the word test", "a+b a+bc", "\\Qa+b", kRegexWords, {{0, 3}}},
};

TEST(TextSearch, OptionsDecideWhatMatches) {
    for (const MatchCase& row : kMatchCases) {
        SCOPED_TRACE(row.name);
        const TextSearch search(QString::fromUtf8(row.pattern), row.options);
        ASSERT_TRUE(search.IsUsable()) << search.ErrorText().toStdString();
        EXPECT_EQ(AllMatches(search, QString::fromUtf8(row.text)), row.matches);
    }
}

struct StepCase {
    const char* name;
    const char* text;
    bool forward;
    TextSpan from;
    TextSpan found;
};

// Each row looks for "one".
const StepCase kStepCases[] = {
    {"next from the caret takes a match at the caret", "one two one two one", true, {0, 0}, {0, 3}},
    {"next from a match", "one two one two one", true, {0, 3}, {8, 3}},
    {"next from inside a match", "one two one two one", true, {1, 0}, {8, 3}},
    {"next wraps to the start", "one two one two one", true, {16, 3}, {0, 3}},
    {"previous from a match", "one two one two one", false, {8, 3}, {0, 3}},
    {"previous wraps to the end", "one two one two one", false, {0, 3}, {16, 3}},
    {"previous from the end", "one two one two one", false, {19, 0}, {16, 3}},
    {"a lone match is found again", "two one two", true, {4, 3}, {4, 3}},
    {"a lone match is found again backwards", "two one two", false, {4, 3}, {4, 3}},
    {"no match at all", "two three", true, {4, 3}, {}},
};

TEST(TextSearch, NextAndPreviousWrapRound) {
    const TextSearch search(QStringLiteral("one"), kPlain);
    for (const StepCase& row : kStepCases) {
        SCOPED_TRACE(row.name);
        const QString text = QString::fromLatin1(row.text);
        EXPECT_EQ(row.forward ? search.Next(text, row.from) : search.Previous(text, row.from), row.found);
    }
}

// Empty matches must still move the search on, or Find Next would stay where it is for ever.
TEST(TextSearch, EmptyMatchesAreVisitedInTurn) {
    const QString text = QStringLiteral("ab\ncd\nef");
    const TextSearch search(QStringLiteral("^"), kRegex);
    std::vector<int> forward;
    std::vector<int> backward;
    TextSpan next{0, 0};
    TextSpan previous{0, 0};
    for (int step = 0; step < 4; ++step) {
        next = search.Next(text, next);
        previous = search.Previous(text, previous);
        forward.push_back(next.start);
        backward.push_back(previous.start);
    }
    EXPECT_EQ(forward, (std::vector<int>{3, 6, 0, 3}));
    EXPECT_EQ(backward, (std::vector<int>{6, 3, 0, 6}));
}

// Searching backwards looks at a growing stretch before the start point; a match cut by the edge
// of the first stretch, and one far back, must still be found.
TEST(TextSearch, PreviousFindsMatchesFarBack) {
    const QString cut =
        QString(20000, QLatin1Char('x')) + QStringLiteral("needle") + QString(4093, QLatin1Char('x'));
    const QString far = QStringLiteral("needle") + QString(100000, QLatin1Char('x'));
    const TextSearch search(QStringLiteral("needle"), kPlain);
    EXPECT_EQ(search.Previous(cut, {int(cut.size()), 0}), (TextSpan{20000, 6}));
    EXPECT_EQ(search.Previous(far, {int(far.size()), 0}), (TextSpan{0, 6}));
}

TEST(TextSearch, BadRegularExpressionIsReportedNotSearched) {
    const char* const patterns[] = {"(", "a)(", "[a", "*a", "a{2,1}", "\\"};
    for (const char* pattern : patterns) {
        for (const bool wholeWords : {false, true}) {
            SCOPED_TRACE(std::string(pattern) + (wholeWords ? " whole words" : ""));
            const TextSearch search(QString::fromLatin1(pattern), {false, wholeWords, true});
            EXPECT_FALSE(search.IsUsable());
            EXPECT_EQ(search.ErrorText(), QStringLiteral("Invalid regular expression: ") +
                                              QRegularExpression(QString::fromLatin1(pattern)).errorString());
            EXPECT_FALSE(search.Next(QStringLiteral("a)( [a *a \\"), {0, 0}).Found());
            // As plain text the same characters are simply looked for.
            EXPECT_TRUE(TextSearch(QString::fromLatin1(pattern), kPlain).IsUsable());
        }
    }
}

TEST(TextSearch, EmptyPatternFindsNothing) {
    const TextSearch search(QString(), kRegex);
    EXPECT_TRUE(search.IsEmpty());
    EXPECT_FALSE(search.IsUsable());
    EXPECT_TRUE(search.ErrorText().isEmpty());
    EXPECT_FALSE(search.FirstFrom(QStringLiteral("abc"), 0).Found());
    EXPECT_TRUE(AllMatches(search, QStringLiteral("abc")).empty());
}

struct ReplacementCase {
    const char* name;
    const char* pattern;
    const char* subject;
    const char* replacement;
    const char* expanded;
};

const ReplacementCase kReplacementCases[] = {
    {"captures in any order", "(\\w)=(\\d)", "a=1", "\\2=\\1", "1=a"},
    {"the whole match", "(\\w)=(\\d)", "a=1", "[\\0]", "[a=1]"},
    {"a group that took no part is empty", "(a)|(b)", "b", "<\\1|\\2>", "<|b>"},
    {"a group that does not exist is empty", "(a)", "a", "x\\9y", "xy"},
    {"line break and tab", "a", "a", "1\\n2\\t3", "1\n2\t3"},
    {"a doubled backslash is one backslash", "(a)", "a", "\\\\1", "\\1"},
    {"other escapes stay as typed", "a", "a", "\\q\\", "\\q\\"},
};

TEST(TextSearch, RegularExpressionReplacementsUseCaptures) {
    for (const ReplacementCase& row : kReplacementCases) {
        SCOPED_TRACE(row.name);
        const TextSearch search(QString::fromLatin1(row.pattern), kRegex);
        const QRegularExpressionMatch match = search.MatchFrom(QString::fromLatin1(row.subject), 0);
        ASSERT_TRUE(match.hasMatch());
        EXPECT_EQ(search.ReplacementFor(match, QString::fromLatin1(row.replacement)),
                  QString::fromLatin1(row.expanded));
        // Without regular expressions the replacement is taken as typed.
        const TextSearch plain(QString::fromLatin1(row.subject), kPlain);
        EXPECT_EQ(plain.ReplacementFor(plain.MatchFrom(QString::fromLatin1(row.subject), 0),
                                       QString::fromLatin1(row.replacement)),
                  QString::fromLatin1(row.replacement));
    }
}

struct StatusCase {
    const char* name;
    std::vector<TextSpan> matches;
    TextSpan selection;
    const char* status;
};

const StatusCase kStatusCases[] = {
    {"first of three", {{0, 3}, {8, 3}, {16, 3}}, {0, 3}, "1 of 3 matches"},
    {"second of three", {{0, 3}, {8, 3}, {16, 3}}, {8, 3}, "2 of 3 matches"},
    {"last of three", {{0, 3}, {8, 3}, {16, 3}}, {16, 3}, "3 of 3 matches"},
    {"the caret between matches", {{0, 3}, {8, 3}, {16, 3}}, {5, 0}, "3 matches"},
    {"part of a match", {{0, 3}, {8, 3}, {16, 3}}, {8, 2}, "3 matches"},
    {"an empty match before a longer one", {{4, 0}, {4, 2}}, {4, 2}, "2 of 2 matches"},
    {"only one", {{2, 1}}, {2, 1}, "1 of 1 matches"},
    {"none", {}, {0, 0}, "No matches"},
};

TEST(MatchStatus, NamesTheSelectedMatchAndTheTotal) {
    for (const StatusCase& row : kStatusCases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MatchStatusText(row.matches, row.selection), QString::fromLatin1(row.status));
    }
}

} // namespace
} // namespace varko::maintree
