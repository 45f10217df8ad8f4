#pragma once

#include "varko/compiler/finding.h"
#include "varko/compiler/nearest_names.h"
#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"
#include "varko/language/position.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// Replacing one written name of a line with an existing one.
struct FixSuggestion {
    int line = 0;          // 1-based
    std::size_t start = 0; // 0-based byte of the written name
    std::string original;  // the written name, to tell whether the line changed since
    std::string replacement;
    Range range;             // the written name: 0-based line, bytes
    std::string title;       // the menu caption, FixCaption
    std::string findingCode; // the code of the finding it answers ("M3")
    bool operator==(const FixSuggestion&) const = default;
};

using NearestFunction = std::function<std::vector<std::string>(
    std::string_view name, const std::vector<std::string>& candidates, std::size_t max)>;

struct FixSources {
    TypeOfProperty typeOf;
    FileSources files;
    std::function<std::vector<std::string>()> propertyNames;
    NearestFunction nearest = compiler::NearestNames;
};

inline constexpr std::size_t kMaxFixes = 5;

// The existing names nearest to the one a finding is about, as replacements written the way the
// line writes the name (an odf value keeps leaving out ".odf", an include keeps its quotes): for
// a file that is not found (M3, M4, M5, M6, M12, T4) and for a property name that is not declared
// (M1). Nothing for other findings.
std::vector<FixSuggestion> SuggestFixes(const compiler::Finding& finding, std::string_view lineText,
                                        DocumentKind kind, const FixSources& sources);

// The suggestions for the findings of one 1-based line, each replacement once (in finding order),
// at most kMaxFixes.
std::vector<FixSuggestion> FixesForLine(const std::vector<compiler::Finding>& findings, int line,
                                        std::string_view lineText, DocumentKind kind,
                                        const FixSources& sources);

// The menu caption of a suggestion: Change "cannonn" to "cannon".
std::string FixCaption(const FixSuggestion& suggestion);

} // namespace varko::language
