#pragma once

#include "varko/cli/finding_record.h"
#include "varko/cli/mod_files.h"
#include "varko/cli/path_filter.h"
#include "varko/cli/unused_files.h"
#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/include_closures.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varko::cli {

struct IncludeReads;

// The checks of --extra that look past the file in hand: circles and repeated objects of a tech
// tree (X1, X2), include cycles and values that included files set differently (X3, X4) of an ODF
// file; with --unused also the addon files nothing names (U1). An include is looked up as the ODF
// checker looks it up, among the *.odf files of the addon directories, and each included file is
// read once per run however many files include it; each file's include closure is summarised once
// per run and shared between the documents (IncludeClosures). Check is safe from several workers at
// once.
class CrossFileChecks {
public:
    CrossFileChecks(const compiler::CheckEnvironment& environment, bool findUnused);

    // Adds the file's cross-file findings to the checker's, keeping them in line order.
    void Check(const ModFile& file, const textrules::LineList& lines,
               std::vector<compiler::Finding>& findings);

    // The lines of the file at `path` if the include checks have read it already, else null; the
    // workers take them instead of reading the file again.
    compiler::SharedLines LinesRead(const std::string& path) const;
    // After the batch: the included files that are listed in an addon directory but could not be
    // read, as ShownPath gives them, sorted; their lines are missing from the include checks.
    std::vector<std::string> UnreadableIncludes(const std::string& currentDirectory) const;
    // After the batch: the U1 notes (none without findUnused).
    FindingRecords UnusedNotes(const PathFilter& filter, const std::string& currentDirectory);

private:
    std::shared_ptr<IncludeReads> m_reads;
    compiler::IncludeClosures m_includes;
    std::optional<UnusedFiles> m_unused;
};

} // namespace varko::cli
