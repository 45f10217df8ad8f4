#pragma once

#include "varko/cli/check_environment.h"
#include "varko/cli/mod_files.h"

#include <functional>
#include <string>
#include <vector>

namespace varko::cli {

struct FileReport {
    ModFile file;
    std::vector<compiler::CheckMessage> messages;
    bool readable = true;
};

struct BatchResult {
    std::vector<FileReport> reports; // in the order of the files given
    int messageCount = 0;
    int unreadable = 0;
};

// Called on the calling thread every so often while the batch runs: files done, files in all.
using ProgressCallback = std::function<void(std::size_t done, std::size_t total)>;

// Checks every file on `jobs` threads; the reports keep the files' order.
BatchResult RunBatch(const std::vector<ModFile>& files, CheckEnvironment& environment, int jobs,
                     const ProgressCallback& progress = {});

} // namespace varko::cli
