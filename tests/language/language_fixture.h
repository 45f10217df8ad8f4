#pragma once

#include "varko/language/file_reference.h"
#include "varko/language/file_sources.h"
#include "varko/language/mod_knowledge.h"
#include "varko/language/property_catalog.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace varko::language::testing {

inline constexpr const char* kAddonDir = "/mod/addon";
inline constexpr const char* kSodDir = "/mod/sod";
inline constexpr const char* kBuiltIn = "builtin.odf";

// Game directories held in memory: a name is found when listed (case ignored), at <dir>/<name>.
// The finders look up whatever they are given, so the code under test must refuse odd names itself.
FileSources FakeFileSources(std::vector<std::string> odfNames, std::vector<std::string> sodNames);

// A small declarations table and property library of the kinds the game uses.
PropertyCatalog SampleCatalog();
TypeOfProperty TypesOf(const PropertyCatalog& catalog);
// The catalogue's names and types with a few ODF and SOD files, for the fixes.
FixSources FixSourcesFor(const PropertyCatalog& catalog);

// The sample catalogue and these directories, as a front end hands them to the features.
ModKnowledge SampleKnowledge(std::vector<std::string> odfNames, std::vector<std::string> sodNames);

// A table row prints as its name in test listings (each test file brings it in with
// `using testing::PrintTo;`).
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

} // namespace varko::language::testing
