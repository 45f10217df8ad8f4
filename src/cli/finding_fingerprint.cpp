#include "varko/cli/finding_fingerprint.h"

#include <cstdint>
#include <map>
#include <tuple>

namespace varko::cli {

namespace {

// FNV-1a: stable across builds and platforms, which std::hash is not.
class Fnv1a {
public:
    void Add(std::string_view bytes) {
        for (char c : bytes) {
            m_hash ^= static_cast<unsigned char>(c);
            m_hash *= 0x100000001b3ULL;
        }
        // A separator, so that ("ab", "c") and ("a", "bc") differ.
        m_hash ^= 0xFF;
        m_hash *= 0x100000001b3ULL;
    }
    std::string Hex() const {
        static constexpr char kHex[] = "0123456789abcdef";
        std::string text(16, '0');
        for (int i = 0; i < 16; ++i)
            text[static_cast<std::size_t>(i)] = kHex[(m_hash >> (60 - 4 * i)) & 0xF];
        return text;
    }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

} // namespace

std::vector<std::string> FindingFingerprints(const FindingRecords& records) {
    using Key = std::tuple<std::string_view, std::string_view, std::string_view>;
    std::map<Key, int> seen;
    std::vector<std::string> fingerprints;
    fingerprints.reserve(records.size());
    for (const FindingRecord& record : records) {
        const int occurrence = seen[Key{record.path, record.finding.code, record.lineText}]++;
        Fnv1a hash;
        hash.Add(record.path);
        hash.Add(record.finding.code);
        hash.Add(record.lineText);
        hash.Add(std::to_string(occurrence));
        fingerprints.push_back(hash.Hex());
    }
    return fingerprints;
}

} // namespace varko::cli
