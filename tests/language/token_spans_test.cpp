#include "varko/language/token_spans.h"

#include <gtest/gtest.h>

namespace varko::language {
namespace {

struct SpanRow {
    const char* name;
    std::string_view text;
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t, std::size_t, std::string>> spans;
};

const SpanRow kSpans[] = {
    {"BlanksAndCommas", "a, b  c", {{0, 1, 0, 1, "a"}, {3, 4, 3, 4, "b"}, {6, 7, 6, 7, "c"}}},
    {"QuotedWithADoubledQuote", "\"x \"\"y\"\" z\" w", {{0, 11, 1, 10, "x \"y\" z"}, {12, 13, 12, 13, "w"}}},
    {"UnclosedQuoteDropsTheLastByte", "\"abc", {{0, 4, 1, 3, "ab"}}},
    {"NulEndsTheText", std::string_view("a\0b", 3), {{0, 1, 0, 1, "a"}}},
    {"OnlyBlanks", " \t ", {}},
};

TEST(TokenSpans, PlaceEachTokenAsTheTextRulesCutIt) {
    for (const SpanRow& row : kSpans) {
        SCOPED_TRACE(row.name);
        std::vector<std::tuple<std::size_t, std::size_t, std::size_t, std::size_t, std::string>> spans;
        for (const TokenSpan& span : TokenSpans(row.text))
            spans.emplace_back(span.start, span.end, span.innerStart, span.innerEnd, span.text);
        EXPECT_EQ(spans, row.spans);
    }
    const std::vector<TokenSpan> offset = TokenSpans("b c", 10, 1);
    ASSERT_EQ(offset.size(), 1u);
    EXPECT_EQ(offset.front().start, 10u);
}

struct FindingRow {
    const char* name;
    std::string_view line;
    int column;
    FindingSpan span;
};

// The editor's fault-stretch table covers the rest through its wrapper.
const FindingRow kFindings[] = {
    {"TokenInTheMiddle", "abc = missing.odf 2", 7, {6, 17}},
    {"PastTheTextIsTheWholeLine", "abc = missing.odf 2", 40, {0, 19}},
    {"AfterANul", std::string_view("ab\0cd e", 7), 5, {4, 7}},
};

TEST(FindingSpanAt, IsTheTokenAtTheColumn) {
    for (const FindingRow& row : kFindings)
        EXPECT_EQ(FindingSpanAt(row.line, row.column), row.span) << row.name;
}

} // namespace
} // namespace varko::language
