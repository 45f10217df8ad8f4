#pragma once

#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"
#include "varko/language/property_catalog.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// What the caret is writing: a property name at the start of a line, or the value of a property
// declared with one of the file types (odf values are written without ".odf", sod values without
// ".sod"; odfn and sodn values are whole file names).
enum class CompletionTarget { None, PropertyName, OdfFile, OdfName, SodFile, SodName };

struct CompletionContext {
    CompletionTarget target = CompletionTarget::None;
    std::size_t start = 0; // 0-based byte where the text being completed begins
    std::string prefix;    // from there to the caret
    bool operator==(const CompletionContext&) const = default;
};

// The context at the 0-based column of a line. Tech trees offer nothing.
CompletionContext CompletionContextAt(std::string_view line, std::size_t column, DocumentKind kind,
                                      const TypeOfProperty& typeOf);

// One offer: the text inserted and what a screen reader says about it.
struct CompletionCandidate {
    std::string text;
    std::string description;
    bool operator==(const CompletionCandidate&) const = default;
};

// Property names with their declared type as description ("not declared" when there is none).
std::vector<CompletionCandidate> PropertyCandidates(const std::vector<PropertyEntry>& entries);
// The file names a value of the target's type may take, written as the checker expects them.
std::vector<CompletionCandidate> FileCandidates(CompletionTarget target, const FileSources& files);

} // namespace varko::language
