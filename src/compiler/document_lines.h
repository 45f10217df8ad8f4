#pragma once

// How the cross-file checks read single lines, the same way the ODF and tech-tree checkers do.

#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler::lines {

// The file an "#include " line names (its first token), or nothing for any other line or an empty name.
std::optional<std::string> IncludedName(std::string_view line);

// The property a line sets: lines that are comments, empty, indented or include lines set none,
// nor does a line whose name part is empty.
std::optional<PropertyLineView> PropertyOf(std::string_view line);

// The tokens of a value as they take effect: up to a later token that starts a "//" comment.
textrules::LineList ValueTokens(std::string_view value);

// The name after the last "/" or "\": a document is named by its file name, as includes name it.
std::string_view FileNamePart(std::string_view path);

// True for the names the tech-tree checker takes: the extension is exactly ".tt".
bool IsTechTreeName(std::string_view name);

// One line of a tech tree that has an object and a numeric count; the requirements are the tokens
// after the count, at most count of them.
struct TechTreeEntry {
    int line = 0;
    std::string object;
    std::vector<std::string> requirements;
};

std::vector<TechTreeEntry> TechTreeEntries(const textrules::LineList& lines);

} // namespace varko::compiler::lines
