#pragma once

// The one way to check a document, shared by the editor, varko-check and the tests: the
// environment it is checked against and the entry point.

#include "varko/compiler/check_environment.h"
#include "varko/compiler/check_run.h"
#include "varko/compiler/finding.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string_view>

namespace varko::compiler {

enum class DocumentKind { Odf, TechTree };

// A tech tree when the path's extension is exactly ".tt" (case counts); an ODF file otherwise.
DocumentKind KindOfPath(std::string_view path);

// Checks the lines against what the environment holds now (it is not refreshed here: callers
// refresh once per run or batch). An ODF document needs the declarations: without them the run
// starts with 0 lines and fails with "Cannot access the declarations file \"declarations.txt\"!".
void CheckDocument(const textrules::LineList& lines, DocumentKind kind, const CheckEnvironment& environment,
                   const std::atomic<bool>& stop, CheckSink& sink);

} // namespace varko::compiler
