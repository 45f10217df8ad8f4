#include "varko/textrules/name_index.h"

#include "varko/textrules/case_insensitive.h"

#include <bit>

namespace varko::textrules {

namespace {

std::uint32_t HighHalf(std::size_t hash) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
}

} // namespace

NameIndex::NameIndex(std::size_t expected) : m_slots(std::bit_ceil(std::max<std::size_t>(16, expected * 2))) {
    m_entries.reserve(expected);
}

std::size_t NameIndex::Find(std::string_view name) const {
    const Slot& slot = m_slots[SlotOf(name, CaseInsensitiveHash{}(name))];
    return slot.entry == 0 ? npos : m_entries[slot.entry - 1].position;
}

bool NameIndex::Insert(std::string_view name, std::size_t position) {
    if ((m_count + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t hash = CaseInsensitiveHash{}(name);
    Slot& slot = m_slots[SlotOf(name, hash)];
    if (slot.entry != 0)
        return false;
    m_entries.push_back({name, position});
    slot = {HighHalf(hash), static_cast<std::uint32_t>(m_entries.size())};
    ++m_count;
    return true;
}

// The slot holding the name, or the empty slot where it would go. The low half of the hash picks
// the first slot, the high half tells most other names apart without reading them.
std::size_t NameIndex::SlotOf(std::string_view name, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t high = HighHalf(hash);
    std::size_t i = hash & mask;
    while (m_slots[i].entry != 0 &&
           (m_slots[i].hash != high || !detail::EqualFolded(m_entries[m_slots[i].entry - 1].name, name)))
        i = (i + 1) & mask;
    return i;
}

void NameIndex::Grow() {
    m_slots.assign(m_slots.size() * 2, Slot{});
    for (std::size_t e = 0; e < m_entries.size(); ++e) {
        const std::size_t hash = CaseInsensitiveHash{}(m_entries[e].name);
        std::size_t i = hash & (m_slots.size() - 1);
        while (m_slots[i].entry != 0)
            i = (i + 1) & (m_slots.size() - 1);
        m_slots[i] = {HighHalf(hash), static_cast<std::uint32_t>(e + 1)};
    }
}

} // namespace varko::textrules
