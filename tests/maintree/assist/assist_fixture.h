#pragma once

#include "language_fixture.h"

#include <QString>

#include <string>
#include <vector>

namespace varko::maintree::testing {

// The core's sample mod serves the editor's tests too.
using language::testing::FakeFileSources;
using language::testing::FixSourcesFor;
using language::testing::PrintTo;
using language::testing::SampleCatalog;
using language::testing::TypesOf;

// Raw editor lines as QTextDocument::toRawText gives them: each line ended by U+2029.
QString RawText(const std::vector<std::string>& lines);

} // namespace varko::maintree::testing
