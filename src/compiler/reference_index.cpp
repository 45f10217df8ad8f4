#include "varko/compiler/reference_index.h"

#include "document_lines.h"

namespace varko::compiler {

void ReferenceIndex::Add(const std::string& file, const textrules::LineList& lines) {
    m_files.push_back(file);
    if (lines::IsTechTreeName(file))
        AddTechTree(m_files.size() - 1, lines);
    else
        AddOdf(m_files.size() - 1, lines);
}

void ReferenceIndex::Note(std::string_view name, std::size_t file, int line) {
    if (name.empty())
        return;
    // Most names are met again and again, so the key is built only for a name met the first time.
    auto it = m_byName.find(name);
    if (it == m_byName.end())
        it = m_byName.emplace(std::string(name), std::vector<Place>{}).first;
    std::vector<Place>& places = it->second;
    // An entry that names the same file twice is one reference on its line.
    if (!places.empty() && places.back().line == line &&
        (places.back().file == file || m_files[places.back().file] == m_files[file]))
        return;
    places.push_back({file, line});
}

void ReferenceIndex::AddTechTree(std::size_t file, const textrules::LineList& lines) {
    for (const lines::TechTreeEntry& entry : lines::TechTreeEntries(lines)) {
        Note(entry.object, file, entry.line);
        for (const std::string& requirement : entry.requirements)
            Note(requirement, file, entry.line);
    }
}

void ReferenceIndex::AddOdf(std::size_t file, const textrules::LineList& lines) {
    textrules::LineList tokens;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i + 1);
        if (std::optional<std::string> included = lines::IncludedName(lines[i])) {
            Note(*included, file, line);
            continue;
        }
        const std::optional<PropertyLineView> property = lines::PropertyOf(lines[i]);
        if (!property)
            continue;
        const std::string& type = m_declarations.TypeOf(FoldDigits(property->name));
        if (type != "odf" && type != "odfn")
            continue;
        textrules::SplitTokens(tokens, property->value, 1);
        if (!tokens.empty() && !tokens[0].empty())
            Note(type == "odf" ? tokens[0] + ".odf" : tokens[0], file, line);
    }
}

std::vector<Reference> ReferenceIndex::ReferencesTo(std::string_view target) const {
    std::vector<Reference> references;
    if (auto it = m_byName.find(target); it != m_byName.end()) {
        for (const Place& place : it->second)
            references.push_back({m_files[place.file], place.line});
    }
    return references;
}

std::vector<std::string> ReferenceIndex::Unused(const std::vector<std::string>& odfNames) const {
    std::vector<std::string> unused;
    for (const std::string& name : odfNames) {
        auto it = m_byName.find(name);
        bool used = false;
        if (it != m_byName.end()) {
            for (const Place& place : it->second)
                used = used || !textrules::SameText(lines::FileNamePart(m_files[place.file]), name);
        }
        if (!used)
            unused.push_back(name);
    }
    return unused;
}

} // namespace varko::compiler
