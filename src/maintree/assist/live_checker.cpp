#include "varko/maintree/assist/live_checker.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <exception>

namespace varko::maintree {

LiveChecker::LiveChecker(QPlainTextEdit* editor, TextCheck check, std::function<QString()> documentPath,
                         QObject* parent)
    : QObject(parent), m_editor(editor), m_check(std::move(check)), m_documentPath(std::move(documentPath)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDefaultDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &LiveChecker::startCheck);
    connect(&m_job, &maintree::WorkerThread::finished, this, &LiveChecker::checkDone);
}

LiveChecker::~LiveChecker() {
    m_job.close();
}

void LiveChecker::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        textChanged();
        return;
    }
    m_timer.stop();
    m_job.cancel();
}

void LiveChecker::textChanged() {
    if (!m_enabled)
        return;
    m_job.cancel();
    m_timer.start();
}

void LiveChecker::startCheck() {
    if (!m_editor || !m_check)
        return;
    QString text = m_editor->document()->toRawText();
    std::string path = m_documentPath ? QFile::encodeName(m_documentPath()).toStdString() : std::string();
    m_job.start([check = m_check, text = std::move(text),
                 path = std::move(path)](const std::atomic<bool>& stop,
                                         maintree::Outbox<maintree::LatestResult<CheckOutcome>>& outbox) {
        CheckOutcome outcome;
        try {
            outcome = check(text, path, stop);
        } catch (const std::exception& error) {
            outcome = {{}, error.what()};
        }
        outbox.post({std::move(outcome)});
    });
}

void LiveChecker::checkDone() {
    std::optional<CheckOutcome> outcome = m_job.take().value;
    if (outcome && m_enabled)
        deliver(*outcome);
}

void LiveChecker::deliver(const CheckOutcome& outcome) {
    if (outcome.failure.empty()) {
        m_lastFailure.clear();
        emit findingsReady(outcome.findings);
        return;
    }
    const QString failure = QString::fromStdString(outcome.failure);
    if (failure == m_lastFailure)
        return;
    m_lastFailure = failure;
    emit checkFailed(failure);
}

} // namespace varko::maintree
