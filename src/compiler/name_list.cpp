#include "varko/compiler/name_list.h"

namespace varko::compiler {

NameList::NameList(const textrules::LineList& names) : m_names(names), m_index(names.size()) {
    for (const std::string& name : m_names)
        m_index.Insert(name, 0);
}

bool NameList::Contains(std::string_view name) const {
    return m_index.Find(name) != textrules::NameIndex::npos;
}

} // namespace varko::compiler
