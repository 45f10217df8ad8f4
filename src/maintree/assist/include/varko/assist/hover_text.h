#pragma once

#include "varko/assist/file_reference.h"
#include "varko/assist/file_sources.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::assist {

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

} // namespace varko::assist
