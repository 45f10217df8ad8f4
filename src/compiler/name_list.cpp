#include "varko/compiler/name_list.h"

namespace varko::compiler {

NameList::NameList(const textrules::LineList& names) {
    for (const std::string& name : names)
        m_names.insert(name);
}

bool NameList::Contains(std::string_view name) const {
    return m_names.contains(name);
}

} // namespace varko::compiler
