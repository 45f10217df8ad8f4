#pragma once

#include "varko/textrules/text_rules.h"

#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// One property line of the document: its name, the 0-based index of the line it stands on, and
// the tokens of its value (continuation lines included).
struct OutlineProperty {
    std::string name;
    int line = -1;
    textrules::LineList values;
};

// The script hierarchy as plain data: a root for the document and one entry per property line,
// in line order. built off the GUI thread and shown by the hierarchy model.
struct ScriptOutline {
    std::string root;
    std::vector<OutlineProperty> properties;
};

// The file-name part of the document's name (bytes after the last "/"), "Untitled ODF" for an
// empty name.
std::string OutlineRootLabel(std::string_view currentFile);

// Outlines the document's lines. Lines that are empty, indented or begin with "//" are passed
// over; indented lines after a property line continue its value.
ScriptOutline BuildScriptOutline(const textrules::LineList& lines, std::string_view currentFile);

enum class OutlineKind { Document, Property, Value };

// One node of the outline as a tree: the document, its property lines, their value tokens.
struct OutlineEntry {
    std::string name;
    OutlineKind kind = OutlineKind::Document;
    int line = 0; // 0-based; a value stands on its property's line
    std::vector<OutlineEntry> children;
    bool operator==(const OutlineEntry&) const = default;
};

// The hierarchy the navigation panel shows, as one tree under the document's entry.
OutlineEntry DocumentOutline(const textrules::LineList& lines, std::string_view currentFile);

} // namespace varko::language
