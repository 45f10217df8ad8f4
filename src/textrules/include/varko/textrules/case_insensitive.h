#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varko::textrules {

// Hash and equality that ignore the case of A to Z, usable for lookups by string_view
// without building a folded copy of the key.
struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
        std::size_t hash = 14695981039346656037ull;
        for (char c : text) {
            char folded = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
            hash = (hash ^ static_cast<unsigned char>(folded)) * 1099511628211ull;
        }
        return hash;
    }
};

struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

} // namespace varko::textrules
