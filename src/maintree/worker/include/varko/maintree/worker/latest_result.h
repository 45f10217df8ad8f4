#pragma once

#include <optional>
#include <utility>

namespace varko::maintree {

// A Worker's Update for jobs that hand over one finished value: a later post replaces an earlier
// one the GUI thread has not taken yet.
template <typename Value> struct LatestResult {
    std::optional<Value> value;

    void append(LatestResult&& later) {
        if (later.value)
            value = std::move(later.value);
    }
};

} // namespace varko::maintree
