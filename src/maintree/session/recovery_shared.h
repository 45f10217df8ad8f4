#pragma once

#include "varko/session/recovery_folder.h"
#include "varko/session/recovery_store.h"

#include <mutex>

namespace varko::session {

// What the GUI thread and the writing worker share. The mutex orders a write against a removal:
// a job whose generation is no longer the newest skips its write, so a copy never comes back
// after a save removed it.
struct RecoveryStore::Shared {
    explicit Shared(std::string path) : folder(std::move(path)) {}

    std::mutex mutex;
    std::uint64_t generation = 0;
    RecoveryFolder folder;
    // Hands a job's result to the GUI thread; cleared when the store goes away.
    std::function<void(std::uint64_t, bool)> deliver;
};

} // namespace varko::session
