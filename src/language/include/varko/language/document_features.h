#pragma once

// The language features at a position of a document, as a front end asks for them: each takes the
// document's lines, a position in bytes, the document's kind and what is known about the mod, and
// gives values. Lines out of range give nothing.

#include "varko/compiler/odf_source.h"
#include "varko/language/hover_text.h"
#include "varko/language/mod_knowledge.h"
#include "varko/language/position.h"
#include "varko/textrules/text_rules.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// One offer: what the list shows, what it says about it, and the text that replaces replaceRange
// (from where the name being written begins up to the position).
struct CompletionItem {
    std::string label;
    std::string detail; // a property's declared type ("not declared"), or "ODF file", "SOD file"
    std::string insertText;
    Range replaceRange;
    bool operator==(const CompletionItem&) const = default;
};

// The property names (at the start of an ODF line) or file names (in the value of a property of
// a file type, written as the checker expects them) that begin with what is written so far, case
// ignored, in the order of the list they come from (sorted ignoring case).
std::vector<CompletionItem> CompletionsAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                          const ModKnowledge& knowledge);

// HoverText with its range. Over a property name, given the files the document's includes name,
// the other places that set the property follow on a line of their own ("Also set in: ...");
// documentPath names the document as its include chain does.
std::optional<HoverInfo> HoverAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                 const ModKnowledge& knowledge, std::string_view documentPath = {},
                                 const compiler::OdfSource* includes = nullptr);

// The ODF file Go to File opens from the position (the line's first file name when none is under
// it): an include, an odf or odfn value, a tech-tree entry's object or requirement. Its first line.
std::optional<Location> DefinitionAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                     const ModKnowledge& knowledge);

// The "did you mean" fixes of one finding, read from the line it names.
std::vector<FixSuggestion> FixesFor(const compiler::Finding& finding, const textrules::LineList& lines,
                                    DocumentKind kind, const ModKnowledge& knowledge);

} // namespace varko::language
