#include "varko/compiler/property_line.h"

namespace varko::compiler {


PropertyLineView SplitPropertyLineView(std::string_view line) {
    const std::size_t eq = line.find('=');
    PropertyLineView parts;
    if (eq != std::string_view::npos && eq > 1)
        parts.name = line.substr(0, eq - 1);
    parts.valueStart = std::min(line.size(), eq == std::string_view::npos ? std::size_t{1} : eq + 2);
    parts.value = line.substr(parts.valueStart);
    return parts;
}

PropertyLine SplitPropertyLine(std::string_view line) {
    const PropertyLineView parts = SplitPropertyLineView(line);
    return {std::string(parts.name), std::string(parts.value)};
}

namespace {
// The characters that ParseInt reads alone as a number.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

void FoldDigitsInPlace(std::string& name) {
    if (name.empty() || !IsDigit(name.back()))
        return;
    name.back() = '?';
    if (name.size() >= 2 && IsDigit(name[name.size() - 2]))
        name.erase(name.size() - 2, 1);
}

std::string FoldDigits(std::string_view name) {
    std::string folded(name);
    FoldDigitsInPlace(folded);
    return folded;
}

DeclarationTable::DeclarationTable(const textrules::LineList& lines) : m_index(lines.size()) {
    // Reserved first: the index keeps views of the keys, which must not move.
    m_keys.reserve(lines.size());
    m_types.reserve(lines.size());
    for (const std::string& line : lines) {
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        m_keys.push_back(line.substr(0, eq));
        if (m_index.Insert(m_keys.back(), m_types.size()))
            m_types.push_back(line.substr(eq + 1));
        else
            m_keys.pop_back();
    }
}

const std::string& DeclarationTable::TypeOf(std::string_view foldedName) const {
    static const std::string kNone;
    const std::size_t found = m_index.Find(foldedName);
    return found == textrules::NameIndex::npos ? kNone : m_types[found];
}

} // namespace varko::compiler
