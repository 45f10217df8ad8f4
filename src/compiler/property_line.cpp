#include "varko/compiler/property_line.h"

namespace varko::compiler {

using textrules::ParseInt;

PropertyLine SplitPropertyLine(std::string_view line) {
    std::size_t eq = line.find('=');
    long long p = eq == std::string_view::npos ? 0 : static_cast<long long>(eq) + 1;
    PropertyLine parts;
    if (p - 2 > 0)
        parts.name = std::string(line.substr(0, static_cast<std::size_t>(p - 2)));
    parts.value = textrules::Substring(line, p + 2, static_cast<long long>(line.size()));
    return parts;
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
