#include "varko/textrules/atomic_file.h"

#include "varko/textrules/text_rules.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace varko::textrules {

namespace {

std::string ResolveLinks(const std::string& path) {
    std::error_code ec;
    fs::path target = path;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops) {
        fs::path link = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target.string();
}

// ".name<suffix>" beside the file: the helpers a write needs stay out of directory listings.
std::string HiddenSibling(const std::string& path, const char* suffix) {
    const fs::path file(path);
    return (file.parent_path() / ("." + file.filename().string() + suffix)).string();
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const std::string target = ResolveLinks(path);
    mode_t mode = 0666 & ~[] {
        mode_t mask = ::umask(0);
        ::umask(mask);
        return mask;
    }();
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        // A read-only file stays read-only: replacing it would go around its protection.
        if (!S_ISREG(existing.st_mode) || (existing.st_mode & 0222) == 0 ||
            ::access(target.c_str(), W_OK) != 0)
            return false;
        mode = existing.st_mode & 07777;
    }

    std::string temp = HiddenSibling(target, ".XXXXXX");
    FdGuard fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return false;
    bool ok = WriteAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0 && ::fsync(fd.get()) == 0;
    ok = ::close(fd.release()) == 0 && ok;
    if (ok && ::rename(temp.c_str(), target.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

bool EditFileLocked(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::optional<std::string>&)>& edit) {
    const std::string target = ResolveLinks(path);
    FdGuard lock(::open(HiddenSibling(target, ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (lock.get() < 0)
        return false;
    while (::flock(lock.get(), LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    std::optional<std::string> current = ReadFileBytes(target);
    std::error_code ec;
    if (!current && fs::exists(target, ec))
        return false; // present but unreadable: never overwrite what we could not read
    std::optional<std::string> updated = edit(current);
    if (!updated)
        return true;
    return ReplaceFileContent(target, *updated);
}

} // namespace varko::textrules
