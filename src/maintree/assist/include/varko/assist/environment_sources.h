#pragma once

#include "varko/assist/check_outcome.h"
#include "varko/assist/file_sources.h"
#include "varko/compiler/check_environment.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>

namespace varko::assist {

// The check environment's directories as the assist features ask for them. The environment must
// outlive what is returned; its lookups are safe from workers.
FileSources FileSourcesOf(const compiler::CheckEnvironment& environment);

// Checks lines as a document of that path is checked (compiler::KindOfPath), against what the
// environment holds now; a run that cannot start gives its failure text.
CheckOutcome CheckLines(const textrules::LineList& lines, const std::string& path,
                        const compiler::CheckEnvironment& environment, const std::atomic<bool>& stop);

} // namespace varko::assist
