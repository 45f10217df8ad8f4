#pragma once

#include "varko/maintree/session/recovery_folder.h"
#include "varko/maintree/session/recovery_store.h"

#include <mutex>
#include <optional>

namespace varko::maintree {

// What the GUI thread and the writing worker share. The mutex orders a write against a removal:
// a job whose generation is no longer the newest skips its write, so a copy never comes back
// after a save removed it.
struct RecoveryStore::Shared {
    explicit Shared(std::string path) : folder(std::move(path)) {}

    std::mutex mutex;
    std::uint64_t generation = 0;
    RecoveryFolder folder;
    // The newest job's outcome, waiting for the GUI thread, like a mailbox: the data crosses
    // under the mutex and the queued call that announces it carries nothing.
    struct Outcome {
        std::uint64_t generation = 0;
        bool ok = false;
    };
    std::optional<Outcome> outcome;
    // Announces an outcome to the GUI thread; cleared when the store goes away.
    std::function<void()> announce;
};

} // namespace varko::maintree
