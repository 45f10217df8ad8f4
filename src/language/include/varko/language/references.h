#pragma once

#include "varko/compiler/property_line.h"
#include "varko/language/position.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// One line of a mod's file that names the file searched for, with the line's bytes as written.
struct ReferencePlace {
    Location location;
    std::string lineText;
    bool operator==(const ReferencePlace&) const = default;
};

// The lines that name the target file (e.g. "base.odf", case ignored): include lines, values of
// properties declared odf (".odf" added) or odfn, and the objects and requirements of tech-tree
// entries (a path ending in ".tt"). The path is the file's, absolute.
std::vector<ReferencePlace> ReferencesInLines(const std::string& path, const textrules::LineList& lines,
                                              std::string_view target,
                                              const compiler::DeclarationTable& declarations);

// The same for a file on disk; none when it cannot be read.
std::vector<ReferencePlace> ReferencesInFile(const std::string& path, std::string_view target,
                                             const compiler::DeclarationTable& declarations);

// The places in each file in the order given, then by line. The stop flag is read between files.
std::vector<ReferencePlace> FindReferences(std::string_view target, const std::vector<std::string>& paths,
                                           const compiler::DeclarationTable& declarations,
                                           const std::atomic<bool>& stop);

} // namespace varko::language
