#pragma once

#include "varko/lsp/dispatcher.h"

#include <istream>

namespace varko::lsp {

// Reads messages from `in` on a thread of its own into a queue, and dispatches them on the calling
// thread until exit or the end of the input. A cancellation is seen by the reader itself, so it
// reaches a request that is still waiting in the queue or running. Gives the exit status.
int RunMessageLoop(std::istream& in, Dispatcher& dispatcher, Connection& connection);

} // namespace varko::lsp
