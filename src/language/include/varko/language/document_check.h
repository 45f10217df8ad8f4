#pragma once

#include "varko/compiler/check_environment.h"
#include "varko/compiler/odf_source.h"
#include "varko/language/check_outcome.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>

namespace varko::language {

// Checks lines as a document of that path is checked (compiler::KindOfPath), against what the
// environment holds now; a run that cannot start gives its failure text.
CheckOutcome CheckLines(const textrules::LineList& lines, const std::string& path,
                        const compiler::CheckEnvironment& environment, const std::atomic<bool>& stop);

// The ODF files of the addon directories by name, as the checker finds them; each is read once
// for as long as the source lives, so one source serves one check of the mod.
compiler::OdfSource AddonOdfSource(const compiler::CheckEnvironment& environment);

// Checks a document's lines as the Run button does. Given the files its includes name, the checks
// across files follow (tech-tree circles and repeats, include cycles and clashing included values),
// their findings merged in by line.
CheckOutcome CheckModDocument(const textrules::LineList& lines, const std::string& path,
                              const compiler::CheckEnvironment& environment,
                              const compiler::OdfSource* includes, const std::atomic<bool>& stop);

} // namespace varko::language
