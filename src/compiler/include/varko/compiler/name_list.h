#pragma once

#include "varko/textrules/name_index.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// A list of names searched whole and ignoring case (the lines of ignorefiles.txt).
class NameList {
public:
    NameList() = default;
    explicit NameList(const textrules::LineList& names);
    bool Contains(std::string_view name) const;

private:
    std::vector<std::string> m_names;
    textrules::NameIndex m_index; // over m_names
};

} // namespace varko::compiler
