#include "varko/maintree/checkrun/check_run.h"

#include "varko/maintree/checkrun/queued_check_sink.h"
#include "varko/maintree/editor/editor_text.h"

#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

namespace varko::maintree {

namespace {

// Laid over status panel 1 (panel 0 is 50 pixels wide, panel 1 150).
const QRect kProgressGeometry(52, 2, 148, 17);
// The GUI thread shows or removes messages in chunks until a slice is used up, then lets other
// events in.
constexpr int kMessageChunk = 256;
constexpr int kClearChunk = 2048;
constexpr qint64 kSliceMs = 10;
// Each visible step of the progress bar repaints it at once; a few steps a second are plenty.
constexpr qint64 kProgressIntervalMs = 50;

// The run's job on the worker: it reads its own copies of the text and the file name, and the
// environment, which is safe to refresh and read from a worker.
void CheckOnWorker(QString text, const std::string& currentFile, compiler::CheckEnvironment& environment,
                   const std::atomic<bool>& stop, Outbox<RunUpdate>& outbox) {
    QueuedCheckSink sink(outbox);
    try {
        const textrules::LineList lines = RawTextLines(text);
        // A long document's copy is freed as soon as it is cut into lines.
        text.clear();
        // Only what changed since the last run is read again. Without declarations an ODF run
        // starts (clearing the last run's messages) and fails with the error box.
        environment.Refresh();
        compiler::CheckDocument(lines, compiler::KindOfPath(currentFile), environment, stop, sink);
    } catch (const std::exception& failure) {
        // The run must still end idle; the failure is shown like any other.
        sink.RunFailed(failure.what());
    }
}

} // namespace

CheckRun::CheckRun(CheckRunWidgets widgets, CheckRunSources sources, QObject* parent)
    : QObject(parent), m_showRunButton(std::move(widgets.showRunButton)), m_messageList(widgets.messageList),
      m_messageSplitter(widgets.messageSplitter), m_statusBar(widgets.statusBar),
      m_showSummary(std::move(widgets.showSummary)), m_showFaults(std::move(widgets.showFaults)),
      m_sources(std::move(sources)) {
    // All items are one line of the same font; the list lays out long runs much faster knowing it.
    if (m_messageList)
        m_messageList->setUniformItemSizes(true);
    connect(&m_worker, &WorkerThread::posted, this, &CheckRun::takePosted, Qt::QueuedConnection);
}

CheckRun::~CheckRun() {
    m_closing = true;
    m_worker.close();
    delete m_progress;
}

void CheckRun::startOrStop() {
    if (running()) {
        m_worker.stop();
        return;
    }
    QString text = m_sources.editorText ? m_sources.editorText() : QString();
    std::string currentFile =
        m_sources.currentFile ? QFile::encodeName(m_sources.currentFile()).toStdString() : std::string();
    m_runOpen = true;
    showButton(RunButtonState::Running);
    showMessageList(true);
    m_worker.start([text = std::move(text), currentFile = std::move(currentFile),
                    environment = m_sources.environment](const std::atomic<bool>& stop,
                                                         Outbox<RunUpdate>& outbox) mutable {
        CheckOnWorker(std::move(text), currentFile, *environment, stop, outbox);
    });
}

void CheckRun::takePosted() {
    m_backlog.append(m_worker.take());
    if (!m_continueScheduled)
        applyBacklog();
}

void CheckRun::continueApplying() {
    m_continueScheduled = false;
    applyBacklog();
}

void CheckRun::applyBacklog() {
    QElapsedTimer slice;
    slice.start();
    if (m_backlog.started) {
        if (!clearSomeMessages(slice))
            return continueLater();
        beginRun(*std::exchange(m_backlog.started, std::nullopt));
    }
    advanceProgress(std::exchange(m_backlog.progress, 0));
    while (!m_backlog.messages.isEmpty() && slice.elapsed() < kSliceMs) {
        const qsizetype count = std::min<qsizetype>(kMessageChunk, m_backlog.messages.size());
        appendMessages(m_backlog.messages.first(count));
        m_backlog.messages.remove(0, count);
    }
    if (!m_backlog.messages.isEmpty())
        return continueLater();
    if (m_backlog.finished)
        finishRun(*std::exchange(m_backlog.finished, std::nullopt));
    else if (m_backlog.failure)
        failRun(*std::exchange(m_backlog.failure, std::nullopt));
}

void CheckRun::continueLater() {
    m_continueScheduled = true;
    QTimer::singleShot(0, this, &CheckRun::continueApplying);
}

// The last run's messages go from the end backwards, which keeps each removal cheap; true once
// the list is empty.
bool CheckRun::clearSomeMessages(const QElapsedTimer& slice) {
    while (m_messageList && m_messageList->count() > 0) {
        if (slice.elapsed() >= kSliceMs)
            return false;
        const int count = std::min(kClearChunk, m_messageList->count());
        m_messageList->model()->removeRows(m_messageList->count() - count, count);
    }
    return true;
}

void CheckRun::beginRun(int lineCount) {
    m_linesPassed = 0;
    m_listed.emplace();
    delete m_progress;
    if (!m_statusBar)
        return;
    m_progress = new QProgressBar(m_statusBar);
    m_progress->setObjectName(QStringLiteral("checkProgress"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, lineCount);
    m_progress->setValue(0);
    m_progressShown.start();
    m_progress->setGeometry(kProgressGeometry);
    m_progress->show();
    m_progress->raise();
}

// Each item keeps its finding's line, which the message list goes to.
void CheckRun::appendMessages(const QList<compiler::Finding>& findings) {
    if (m_listed)
        m_listed->insert(m_listed->end(), findings.begin(), findings.end());
    if (!m_messageList)
        return;
    for (const compiler::Finding& finding : findings) {
        const std::string text = compiler::MessageText(finding);
        auto* item =
            new QListWidgetItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        item->setData(Qt::UserRole, finding.line);
        m_messageList->addItem(item);
    }
}

void CheckRun::advanceProgress(int lines) {
    m_linesPassed += lines;
    if (m_progress && m_progress->value() != m_linesPassed &&
        m_progressShown.elapsed() >= kProgressIntervalMs) {
        m_progress->setValue(m_linesPassed);
        m_progressShown.start();
    }
}

void CheckRun::finishRun(int messageCount) {
    showMessageList(messageCount > 0);
    if (m_showSummary)
        m_showSummary(QString::fromStdString(compiler::SummaryText(messageCount)));
    closeRun();
}

void CheckRun::failRun(const QString& text) {
    showMessageList(m_messageList && m_messageList->count() > 0);
    // A run that could not finish has no summary; the last run's would be stale.
    if (m_showSummary)
        m_showSummary(QString());
    closeRun();
    // Last, since the box waits for the user in an event loop of its own.
    if (m_sources.showError && !m_closing)
        m_sources.showError(text);
}

void CheckRun::closeRun() {
    delete m_progress;
    showButton(RunButtonState::Idle);
    m_runOpen = false;
    if (m_listed && m_showFaults)
        m_showFaults(std::move(*m_listed));
    m_listed.reset();
    emit runEnded();
}

void CheckRun::showButton(RunButtonState state) {
    m_buttonState = state;
    if (m_showRunButton)
        m_showRunButton(state);
}

void CheckRun::showMessageList(bool visible) {
    if (m_messageSplitter)
        m_messageSplitter->setVisible(visible);
    if (m_messageList)
        m_messageList->setVisible(visible);
}

} // namespace varko::maintree
