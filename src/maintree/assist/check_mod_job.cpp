#include "varko/maintree/assist/check_mod_job.h"

#include "varko/maintree/assist/mod_file_list.h"

#include <chrono>
#include <exception>

namespace varko::maintree {

namespace {

// How often the worker hands over what it has; each hand-over is one short task for the GUI.
constexpr std::chrono::milliseconds kBatchInterval(50);

ModFileResult CheckFile(const ModFile& file, const CheckModJob::FileCheck& check,
                        const std::atomic<bool>& stop, std::string& failure) {
    ModFileResult result{file.path, {}, false};
    const std::optional<std::string> bytes = textrules::ReadFileBytes(file.path);
    if (!bytes) {
        result.unreadable = true;
        return result;
    }
    CheckOutcome outcome;
    try {
        outcome = check(textrules::SplitDocumentLines(*bytes), file.path, stop);
    } catch (const std::exception& error) {
        outcome.failure = error.what();
    }
    failure = std::move(outcome.failure);
    result.findings = std::move(outcome.findings);
    return result;
}

CheckModUpdate Progress(std::vector<ModFileResult> results, int done, int total) {
    CheckModUpdate update;
    update.results = std::move(results);
    update.done = done;
    update.total = total;
    return update;
}

CheckModUpdate End(bool stopped, std::string failure) {
    CheckModUpdate update;
    update.ended = true;
    update.stopped = stopped;
    update.failure = std::move(failure);
    return update;
}

} // namespace

void CheckModUpdate::append(CheckModUpdate&& later) {
    results.insert(results.end(), std::make_move_iterator(later.results.begin()),
                   std::make_move_iterator(later.results.end()));
    if (later.done >= 0) {
        done = later.done;
        total = later.total;
    }
    listed = listed || later.listed;
    ended = ended || later.ended;
    stopped = stopped || later.stopped;
    if (!later.failure.empty())
        failure = std::move(later.failure);
}

CheckModJob::CheckModJob(FileCheck check, QObject* parent) : QObject(parent), m_check(std::move(check)) {
    connect(&m_job, &maintree::WorkerThread::posted, this, &CheckModJob::takeUpdates, Qt::QueuedConnection);
}

CheckModJob::~CheckModJob() {
    m_job.close();
}

bool CheckModJob::start(std::vector<std::string> addonDirectories) {
    if (m_running || !m_check)
        return false;
    m_running = true;
    m_job.start([check = m_check, directories = std::move(addonDirectories)](const std::atomic<bool>& stop,
                                                                             Outbox& outbox) {
        run(check, directories, stop, outbox);
    });
    return true;
}

void CheckModJob::stop() {
    m_job.stop();
}

// On the worker.
void CheckModJob::run(const FileCheck& check, const std::vector<std::string>& directories,
                      const std::atomic<bool>& stop, Outbox& outbox) {
    const std::vector<ModFile> files = ListModFiles(directories);
    const int total = static_cast<int>(files.size());
    CheckModUpdate listed = Progress({}, 0, total);
    listed.listed = true;
    outbox.post(std::move(listed));
    std::string failure;
    const int done = checkFiles(check, files, stop, failure, outbox);
    const bool stopped = done < total && failure.empty();
    outbox.post(End(stopped, std::move(failure)));
}

// The number of files checked to the end; what they found is posted in batches.
int CheckModJob::checkFiles(const FileCheck& check, const std::vector<ModFile>& files,
                            const std::atomic<bool>& stop, std::string& failure, Outbox& outbox) {
    const int total = static_cast<int>(files.size());
    std::vector<ModFileResult> batch;
    auto lastPost = std::chrono::steady_clock::now();
    int done = 0;
    while (done < total && !stop.load()) {
        ModFileResult result = CheckFile(files[static_cast<std::size_t>(done)], check, stop, failure);
        // A file whose check was cut short is left out rather than shown half done.
        if (stop.load() || !failure.empty())
            break;
        if (result.unreadable || !result.findings.empty())
            batch.push_back(std::move(result));
        ++done;
        if (std::chrono::steady_clock::now() - lastPost >= kBatchInterval || done == total) {
            outbox.post(Progress(std::move(batch), done, total));
            batch.clear();
            lastPost = std::chrono::steady_clock::now();
        }
    }
    if (!batch.empty())
        outbox.post(Progress(std::move(batch), done, total));
    return done;
}

// On the GUI thread: the batches, the progress and the end arrive in the order they were posted.
void CheckModJob::takeUpdates() {
    CheckModUpdate update = m_job.take();
    if (update.listed && update.done != 0)
        emit progress(0, update.total);
    if (!update.results.empty())
        emit filesChecked(update.results);
    if (update.done >= 0)
        emit progress(update.done, update.total);
    if (!update.ended)
        return;
    m_running = false;
    if (!update.failure.empty())
        emit failed(QString::fromStdString(update.failure));
    emit finished(update.stopped);
}

} // namespace varko::maintree
