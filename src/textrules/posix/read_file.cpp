#include "varko/textrules/text_rules.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varko::textrules {

namespace {

// Reads straight into the result; one byte more than expected shows at once whether the file grew.
std::optional<std::string> ReadToEnd(int fd, std::size_t expected) {
    std::string bytes(expected + 1, '\0');
    std::size_t size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (got == 0) {
            bytes.resize(size);
            return bytes;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        size += static_cast<std::size_t>(got);
    }
}

} // namespace

// Opened without blocking, so a pipe without a writer cannot stall the caller; the type is checked
// on the open descriptor, so pipes and devices (which may never end) are refused.
std::optional<std::string> ReadFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        bytes = ReadToEnd(fd, static_cast<std::size_t>(info.st_size));
    ::close(fd);
    return bytes;
}

} // namespace varko::textrules
