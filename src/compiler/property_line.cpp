#include "varko/compiler/property_line.h"

namespace varko::compiler {

using textrules::ParseInt;

PropertyLineView SplitPropertyLineView(std::string_view line) {
    const std::size_t eq = line.find('=');
    // p is the 1-based position of "=", 0 without one; the value starts at 1-based p + 2.
    const std::size_t p = eq == std::string_view::npos ? 0 : eq + 1;
    PropertyLineView parts;
    if (p > 2)
        parts.name = line.substr(0, p - 2);
    if (p + 1 < line.size())
        parts.value = line.substr(p + 1);
    return parts;
}

PropertyLine SplitPropertyLine(std::string_view line) {
    const PropertyLineView parts = SplitPropertyLineView(line);
    return {std::string(parts.name), std::string(parts.value)};
}

namespace {
bool IsDigit(char c) {
    return ParseInt(std::string_view(&c, 1)).has_value();
}
} // namespace

std::string FoldDigits(std::string_view name) {
    std::string folded(name);
    if (folded.empty() || !IsDigit(folded.back()))
        return folded;
    folded.back() = '?';
    if (folded.size() >= 2 && IsDigit(folded[folded.size() - 2]))
        folded.erase(folded.size() - 2, 1);
    return folded;
}

DeclarationTable::DeclarationTable(const textrules::LineList& lines) {
    for (const std::string& line : lines) {
        std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        m_types.try_emplace(line.substr(0, eq), line.substr(eq + 1));
    }
}

const std::string& DeclarationTable::TypeOf(std::string_view foldedName) const {
    static const std::string kNone;
    auto it = m_types.find(foldedName);
    return it == m_types.end() ? kNone : it->second;
}

} // namespace varko::compiler
