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
    explicit CollectingSink(std::vector<compiler::CheckMessage>& messages) : m_messages(messages) {}
    void RunStarted(int) override { m_messages.clear(); }
    void MessageFound(const compiler::CheckMessage& message) override { m_messages.push_back(message); }
    void ProgressStep() override {}
    void RunFinished(int) override {}

private:
    std::vector<compiler::CheckMessage>& m_messages;
};

void CheckOne(FileReport& report, CheckEnvironment& environment) {
    // Pipes and devices are refused without waiting on them; NUL bytes stay in their lines.
    const std::optional<std::string> bytes = textrules::ReadFileBytes(report.file.path);
    if (!bytes) {
        report.readable = false;
        return;
    }
    const textrules::LineList lines = textrules::SplitDocumentLines(*bytes);
    compiler::FileLookup files(environment.odfCatalogue, environment.sodCatalogue, environment.ignoreFiles);
    const std::atomic<bool> neverStop{false};
    CollectingSink sink(report.messages);
    if (report.file.checker == Checker::TechTree)
        compiler::CompileTT(lines, files, neverStop, sink);
    else
        compiler::CompileOdf(lines, environment.declarations, files, neverStop, sink);
}

} // namespace

BatchResult RunBatch(const std::vector<ModFile>& files, CheckEnvironment& environment, int jobs,
                     const ProgressCallback& progress) {
    BatchResult result;
    result.reports.resize(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        result.reports[i].file = files[i];

    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++) {
            CheckOne(result.reports[i], environment);
            if (++done == files.size()) {
                std::lock_guard lock(mutex);
                finished.notify_all();
            }
        }
    };
    const std::size_t threadCount = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(jobs, 1)), 1,
                                                            std::max<std::size_t>(files.size(), 1));
    std::vector<std::jthread> workers;
    for (std::size_t t = 0; t < threadCount; ++t)
        workers.emplace_back(work);
    {
        std::unique_lock lock(mutex);
        while (
            !finished.wait_for(lock, std::chrono::milliseconds(100), [&] { return done == files.size(); })) {
            if (progress)
                progress(done.load(), files.size());
        }
    }
    workers.clear();

    for (const FileReport& report : result.reports) {
        result.messageCount += static_cast<int>(report.messages.size());
        result.unreadable += report.readable ? 0 : 1;
    }
    return result;
}

} // namespace varko::cli
