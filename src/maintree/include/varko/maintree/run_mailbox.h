#pragma once

#include "varko/compiler/finding.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <mutex>
#include <optional>
#include <utility>

namespace varko::maintree {

// What a check run has produced since the GUI thread last looked, in the order of a run: its
// start, its messages and progress, then its end or the failure that kept it from checking.
struct RunUpdate {
    // The line count of a run that began.
    std::optional<int> started;
    QList<compiler::Finding> messages;
    // Lines passed.
    int progress = 0;
    // The message count of a run that ended.
    std::optional<int> finished;
    // The run could not check; the text for the error box.
    std::optional<QString> failure;

    bool Empty() const;
    // Adds what came after this update.
    void Append(RunUpdate&& later);
};

// Hands a run's output from the worker to the GUI thread. The worker posts under a lock; the first
// post after a Take emits Posted, so the GUI thread gets one queued call however fast the worker
// goes, and takes everything that piled up in one go.
class RunMailbox : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Any thread.
    void Post(RunUpdate update);
    // The GUI thread, after Posted.
    RunUpdate Take();

signals:
    // Connect queued: it is emitted on the worker.
    void Posted();

private:
    std::mutex m_mutex;
    RunUpdate m_waiting;
    bool m_signalled = false;
};

} // namespace varko::maintree
