#pragma once

#include <string>
#include <string_view>

namespace varko::lsp {

// The character a Windows-1252 byte stands for; the five bytes the code page leaves undefined
// stand for the control characters of the same number, as Windows itself maps them.
char32_t Windows1252CodePoint(unsigned char byte);

// Bytes read from disk as text a message may carry: kept when they are valid UTF-8, else read as
// Windows-1252, so the result is always valid UTF-8.
std::string DiskTextAsUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

} // namespace varko::lsp
