#pragma once

#include "varko/compiler/check_pipeline.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

// A line is read as its document's kind is checked (compiler::KindOfPath): tech trees as tokens,
// everything else as "name = value" lines.
using compiler::DocumentKind;

// The type word a property name is declared with ("" when it is not declared).
using TypeOfProperty = std::function<std::string(std::string_view name)>;

enum class FileKind { Odf, Sod };

// A file named on a document line: the name as the checker looks it up and where it is written.
struct FileReference {
    std::string fileName;       // e.g. "laser.odf": the written name plus addedExtension
    std::string written;        // the name as the line writes it, without quotes
    std::string addedExtension; // ".odf" or ".sod" when the checker appends it to the written name
    FileKind kind = FileKind::Odf;
    std::size_t start = 0;  // 0-based byte where the written name begins (inside any quotes)
    std::size_t length = 0; // bytes of the written name
    bool quoted = false;
    bool operator==(const FileReference&) const = default;
};

// Every file the checker looks up for this line, in line order: the file of an "#include " line,
// the value of a property declared odf, odfn, sod or sodn, the object and requirements of a
// tech-tree entry.
std::vector<FileReference> FileReferencesOnLine(std::string_view line, DocumentKind kind,
                                                const TypeOfProperty& typeOf);

// The reference whose token holds the 0-based column (its end included, where a caret rests after
// typing it); without a column, the line's first reference.
std::optional<FileReference> FileReferenceAt(std::string_view line, std::optional<std::size_t> column,
                                             DocumentKind kind, const TypeOfProperty& typeOf);

// The name part of an ODF property line when the column lies on it (its end included).
struct PropertyNameSpan {
    std::string name;
    std::size_t length = 0;
    bool operator==(const PropertyNameSpan&) const = default;
};
std::optional<PropertyNameSpan> PropertyNameAt(std::string_view line, std::size_t column);

// True for lines the checker never looks up: comments, empty lines and indented lines.
bool IsUncheckedOdfLine(std::string_view line);

} // namespace varko::language
