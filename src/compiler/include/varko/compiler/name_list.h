#pragma once

#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace varko::compiler {

// A list of names searched whole and ignoring case (the lines of ignorefiles.txt).
class NameList {
public:
    NameList() = default;
    explicit NameList(const textrules::LineList& names);
    bool Contains(std::string_view name) const;

private:
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual> m_names;
};

} // namespace varko::compiler
