#include "varko/language/property_catalog.h"

#include "varko/compiler/data_files.h"
#include "varko/textrules/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace varko::language {

namespace {

std::string FamilyKey(std::string_view name) {
    return textrules::FoldCase(compiler::FoldDigits(name));
}

// Each name is folded once, not once per comparison, and only indexes move while sorting.
void SortIgnoringCase(std::vector<PropertyEntry>& entries) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.emplace_back(textrules::FoldCase(entries[i].name), i);
    std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : entries[a.second].name < entries[b.second].name;
    });
    std::vector<PropertyEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& [key, index] : keys)
        sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}

} // namespace

PropertyCatalog::PropertyCatalog(const textrules::LineList& declarationLines,
                                 std::vector<PropertySection> sections)
    : m_declarations(declarationLines), m_sections(std::move(sections)) {
    AddSections();
    AddDeclaredNames(declarationLines);
    SortIgnoringCase(m_entries);
}

void PropertyCatalog::AddSections() {
    std::unordered_set<std::string> offered;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        for (const std::string& name : m_sections[i].properties) {
            std::vector<std::size_t>& known = m_sectionsOf[FamilyKey(name)];
            if (known.empty() || known.back() != i)
                known.push_back(i);
            if (offered.insert(textrules::FoldCase(name)).second)
                m_entries.push_back({name, TypeOf(name)});
        }
    }
}

void PropertyCatalog::AddDeclaredNames(const textrules::LineList& declarationLines) {
    std::unordered_set<std::string> offered;
    offered.reserve(m_entries.size() + declarationLines.size());
    for (const PropertyEntry& entry : m_entries)
        offered.insert(FamilyKey(entry.name));
    for (const std::string& line : declarationLines) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            continue;
        std::string name = line.substr(0, eq);
        if (name.back() == '?')
            name.back() = '1';
        if (offered.insert(FamilyKey(name)).second)
            m_entries.push_back({name, TypeOf(name)});
    }
}

const std::string& PropertyCatalog::TypeOf(std::string_view name) const {
    return m_declarations.TypeOf(compiler::FoldDigits(name));
}

std::vector<std::string> PropertyCatalog::SectionsOf(std::string_view name) const {
    std::vector<std::string> names;
    const auto it = m_sectionsOf.find(FamilyKey(name));
    if (it != m_sectionsOf.end()) {
        for (std::size_t index : it->second)
            names.push_back(m_sections[index].name);
    }
    return names;
}

std::vector<PropertySection> ReadPropertySections(const std::string& path) {
    std::vector<PropertySection> sections;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
        return sections;
    const textrules::TIniFile library(path);
    textrules::LineList names;
    library.ListSections(names);
    for (const std::string& name : names) {
        PropertySection section{name, {}};
        library.ListKeys(name, section.properties);
        if (!section.properties.empty())
            section.properties.erase(section.properties.begin());
        sections.push_back(std::move(section));
    }
    return sections;
}

PropertyCatalog LoadPropertyCatalog(const std::string& appDir) {
    textrules::LineList declarations;
    textrules::LoadLines(declarations, appDir + compiler::kDeclarationsFile);
    return PropertyCatalog(declarations, ReadPropertySections(appDir + compiler::kPropLibFile));
}

} // namespace varko::language
