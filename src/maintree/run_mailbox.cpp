#include "varko/maintree/run_mailbox.h"

namespace varko::maintree {

bool RunUpdate::Empty() const {
    return !started && messages.isEmpty() && progress == 0 && !finished && !failure;
}

void RunUpdate::Append(RunUpdate&& later) {
    if (later.started)
        started = later.started;
    if (messages.isEmpty())
        messages = std::move(later.messages);
    else
        messages.append(std::move(later.messages));
    progress += later.progress;
    if (later.finished)
        finished = later.finished;
    if (later.failure)
        failure = std::move(later.failure);
}

void RunMailbox::Post(RunUpdate update) {
    bool notify = false;
    {
        std::lock_guard lock(m_mutex);
        m_waiting.Append(std::move(update));
        notify = !m_signalled;
        m_signalled = true;
    }
    if (notify)
        emit Posted();
}

RunUpdate RunMailbox::Take() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
    return std::exchange(m_waiting, RunUpdate{});
}

} // namespace varko::maintree
