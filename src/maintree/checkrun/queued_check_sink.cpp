#include "varko/maintree/checkrun/queued_check_sink.h"

namespace varko::maintree {

namespace {

constexpr int kBatchMessages = 512;
// Keeps the progress bar moving on slow documents (each SOD lookup may list a directory).
constexpr auto kFlushInterval = std::chrono::milliseconds(25);

} // namespace

void QueuedCheckSink::RunStarted(int lineCount) {
    m_pending.started = lineCount;
    flush();
}

void QueuedCheckSink::MessageFound(const compiler::Finding& finding) {
    m_pending.messages.append(finding);
    if (m_pending.messages.size() >= kBatchMessages)
        flush();
}

void QueuedCheckSink::ProgressStep() {
    ++m_pending.progress;
    flushWhenDue();
}

void QueuedCheckSink::RunFinished(int messageCount) {
    m_pending.finished = messageCount;
    flush();
}

void QueuedCheckSink::RunFailed(const std::string& text) {
    m_pending.failure = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    flush();
}

void QueuedCheckSink::flushWhenDue() {
    if (std::chrono::steady_clock::now() - m_lastFlush >= kFlushInterval)
        flush();
}

void QueuedCheckSink::flush() {
    m_lastFlush = std::chrono::steady_clock::now();
    if (!m_pending.empty())
        m_outbox.post(std::exchange(m_pending, RunUpdate{}));
}

} // namespace varko::maintree
