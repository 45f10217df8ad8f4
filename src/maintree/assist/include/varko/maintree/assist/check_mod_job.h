#pragma once

#include "varko/maintree/assist/check_outcome.h"
#include "varko/maintree/assist/mod_file_list.h"
#include "varko/maintree/worker/worker.h"
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

// What the worker hands over: the files checked since the last hand-over, the progress, and at
// the end whether the check stopped early or failed.
struct CheckModUpdate {
    std::vector<ModFileResult> results;
    int done = -1;
    int total = 0;
    // The files are listed: progress starts at 0 of total.
    bool listed = false;
    bool ended = false;
    bool stopped = false;
    std::string failure;

    void append(CheckModUpdate&& later);
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
    using Outbox = maintree::Outbox<CheckModUpdate>;

    static void run(const FileCheck& check, const std::vector<std::string>& directories,
                    const std::atomic<bool>& stop, Outbox& outbox);
    static int checkFiles(const FileCheck& check, const std::vector<ModFile>& files,
                          const std::atomic<bool>& stop, std::string& failure, Outbox& outbox);
    void takeUpdates();

    FileCheck m_check;
    bool m_running = false;
    maintree::Worker<CheckModUpdate> m_job;
};

} // namespace varko::maintree
