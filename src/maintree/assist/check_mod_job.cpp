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

} // namespace

CheckModJob::CheckModJob(FileCheck check, QObject* parent) : QObject(parent), m_check(std::move(check)) {}

CheckModJob::~CheckModJob() {
    m_job.stop();
    m_job.waitForDone();
}

bool CheckModJob::start(std::vector<std::string> addonDirectories) {
    if (m_running || !m_check)
        return false;
    m_running = true;
    m_job.start([this, directories = std::move(addonDirectories)](const std::atomic<bool>& stop) {
        run(directories, stop);
    });
    return true;
}

void CheckModJob::stop() {
    m_job.stop();
}

// On the worker.
void CheckModJob::run(const std::vector<std::string>& directories, const std::atomic<bool>& stop) {
    const std::vector<ModFile> files = ListModFiles(directories);
    const int total = static_cast<int>(files.size());
    post({}, 0, total);
    std::string failure;
    const int done = checkFiles(files, stop, failure);
    const bool stopped = done < total && failure.empty();
    QMetaObject::invokeMethod(
        this,
        [this, stopped, failure = QString::fromStdString(failure)] {
            m_running = false;
            if (!failure.isEmpty())
                emit failed(failure);
            emit finished(stopped);
        },
        Qt::QueuedConnection);
}

// The number of files checked to the end; what they found is posted in batches.
int CheckModJob::checkFiles(const std::vector<ModFile>& files, const std::atomic<bool>& stop,
                            std::string& failure) {
    const int total = static_cast<int>(files.size());
    std::vector<ModFileResult> batch;
    auto lastPost = std::chrono::steady_clock::now();
    int done = 0;
    while (done < total && !stop.load()) {
        ModFileResult result = CheckFile(files[static_cast<std::size_t>(done)], m_check, stop, failure);
        // A file whose check was cut short is left out rather than shown half done.
        if (stop.load() || !failure.empty())
            break;
        if (result.unreadable || !result.findings.empty())
            batch.push_back(std::move(result));
        ++done;
        if (std::chrono::steady_clock::now() - lastPost >= kBatchInterval || done == total) {
            post(std::move(batch), done, total);
            batch.clear();
            lastPost = std::chrono::steady_clock::now();
        }
    }
    if (!batch.empty())
        post(std::move(batch), done, total);
    return done;
}

void CheckModJob::post(std::vector<ModFileResult> batch, int done, int total) {
    QMetaObject::invokeMethod(
        this,
        [this, batch = std::move(batch), done, total] {
            if (!batch.empty())
                emit filesChecked(batch);
            emit progress(done, total);
        },
        Qt::QueuedConnection);
}

} // namespace varko::maintree
