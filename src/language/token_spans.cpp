#include "varko/language/token_spans.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>

namespace varko::language {

namespace {

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

// One past the closing quote of the quoted token at `pos`; two quotes together stand for one.
std::size_t QuotedEnd(std::string_view text, std::size_t pos, std::size_t& innerEnd) {
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (text[i] != '"')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '"') {
            ++i;
            continue;
        }
        innerEnd = i;
        return i + 1;
    }
    // Unclosed: the scanner drops the text's final character.
    innerEnd = text.size() > pos + 1 ? text.size() - 1 : pos + 1;
    return text.size();
}

TokenSpan ReadToken(std::string_view text, std::size_t pos) {
    TokenSpan span;
    span.start = pos;
    if (text[pos] == '"') {
        span.innerStart = pos + 1;
        span.end = QuotedEnd(text, pos, span.innerEnd);
    } else {
        std::size_t end = pos;
        while (end < text.size() && !IsBlank(text[end]) && text[end] != ',')
            ++end;
        span.innerStart = pos;
        span.end = span.innerEnd = end;
    }
    textrules::LineList one;
    textrules::SplitTokens(one, text.substr(span.start, span.end - span.start), 1);
    span.text = one.empty() ? std::string() : one.front();
    return span;
}

} // namespace

std::vector<TokenSpan> TokenSpans(std::string_view text, std::size_t offset, std::size_t most) {
    text = text.substr(0, text.find('\0'));
    std::vector<TokenSpan> spans;
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size() && spans.size() < most) {
        TokenSpan span = ReadToken(text, pos);
        pos = span.end;
        for (std::size_t* at : {&span.start, &span.end, &span.innerStart, &span.innerEnd})
            *at += offset;
        spans.push_back(std::move(span));
        skipBlanks();
        if (pos < text.size() && text[pos] == ',') {
            ++pos;
            skipBlanks();
        }
    }
    return spans;
}

FindingSpan FindingSpanAt(std::string_view line, int column) {
    if (column <= 1 || static_cast<std::size_t>(column - 1) >= line.size())
        return {0, line.size()};
    const auto start = static_cast<std::size_t>(column - 1);
    // A NUL ends the text for the checkers, so no token reaches past it.
    const std::string_view text = line.substr(0, line.find('\0'));
    const std::vector<TokenSpan> token =
        start < text.size() ? TokenSpans(text.substr(start), start, 1) : std::vector<TokenSpan>();
    if (token.empty())
        return {start, line.size()};
    return {start, std::max(token.front().end, start + 1)};
}

} // namespace varko::language
