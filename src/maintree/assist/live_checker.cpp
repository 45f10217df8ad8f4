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
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_running)
            m_checkWhenDone = true;
        else
            startCheck();
    });
}

LiveChecker::~LiveChecker() {
    m_job.stop();
    m_job.waitForDone();
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
    m_checkWhenDone = false;
    ++m_generation;
    m_job.stop();
}

void LiveChecker::textChanged() {
    if (!m_enabled)
        return;
    ++m_generation;
    m_job.stop();
    m_timer.start();
}

void LiveChecker::startCheck() {
    if (!m_editor || !m_check)
        return;
    m_checkWhenDone = false;
    m_running = true;
    const quint64 generation = m_generation;
    QString text = m_editor->document()->toRawText();
    std::string path = m_documentPath ? QFile::encodeName(m_documentPath()).toStdString() : std::string();
    m_job.start([this, check = m_check, text = std::move(text), path = std::move(path),
                 generation](const std::atomic<bool>& stop) {
        CheckOutcome outcome;
        try {
            outcome = check(text, path, stop);
        } catch (const std::exception& error) {
            outcome = {{}, error.what()};
        }
        QMetaObject::invokeMethod(
            this, [this, generation, outcome = std::move(outcome)] { checkDone(generation, outcome); },
            Qt::QueuedConnection);
    });
}

void LiveChecker::checkDone(quint64 generation, const CheckOutcome& outcome) {
    m_running = false;
    if (generation == m_generation && m_enabled)
        deliver(outcome);
    if (m_checkWhenDone)
        startCheck();
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
