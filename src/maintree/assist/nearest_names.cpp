#include "varko/assist/nearest_names.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <numeric>

namespace varko::assist {

namespace {

// Levenshtein distance over folded texts, giving up (returning limit + 1) once every path is over.
std::size_t Distance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t lengthGap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (lengthGap > limit)
        return limit + 1;
    std::vector<std::size_t> previous(b.size() + 1);
    std::vector<std::size_t> current(b.size() + 1);
    std::iota(previous.begin(), previous.end(), 0);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        std::size_t rowBest = current[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t substitute = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit)
            return limit + 1;
        std::swap(previous, current);
    }
    return previous[b.size()];
}

} // namespace

std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t max) {
    const std::string folded = textrules::FoldCase(name);
    const std::size_t limit = std::max<std::size_t>(2, folded.size() / 3);
    struct Near {
        std::size_t distance;
        std::string key;
        const std::string* name;
    };
    std::vector<Near> near;
    for (const std::string& candidate : candidates) {
        std::string key = textrules::FoldCase(candidate);
        const std::size_t distance = Distance(folded, key, limit);
        if (distance > 0 && distance <= limit)
            near.push_back({distance, std::move(key), &candidate});
    }
    std::stable_sort(near.begin(), near.end(), [](const Near& a, const Near& b) {
        return a.distance != b.distance ? a.distance < b.distance : a.key < b.key;
    });
    // A name listed in two directories is offered once.
    std::vector<std::string> names;
    for (std::size_t i = 0; i < near.size() && names.size() < max; ++i) {
        if (i == 0 || near[i].key != near[i - 1].key)
            names.push_back(*near[i].name);
    }
    return names;
}

} // namespace varko::assist
