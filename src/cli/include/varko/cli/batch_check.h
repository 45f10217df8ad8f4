#pragma once

#include "varko/cli/mod_files.h"
#include "varko/compiler/check_pipeline.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varko::cli {

struct FileReport {
    ModFile file;
    std::vector<compiler::Finding> findings;
    // The text of each finding's line, when the batch was asked to keep them.
    std::vector<std::string> lineTexts;
    bool readable = true;
    // Set when the check could not run at all.
    std::optional<std::string> failure;
};

struct BatchResult {
    std::vector<FileReport> reports; // in the order of the files given
    int messageCount = 0;
    int unreadable = 0; // unreadable or failed files
};

// Called on the calling thread every so often while the batch runs: files done, files in all.
using ProgressCallback = std::function<void(std::size_t done, std::size_t total)>;

// Whether a report keeps the text of each finding's line (for baselines and SARIF fingerprints),
// which costs a copy of every faulty line.
enum class LineTexts { Drop, Keep };

// Runs on the worker after a file was checked, with its lines and the checker's findings, to which
// it may add; not for a file whose check could not run.
using FileFollowUp = std::function<void(const ModFile& file, const textrules::LineList& lines,
                                        std::vector<compiler::Finding>& findings)>;

struct BatchOptions {
    int jobs = 1; // files checked at once
    ProgressCallback progress;
    LineTexts lineTexts = LineTexts::Drop;
    FileFollowUp followUp; // none: the checker's findings only
    // When set, the files not yet checked are left out and a running check stops.
    const std::atomic<bool>* stop = nullptr;
};

// Checks every file on `options.jobs` threads; the reports keep the files' order.
BatchResult RunBatch(const std::vector<ModFile>& files, const compiler::CheckEnvironment& environment,
                     const BatchOptions& options);

} // namespace varko::cli
