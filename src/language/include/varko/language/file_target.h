#pragma once

#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varko::language {

// Where "Go to File" leads from a line: the file's absolute path, or the status text that says why
// there is none ("File not found: x.odf").
struct FileTarget {
    std::optional<std::string> path;
    std::string status;
    bool operator==(const FileTarget&) const = default;
};

// The ODF file named at the 0-based column (without one, anywhere on the line), looked up in the
// addon directory. Only plain names are looked up: one holding "/" or ".." is refused.
FileTarget FileTargetAt(std::string_view line, std::optional<std::size_t> column, DocumentKind kind,
                        const TypeOfProperty& typeOf, const FileSources& files);

} // namespace varko::language
