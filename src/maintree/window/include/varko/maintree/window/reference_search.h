#pragma once

#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/compiler/check_environment.h"
#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <string>
#include <vector>

namespace varko::maintree {

// A file of the mod that names the file searched for, with the lines that name it.
struct ReferringFile {
    QString path;
    std::vector<maintree::ProblemEntry> places; // "Line 4: #include \"base.odf\""
};

// What one search found.
struct ReferenceReport {
    QString fileName;
    std::vector<ReferringFile> files;
    bool stopped = false;
};

// The places where the addon directories' files name a file: include lines, file-name values and
// tech-tree entries. The files are read on a worker, which first brings the environment up to
// date; only the latest search reports.
class ReferenceSearch : public QObject {
    Q_OBJECT

public:
    explicit ReferenceSearch(compiler::CheckEnvironment& environment, QObject* parent = nullptr);
    ~ReferenceSearch() override;

    // Searches for the file name (e.g. "base.odf", case ignored).
    void start(const QString& fileName);
    void stop();
    // Stops the search without a report.
    void cancel();
    bool isRunning() const { return m_job.running(); }

signals:
    void finished(const QString& fileName, const std::vector<varko::maintree::ReferringFile>& files,
                  bool stopped);

private:
    static ReferenceReport run(compiler::CheckEnvironment& environment, const std::string& target,
                               const std::atomic<bool>& stop);
    void report();

    compiler::CheckEnvironment& m_environment;
    Worker<LatestResult<ReferenceReport>> m_job;
};

} // namespace varko::maintree
