#pragma once

#include "varko/maintree/assist/background_job.h"
#include "varko/maintree/assist/check_outcome.h"
#include "varko/maintree/assist/mod_file_list.h"
#include "varko/textrules/text_rules.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace varko::maintree {

// The findings of one file of the mod; unreadable when it could not be read (it may have gone
// since the directory was listed).
struct ModFileResult {
    std::string path;
    std::vector<compiler::Finding> findings;
    bool unreadable = false;
};

// Checks every ODF and tech-tree file of the addon directories on a worker. Results come to the
// GUI thread in batches, at most a few a second, with the progress.
class CheckModJob : public QObject {
    Q_OBJECT

public:
    // Runs on the worker, once per file, with the file's lines.
    using FileCheck = std::function<CheckOutcome(const textrules::LineList& lines, const std::string& path,
                                                 const std::atomic<bool>& stop)>;

    explicit CheckModJob(FileCheck check, QObject* parent = nullptr);
    ~CheckModJob() override;

    // False, and nothing starts, while a check of the mod runs.
    bool start(std::vector<std::string> addonDirectories);
    // Asks the worker to stop after the file it is checking; finished(true) follows.
    void stop();
    bool isRunning() const { return m_running; }

signals:
    void progress(int done, int total);
    // The files of a batch that have findings or could not be read, in listing order.
    void filesChecked(const std::vector<varko::maintree::ModFileResult>& results);
    // A check could not run at all (e.g. no declarations); the job ends after it.
    void failed(const QString& text);
    void finished(bool stopped);

private:
    void run(const std::vector<std::string>& directories, const std::atomic<bool>& stop);
    int checkFiles(const std::vector<ModFile>& files, const std::atomic<bool>& stop, std::string& failure);
    void post(std::vector<ModFileResult> batch, int done, int total);

    FileCheck m_check;
    bool m_running = false;
    // Declared last, so it is destroyed first: the worker ends before the members above go.
    BackgroundJob m_job;
};

} // namespace varko::maintree
