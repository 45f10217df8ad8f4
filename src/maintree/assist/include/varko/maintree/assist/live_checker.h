#pragma once

#include "varko/maintree/assist/check_outcome.h"
#include "varko/maintree/worker/latest_result.h"
#include "varko/maintree/worker/worker.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace varko::maintree {

// Checks the editor's document while the user types: a while after the last change it copies the
// text on the GUI thread and checks the copy on a worker. A newer change makes any pending or
// running check stale: its result is never delivered and a running check is asked to stop.
class LiveChecker : public QObject {
    Q_OBJECT

public:
    // Runs on the worker. rawText is QTextDocument::toRawText() of the editor (lines end with
    // U+2029); path is the document's file name, for choosing the checker.
    using TextCheck = std::function<CheckOutcome(const QString& rawText, const std::string& path,
                                                 const std::atomic<bool>& stop)>;

    static constexpr int kDefaultDelayMs = 400;

    LiveChecker(QPlainTextEdit* editor, TextCheck check, std::function<QString()> documentPath,
                QObject* parent = nullptr);
    ~LiveChecker() override;

    void setDelay(int milliseconds) { m_timer.setInterval(milliseconds); }
    // Off: nothing pending, nothing delivered. On: the document is checked after the delay.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    bool isChecking() const { return m_job.running(); }

public slots:
    // Call on every change of the editor's text.
    void textChanged();

signals:
    // The findings of the document as it is now.
    void findingsReady(const std::vector<compiler::Finding>& findings);
    // A check could not run; the same text is not repeated until a check succeeds again.
    void checkFailed(const QString& text);

private:
    void startCheck();
    void checkDone();
    void deliver(const CheckOutcome& outcome);

    QPointer<QPlainTextEdit> m_editor;
    TextCheck m_check;
    std::function<QString()> m_documentPath;
    QTimer m_timer;
    bool m_enabled = true;
    QString m_lastFailure;
    // A change makes the running check stale, so a result always belongs to the text as it is.
    maintree::Worker<maintree::LatestResult<CheckOutcome>> m_job;
};

} // namespace varko::maintree
