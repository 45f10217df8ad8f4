#include "varko/textrules/text_rules.h"

namespace varko::textrules {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> ParseDecimal(std::string_view digits, bool negative) {
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || value > 214748364)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL || value < -2147483648LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// Built in 32 bits: a value with the top bit set reads as negative.
std::optional<std::int32_t> ParseHex(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0 || value > 0x0FFFFFFFu)
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

std::optional<std::int32_t> ParseInt(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    if (start == text.size())
        return std::nullopt;
    std::string_view rest = text.substr(start);
    char first = rest[0];
    if (first == '-' || first == '+')
        return ParseDecimal(rest.substr(1), first == '-');
    if (first == '$' || first == 'x' || first == 'X')
        return ParseHex(rest.substr(1));
    if (rest.size() >= 2 && first == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return ParseHex(rest.substr(2));
    return ParseDecimal(rest, false);
}

} // namespace varko::textrules
