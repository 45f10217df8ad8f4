#pragma once

#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"
#include "varko/language/position.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::language {

struct HoverSources {
    TypeOfProperty typeOf;
    // The proplib.txt sections that list a property name.
    std::function<std::vector<std::string>(std::string_view name)> sectionsOf;
    FileSources files;
};

// The tip for the 0-based column of a document line: over a property name its declared type and
// the sections that know it ("unitName: string\nKnown in: [craft], [building]"); over a file name
// where it is ("laser.odf: found in /abs/addon", "laser.odf: not found in the addon directory");
// elsewhere "".
std::string HoverText(std::string_view line, std::size_t column, DocumentKind kind,
                      const HoverSources& sources);

// A tip and the written name it tells about (a file name inside its quotes, or a property name).
struct HoverInfo {
    std::string text;
    Range range;
    bool operator==(const HoverInfo&) const = default;
};

// HoverText with its range, for the 0-based line `lineIndex`; nothing where the text is "".
std::optional<HoverInfo> HoverOnLine(std::string_view line, int lineIndex, std::size_t column,
                                     DocumentKind kind, const HoverSources& sources);

} // namespace varko::language
