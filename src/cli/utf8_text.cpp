#include "varko/cli/utf8_text.h"

namespace varko::cli {

namespace {

unsigned char At(std::string_view text, std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

} // namespace

std::size_t Utf8SequenceAt(std::string_view text, std::size_t at, char32_t& codePoint) {
    const unsigned char c = At(text, at);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c < 0x80) {
        codePoint = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;
        high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || At(text, at + 1) < low || At(text, at + 1) > high)
        return 0;
    codePoint = c & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if (k > 1 && (At(text, at + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (At(text, at + k) & 0x3F);
    }
    return length;
}

bool IsValidUtf8(const std::string& bytes) {
    char32_t ignored = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, i, ignored);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string ToUtf8(const std::string& bytes) {
    if (IsValidUtf8(bytes))
        return bytes;
    std::string text;
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (u >> 6)));
            text.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return text;
}

} // namespace varko::cli
