#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// Where one token of textrules::SplitTokens sits in its text. The token's own text comes from
// SplitTokens itself, so the quoting rules stay in one place.
struct TokenSpan {
    std::size_t start = 0;      // first byte, an opening quote included
    std::size_t end = 0;        // one past the last byte, a closing quote included
    std::size_t innerStart = 0; // the written name, quotes left out
    std::size_t innerEnd = 0;
    std::string text;
};

// The first `most` tokens of the text, positions counted from `offset` in the whole line.
std::vector<TokenSpan> TokenSpans(std::string_view text, std::size_t offset = 0,
                                  std::size_t most = static_cast<std::size_t>(-1));

// The bytes [start, end) of a line that a finding at a 1-based column is about: the token that
// begins there (from the column to its end), or the whole line when the column is 0 or 1 or lies
// past the text.
struct FindingSpan {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const FindingSpan&) const = default;
};
FindingSpan FindingSpanAt(std::string_view line, int column);

} // namespace varko::language
