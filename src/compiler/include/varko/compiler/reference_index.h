#pragma once

#include "varko/compiler/property_line.h"
#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varko::compiler {

// One place where a file of the mod names another file.
struct Reference {
    std::string file; // the naming file, as it was added
    int line = 0;     // 1-based
    bool operator==(const Reference&) const = default;
};

// Which files of a mod name which ODF files: "#include " lines, values of properties declared
// "odf" (with ".odf" added) and "odfn", and the objects and requirements of tech-tree entries (files
// whose extension is ".tt"). Names are compared ignoring case. Files are added one at a time, so a
// caller can read a mod file by file; the lines are not kept.
class ReferenceIndex {
public:
    explicit ReferenceIndex(const DeclarationTable& declarations) : m_declarations(declarations) {}

    void Add(const std::string& file, const textrules::LineList& lines);

    // Every place that names the target, in the order the files were added, then by line.
    std::vector<Reference> ReferencesTo(std::string_view target) const;

    // The names no other file names: a file that only names itself is not used.
    std::vector<std::string> Unused(const std::vector<std::string>& odfNames) const;

private:
    // A reference as kept: the naming file by its place in m_files, so no name is copied per use.
    struct Place {
        std::size_t file = 0;
        int line = 0;
    };

    void Note(std::string_view name, std::size_t file, int line);
    void AddTechTree(std::size_t file, const textrules::LineList& lines);
    void AddOdf(std::size_t file, const textrules::LineList& lines);

    const DeclarationTable& m_declarations;
    std::vector<std::string> m_files; // in the order they were added
    std::unordered_map<std::string, std::vector<Place>, textrules::CaseInsensitiveHash,
                       textrules::CaseInsensitiveEqual>
        m_byName;
};

} // namespace varko::compiler
