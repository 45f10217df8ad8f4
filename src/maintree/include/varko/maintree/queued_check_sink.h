#pragma once

#include "varko/compiler/check_run.h"
#include "varko/maintree/run_mailbox.h"

#include <chrono>
#include <utility>

namespace varko::maintree {

// The checker's sink on the worker: gathers messages and progress and posts them to the mailbox
// in batches, so the GUI thread handles a few hundred lines' worth at a time.
class QueuedCheckSink : public compiler::CheckSink {
public:
    explicit QueuedCheckSink(RunMailbox& mailbox) : m_mailbox(mailbox) {}

    void RunStarted(int lineCount) override;
    void MessageFound(const compiler::Finding& finding) override;
    void ProgressStep() override;
    void RunFinished(int messageCount) override;
    // The run ends without checking; the text goes to the error box.
    void RunFailed(const std::string& text) override;

private:
    void FlushWhenDue();
    void Flush();

    RunMailbox& m_mailbox;
    RunUpdate m_pending;
    std::chrono::steady_clock::time_point m_lastFlush = std::chrono::steady_clock::now();
};

} // namespace varko::maintree
