#include "varko/cli/batch_check.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace varko::cli {

namespace {

class CollectingSink : public compiler::CheckSink {
public:
    explicit CollectingSink(FileReport& report) : m_report(report) {}
    void RunStarted(int) override { m_report.findings.clear(); }
    void MessageFound(const compiler::Finding& finding) override { m_report.findings.push_back(finding); }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string& text) override { m_report.failure = text; }

private:
    FileReport& m_report;
};

void KeepLineTexts(FileReport& report, const textrules::LineList& lines) {
    report.lineTexts.reserve(report.findings.size());
    for (const compiler::Finding& finding : report.findings) {
        const bool inside = finding.line >= 1 && static_cast<std::size_t>(finding.line) <= lines.size();
        report.lineTexts.push_back(inside ? lines[static_cast<std::size_t>(finding.line) - 1]
                                          : std::string());
    }
}

// `lines` is the worker's own list, reused from file to file.
void CheckOne(FileReport& report, const compiler::CheckEnvironment& environment, const BatchOptions& options,
              textrules::LineList& lines) {
    // Pipes and devices are refused without waiting on them; NUL bytes stay in their lines.
    const std::optional<std::string> bytes = textrules::ReadFileBytes(report.file.path);
    if (!bytes) {
        report.readable = false;
        return;
    }
    textrules::SplitDocumentLines(lines, *bytes);
    const std::atomic<bool> neverStop{false};
    CollectingSink sink(report);
    compiler::CheckDocument(lines, report.file.kind, environment, options.stop ? *options.stop : neverStop,
                            sink);
    if (options.followUp && !report.failure)
        options.followUp(report.file, lines, report.findings);
    if (options.lineTexts == LineTexts::Keep)
        KeepLineTexts(report, lines);
}

} // namespace

BatchResult RunBatch(const std::vector<ModFile>& files, const compiler::CheckEnvironment& environment,
                     const BatchOptions& options) {
    BatchResult result;
    result.reports.resize(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        result.reports[i].file = files[i];

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    auto work = [&] {
        textrules::LineList lines;
        for (std::size_t i = next++; i < files.size(); i = next++) {
            if (!options.stop || !*options.stop)
                CheckOne(result.reports[i], environment, options, lines);
            if (++done == files.size()) {
                std::lock_guard lock(mutex);
                finished.notify_all();
            }
        }
    };
    const std::size_t threadCount = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::max(options.jobs, 1)), 1, std::max<std::size_t>(files.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t t = 0; t < threadCount; ++t)
        workers.emplace_back(work);
    {
        std::unique_lock lock(mutex);
        while (
            !finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done == files.size(); })) {
            if (options.progress)
                options.progress(done.load(), files.size());
        }
    }
    workers.clear();

    for (const FileReport& report : result.reports) {
        result.messageCount += static_cast<int>(report.findings.size());
        result.unreadable += report.readable && !report.failure ? 0 : 1;
    }
    return result;
}

} // namespace varko::cli
