#pragma once

#include "varko/maintree/assist/background_job.h"
#include "varko/maintree/assist/mod_problems_view.h"
#include "varko/compiler/check_environment.h"

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
    bool isRunning() const { return m_running; }

signals:
    void finished(const QString& fileName, const std::vector<varko::maintree::ReferringFile>& files,
                  bool stopped);

private:
    void run(const std::string& target, quint64 generation, const std::atomic<bool>& stop);

    compiler::CheckEnvironment& m_environment;
    quint64 m_generation = 0;
    bool m_running = false;
    // Declared last, so it is destroyed first: the worker ends before the members above go.
    maintree::BackgroundJob m_job;
};

} // namespace varko::maintree
