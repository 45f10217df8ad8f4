#pragma once

#include <string>

namespace varko::cli {

// Well-formed UTF-8 by the Unicode table: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(const std::string& bytes);

// Bytes that are not valid UTF-8 are read as Latin-1, so nothing is dropped from a report.
std::string ToUtf8(const std::string& bytes);

} // namespace varko::cli
