#include "varko/cli/utf8_text.h"

namespace varko::cli {

bool IsValidUtf8(const std::string& bytes) {
    auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = at(i);
        std::size_t length = 1;
        unsigned char low = 0x80, high = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
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
            return false;
        }
        if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high)
            return false;
        for (std::size_t k = 2; k < length; ++k) {
            if ((at(i + k) & 0xC0) != 0x80)
                return false;
        }
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
