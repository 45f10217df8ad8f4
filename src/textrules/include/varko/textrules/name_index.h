#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace varko::textrules {

// Finds names ignoring the case of A to Z, each with the position its owner gave it. The index
// keeps views: the names must stay where they are while it is used, so it cannot be copied (a
// move keeps the names of a moved vector where they are). Open addressing over a compact
// power-of-two table that keeps part of each name's hash, so a lookup touches little memory,
// seldom compares bytes and never allocates.
class NameIndex {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    NameIndex() : NameIndex(0) {}
    // Room for `expected` names before the table grows.
    explicit NameIndex(std::size_t expected);
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;
    NameIndex(NameIndex&&) noexcept = default;
    NameIndex& operator=(NameIndex&&) noexcept = default;

    // The position of the first name added that equals `name`, or npos.
    std::size_t Find(std::string_view name) const;
    // Adds the name unless an equal one is there (the first one added wins); true when added.
    bool Insert(std::string_view name, std::size_t position);
    std::size_t size() const { return m_count; }

private:
    struct Slot {
        std::uint32_t hash = 0;  // the high half of the name's hash
        std::uint32_t entry = 0; // 1 + the entry's index; 0: empty
    };
    struct Entry {
        std::string_view name;
        std::size_t position;
    };

    std::size_t SlotOf(std::string_view name, std::size_t hash) const;
    void Grow();

    std::vector<Slot> m_slots; // never more than half full
    std::vector<Entry> m_entries;
    std::size_t m_count = 0;
};

} // namespace varko::textrules
