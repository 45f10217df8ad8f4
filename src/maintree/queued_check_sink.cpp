#include "varko/maintree/queued_check_sink.h"

namespace varko::maintree {

namespace {

constexpr int kBatchMessages = 512;
// Keeps the progress bar moving on slow documents (each SOD lookup may list a directory).
constexpr auto kFlushInterval = std::chrono::milliseconds(25);

} // namespace

void QueuedCheckSink::RunStarted(int lineCount) {
    m_pending.started = lineCount;
    Flush();
}

void QueuedCheckSink::MessageFound(const compiler::Finding& finding) {
    m_pending.messages.append(finding);
    if (m_pending.messages.size() >= kBatchMessages)
        Flush();
}

void QueuedCheckSink::ProgressStep() {
    ++m_pending.progress;
    FlushWhenDue();
}

void QueuedCheckSink::RunFinished(int messageCount) {
    m_pending.finished = messageCount;
    Flush();
}

void QueuedCheckSink::RunFailed(const std::string& text) {
    m_pending.failure = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    Flush();
}

void QueuedCheckSink::FlushWhenDue() {
    if (std::chrono::steady_clock::now() - m_lastFlush >= kFlushInterval)
        Flush();
}

void QueuedCheckSink::Flush() {
    m_lastFlush = std::chrono::steady_clock::now();
    if (!m_pending.Empty())
        m_mailbox.Post(std::exchange(m_pending, RunUpdate{}));
}

} // namespace varko::maintree
