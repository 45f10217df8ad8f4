#pragma once

#include "varko/compiler/check_run.h"
#include "varko/maintree/checkrun/run_update.h"
#include "varko/maintree/worker/outbox.h"

#include <chrono>
#include <utility>

namespace varko::maintree {

// The checker's sink on the worker: gathers findings and progress and posts them to the run's
// outbox in batches, so the GUI thread handles a few hundred lines' worth at a time.
class QueuedCheckSink : public compiler::CheckSink {
public:
    explicit QueuedCheckSink(Outbox<RunUpdate>& outbox) : m_outbox(outbox) {}

    void RunStarted(int lineCount) override;
    void MessageFound(const compiler::Finding& finding) override;
    void ProgressStep() override;
    void RunFinished(int messageCount) override;
    // The run ends without checking; the text goes to the error box.
    void RunFailed(const std::string& text) override;

private:
    void flushWhenDue();
    void flush();

    Outbox<RunUpdate>& m_outbox;
    RunUpdate m_pending;
    std::chrono::steady_clock::time_point m_lastFlush = std::chrono::steady_clock::now();
};

} // namespace varko::maintree
