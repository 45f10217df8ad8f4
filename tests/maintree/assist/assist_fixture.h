#pragma once

#include "varko/assist/file_reference.h"
#include "varko/assist/file_sources.h"
#include "varko/assist/property_catalog.h"

#include <QString>

#include <ostream>

#include <string>
#include <vector>

namespace varko::assist::testing {

inline constexpr const char* kAddonDir = "/mod/addon";
inline constexpr const char* kSodDir = "/mod/sod";
inline constexpr const char* kBuiltIn = "builtin.odf";

// Game directories held in memory: a name is found when listed (case ignored), at <dir>/<name>.
// The finders look up whatever they are given, so the code under test must refuse odd names itself.
FileSources FakeFileSources(std::vector<std::string> odfNames, std::vector<std::string> sodNames);

// A small declarations table and property library of the kinds the game uses.
PropertyCatalog SampleCatalog();
TypeOfProperty TypesOf(const PropertyCatalog& catalog);

// A table row prints as its name in test listings (each test file brings it in with
// `using testing::PrintTo;`).
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Raw editor lines as QTextDocument::toRawText gives them: each line ended by U+2029.
QString RawText(const std::vector<std::string>& lines);

} // namespace varko::assist::testing
