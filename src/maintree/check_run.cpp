#include "varko/maintree/check_run.h"
#include "varko/maintree/editor_text.h"

#include "varko/maintree/queued_check_sink.h"

#include <QAction>
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

const QString kRunHint = QStringLiteral("Run debugger...");
const QString kStopHint = QStringLiteral("Stop debugger...");

} // namespace

CheckRun::CheckRun(CheckRunWidgets widgets, CheckRunSources sources, QObject* parent)
    : QObject(parent), m_tbRun(widgets.tb_Run), m_setRunImage(std::move(widgets.setRunImage)),
      m_msgList(widgets.MsgList), m_splitedit(widgets.Splitedit), m_statusBar(widgets.StatusBar),
      m_setSummary(std::move(widgets.setSummary)), m_sources(std::move(sources)) {
    // All items are one line of the same font; the list lays out long runs much faster knowing it.
    if (m_msgList)
        m_msgList->setUniformItemSizes(true);
    connect(&m_mailbox, &RunMailbox::Posted, this, &CheckRun::TakePosted, Qt::QueuedConnection);
    Runthd.SetOnExecute([this](const std::atomic<bool>& stop) { RunthdExecute(stop); });
    // A long document's copy is freed as soon as it has been checked, so that the next run's copy
    // reuses its memory.
    connect(&Runthd, &WorkerThread::Ended, this, [this] { m_job = Job{}; });
}

CheckRun::~CheckRun() {
    m_closing = true;
    Runthd.Close();
    delete m_progress;
}

void CheckRun::tb_RunClick() {
    if (Running()) {
        Runthd.Stop();
        return;
    }
    m_job.text = m_sources.editorText ? m_sources.editorText() : QString();
    m_job.currentFile = m_sources.currentFile ? QFile::encodeName(m_sources.currentFile()).toStdString() : "";
    m_runOpen = true;
    SetButton(kImageRunning, kStopHint);
    ShowMessageList(true);
    Runthd.Start();
}

void CheckRun::RunthdExecute(const std::atomic<bool>& stop) {
    QueuedCheckSink sink(m_mailbox);
    try {
        const textrules::LineList lines = RawTextLines(m_job.text);
        // Only what changed since the last run is read again. Without declarations an ODF run
        // starts (clearing the last run's messages) and fails with the error box.
        m_sources.environment->Refresh();
        compiler::CheckDocument(lines, compiler::KindOfPath(m_job.currentFile), *m_sources.environment, stop,
                                sink);
    } catch (const std::exception& failure) {
        // The run must still end idle; the failure is shown like any other.
        sink.RunFailed(failure.what());
    }
}

void CheckRun::TakePosted() {
    m_backlog.Append(m_mailbox.Take());
    if (!m_continueScheduled)
        ApplyBacklog();
}

void CheckRun::ContinueApplying() {
    m_continueScheduled = false;
    ApplyBacklog();
}

void CheckRun::ApplyBacklog() {
    QElapsedTimer slice;
    slice.start();
    if (m_backlog.started) {
        if (!ClearSomeMessages(slice))
            return ContinueLater();
        BeginRun(*std::exchange(m_backlog.started, std::nullopt));
    }
    AdvanceProgress(std::exchange(m_backlog.progress, 0));
    while (!m_backlog.messages.isEmpty() && slice.elapsed() < kSliceMs) {
        const qsizetype count = std::min<qsizetype>(kMessageChunk, m_backlog.messages.size());
        AppendMessages(m_backlog.messages.first(count));
        m_backlog.messages.remove(0, count);
    }
    if (!m_backlog.messages.isEmpty())
        return ContinueLater();
    if (m_backlog.finished)
        FinishRun(*std::exchange(m_backlog.finished, std::nullopt));
    else if (m_backlog.failure)
        FailRun(*std::exchange(m_backlog.failure, std::nullopt));
}

void CheckRun::ContinueLater() {
    m_continueScheduled = true;
    QTimer::singleShot(0, this, &CheckRun::ContinueApplying);
}

// The last run's messages go from the end backwards, which keeps each removal cheap; true once
// the list is empty.
bool CheckRun::ClearSomeMessages(const QElapsedTimer& slice) {
    while (m_msgList && m_msgList->count() > 0) {
        if (slice.elapsed() >= kSliceMs)
            return false;
        const int count = std::min(kClearChunk, m_msgList->count());
        m_msgList->model()->removeRows(m_msgList->count() - count, count);
    }
    return true;
}

void CheckRun::BeginRun(int lineCount) {
    m_linesPassed = 0;
    delete m_progress;
    if (!m_statusBar)
        return;
    m_progress = new QProgressBar(m_statusBar);
    m_progress->setObjectName(QStringLiteral("CheckProgress"));
    m_progress->setTextVisible(false);
    m_progress->setRange(0, lineCount);
    m_progress->setValue(0);
    m_progressShown.start();
    m_progress->setGeometry(kProgressGeometry);
    m_progress->show();
    m_progress->raise();
}

// Each item keeps its finding's line, which the message list goes to.
void CheckRun::AppendMessages(const QList<compiler::Finding>& findings) {
    if (!m_msgList)
        return;
    for (const compiler::Finding& finding : findings) {
        const std::string text = compiler::MessageText(finding);
        auto* item =
            new QListWidgetItem(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        item->setData(Qt::UserRole, finding.line);
        m_msgList->addItem(item);
    }
}

void CheckRun::AdvanceProgress(int lines) {
    m_linesPassed += lines;
    if (m_progress && m_progress->value() != m_linesPassed &&
        m_progressShown.elapsed() >= kProgressIntervalMs) {
        m_progress->setValue(m_linesPassed);
        m_progressShown.start();
    }
}

void CheckRun::FinishRun(int messageCount) {
    ShowMessageList(messageCount > 0);
    if (m_setSummary)
        m_setSummary(QString::fromStdString(compiler::SummaryText(messageCount)));
    CloseRun();
}

void CheckRun::FailRun(const QString& text) {
    ShowMessageList(m_msgList && m_msgList->count() > 0);
    // A run that could not finish has no summary; the last run's would be stale.
    if (m_setSummary)
        m_setSummary(QString());
    CloseRun();
    // Last, since the box waits for the user in an event loop of its own.
    if (m_sources.showError && !m_closing)
        m_sources.showError(text);
}

void CheckRun::CloseRun() {
    delete m_progress;
    SetButton(kImageIdle, kRunHint);
    m_runOpen = false;
    emit RunEnded();
}

void CheckRun::SetButton(int imageIndex, const QString& hint) {
    m_imageIndex = imageIndex;
    if (m_tbRun)
        m_tbRun->setToolTip(hint);
    if (m_setRunImage)
        m_setRunImage(imageIndex);
}

void CheckRun::ShowMessageList(bool visible) {
    if (m_splitedit)
        m_splitedit->setVisible(visible);
    if (m_msgList)
        m_msgList->setVisible(visible);
}

} // namespace varko::maintree
