#include "varko/cli/baseline_match.h"

#include <string_view>
#include <tuple>
#include <unordered_map>

namespace varko::cli {

namespace {

using Key = std::tuple<std::string_view, std::string_view, std::string_view>;

struct KeyHash {
    std::size_t operator()(const Key& key) const {
        const std::hash<std::string_view> hash;
        std::size_t value = hash(std::get<0>(key));
        value = value * 31 + hash(std::get<1>(key));
        return value * 31 + hash(std::get<2>(key));
    }
};

} // namespace

BaselineMatch MatchBaseline(FindingRecords records, const std::vector<BaselineEntry>& entries) {
    std::unordered_map<Key, std::size_t, KeyHash> remaining;
    remaining.reserve(entries.size());
    for (const BaselineEntry& entry : entries)
        ++remaining[Key{entry.path, entry.code, entry.lineText}];

    BaselineMatch match;
    match.unmatchedEntries = entries.size();
    for (FindingRecord& record : records) {
        auto it = remaining.find(Key{record.path, record.finding.code, record.lineText});
        if (it != remaining.end() && it->second > 0) {
            --it->second;
            --match.unmatchedEntries;
        } else {
            match.fresh.push_back(std::move(record));
        }
    }
    return match;
}

} // namespace varko::cli
