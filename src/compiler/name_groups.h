#pragma once

#include "document_lines.h"
#include "varko/textrules/name_index.h"

#include <span>
#include <string_view>
#include <vector>

namespace varko::compiler {

// Groups items by their property name, case ignored as the ODF checker tells duplicates apart: the
// names in the order they first appear, the items of each in their own order.
class NameGroups {
public:
    template <class Items, class NameOf>
    NameGroups(const Items& items, NameOf nameOf) : m_group(items.size()), m_order(items.size()) {
        textrules::NameIndex ids(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const std::string_view name = nameOf(items[i]);
            const std::size_t next = ids.size();
            m_group[i] = ids.Insert(name, next) ? next : ids.Find(name);
        }
        Order(ids.size());
    }

    std::size_t NameCount() const { return m_start.size() - 1; }
    std::span<const std::size_t> ItemsOf(std::size_t name) const {
        return std::span(m_order).subspan(m_start[name], m_start[name + 1] - m_start[name]);
    }
    std::size_t NameOf(std::size_t item) const { return m_group[item]; }

private:
    void Order(std::size_t names) {
        m_start.assign(names + 1, 0);
        for (std::size_t g : m_group)
            ++m_start[g + 1];
        for (std::size_t g = 0; g < names; ++g)
            m_start[g + 1] += m_start[g];
        std::vector<std::size_t> fill(m_start.begin(), m_start.end() - 1);
        for (std::size_t i = 0; i < m_group.size(); ++i)
            m_order[fill[m_group[i]]++] = i;
    }

    std::vector<std::size_t> m_group; // per item, its name
    std::vector<std::size_t> m_start; // per name, where its items begin in m_order
    std::vector<std::size_t> m_order;
};

// Drops the items whose names (one item per name) a property line of the file sets: the file's own
// line overrides every include. The items are few, so their names are the ones put in a table.
template <class Item, class NameOf>
void DropNamesSetIn(const textrules::LineList& file, std::vector<Item>& items, NameOf nameOf) {
    if (items.empty())
        return;
    textrules::NameIndex names(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        names.Insert(nameOf(items[i]), i);
    std::vector<char> drop(items.size(), 0);
    for (const std::string& line : file) {
        if (const std::optional<PropertyLineView> property = lines::PropertyOf(line)) {
            if (const std::size_t i = names.Find(property->name); i != textrules::NameIndex::npos)
                drop[i] = 1;
        }
    }
    std::erase_if(items, [&](const Item& item) { return drop[&item - items.data()] != 0; });
}

} // namespace varko::compiler
