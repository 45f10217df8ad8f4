#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace varko::textrules {

namespace detail {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// Folds the bytes 'A' to 'Z' of eight bytes at once to 'a' to 'z'; every other byte stays.
constexpr std::uint64_t FoldWord(std::uint64_t word) noexcept {
    const std::uint64_t low7 = word & (0x7F * kEveryByte);
    const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kEveryByte;
    const std::uint64_t pastZ = low7 + (0x80 - 'Z' - 1) * kEveryByte;
    const std::uint64_t upper = atLeastA & ~pastZ & ~word & (0x80 * kEveryByte);
    return word | (upper >> 2);
}

// Eight bytes as one word.
inline std::uint64_t LoadWord(const char* bytes) noexcept {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// Fewer than eight bytes, the missing ones zero; a fixed-size copy would read past the text.
inline std::uint64_t LoadTail(const char* bytes, std::size_t count) noexcept {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < count; ++i)
        word |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return word;
}

// Equality ignoring the case of A to Z, eight bytes at a time; inline for the hash tables.
inline bool EqualFolded(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size())
        return false;
    std::size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        if (FoldWord(LoadWord(a.data() + i)) != FoldWord(LoadWord(b.data() + i)))
            return false;
    }
    const std::size_t rest = a.size() - i;
    return rest == 0 || FoldWord(LoadTail(a.data() + i, rest)) == FoldWord(LoadTail(b.data() + i, rest));
}

} // namespace detail

// Hash and equality that ignore the case of A to Z, usable for lookups by string_view
// without building a folded copy of the key. Both work on eight bytes at a time.
struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        std::uint64_t hash = 14695981039346656037ull ^ text.size();
        auto mix = [&hash](std::uint64_t word) {
            hash = (hash ^ detail::FoldWord(word)) * 0x9E3779B97F4A7C15ull;
            hash ^= hash >> 32;
        };
        std::size_t i = 0;
        for (; i + 8 <= text.size(); i += 8)
            mix(detail::LoadWord(text.data() + i));
        if (i < text.size())
            mix(detail::LoadTail(text.data() + i, text.size() - i));
        return static_cast<std::size_t>(hash);
    }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

} // namespace varko::textrules
