#include "varko/maintree/checkrun/run_update.h"

namespace varko::maintree {

bool RunUpdate::empty() const {
    return !started && messages.isEmpty() && progress == 0 && !finished && !failure;
}

void RunUpdate::append(RunUpdate&& later) {
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

} // namespace varko::maintree
