#pragma once

#include <string>
#include <string_view>

namespace varko::cli {

// The length in bytes of the valid UTF-8 sequence at `at` (0 when it is not one), and its code point.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at, char32_t& codePoint);

// Well-formed UTF-8 by the Unicode table: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(const std::string& bytes);

// Bytes that are not valid UTF-8 are read as Latin-1, so nothing is dropped from a report.
std::string ToUtf8(const std::string& bytes);

} // namespace varko::cli
