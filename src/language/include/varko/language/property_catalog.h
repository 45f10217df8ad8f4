#pragma once

#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varko::language {

// A property name to offer, with the type word it is declared with ("" when undeclared).
struct PropertyEntry {
    std::string name;
    std::string type;
    bool operator==(const PropertyEntry&) const = default;
};

// One section of proplib.txt: its name and the property names listed in it.
struct PropertySection {
    std::string name;
    textrules::LineList properties;
};

// What the editor knows about property names: their declared types (declarations.txt, looked up
// as the checker does, digits folded), the proplib.txt sections that list them, and the names worth
// offering while typing.
class PropertyCatalog {
public:
    PropertyCatalog() = default;
    PropertyCatalog(const textrules::LineList& declarationLines, std::vector<PropertySection> sections);

    // The declared type of the name as the checker finds it; "" when undeclared.
    const std::string& TypeOf(std::string_view name) const;
    // The sections that list the name or another of its numbered family, in file order.
    std::vector<std::string> SectionsOf(std::string_view name) const;
    // Every proplib.txt name and every declared name, once each (case ignored), sorted ignoring
    // case. A numbered family that no section lists is offered as its first member ("lodMesh1").
    const std::vector<PropertyEntry>& Entries() const { return m_entries; }

private:
    void AddSections();
    void AddDeclaredNames(const textrules::LineList& declarationLines);

    compiler::DeclarationTable m_declarations;
    std::vector<PropertySection> m_sections;
    // Folded lower-case name -> indexes into m_sections.
    std::unordered_map<std::string, std::vector<std::size_t>> m_sectionsOf;
    std::vector<PropertyEntry> m_entries;
};

// The catalogue of the program directory's declarations.txt and proplib.txt (the directory ends
// with a separator); a file that cannot be read contributes nothing.
PropertyCatalog LoadPropertyCatalog(const std::string& appDir);

// The sections of a proplib.txt file. Each section's first key is its "friendly" entry, not a
// property, and is left out.
std::vector<PropertySection> ReadPropertySections(const std::string& path);

} // namespace varko::language
