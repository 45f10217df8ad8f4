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

} // namespace varko::language
