#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace varko::textrules {

// Replaces the file's content as a whole: the bytes go to a temporary file beside it, which is
// flushed and renamed into place. A symbolic link is followed to its target; the permission bits
// of an existing file are kept. A file that is read-only (no write permission bit, or not writable
// by this process) is not replaced. A failure leaves the old file untouched and returns false.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

// Runs `edit` on the file's current content (nullopt when it does not exist) while holding an
// exclusive lock on ".<name>.lock" beside the file, then writes what it returns. Concurrent editors of the
// same file in other processes wait for each other, so neither change is lost. `edit` returning nullopt means
// "nothing to write". False when the lock or the write failed.
bool EditFileLocked(const std::string& path,
                    const std::function<std::optional<std::string>(const std::optional<std::string>&)>& edit);

} // namespace varko::textrules
