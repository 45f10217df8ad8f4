#include "varko/maintree/session/recovery_folder.h"

#include "recovery_names.h"
#include "varko/maintree/session/orphan_claim.h"

#include "varko/textrules/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <set>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace varko::maintree {

namespace {

std::string FreshId() {
    std::random_device device;
    const unsigned long long random = (static_cast<unsigned long long>(device()) << 32) ^ device();
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", random);
    return std::to_string(::getpid()) + "-" + hex;
}

bool LockNow(int fd) {
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// The id a file of the folder belongs to; empty for the hidden temporaries and for strangers.
std::string IdOfEntry(const std::string& name) {
    if (name.empty() || name.front() == '.')
        return {};
    for (std::string_view suffix : {kDataSuffix, kLockSuffix}) {
        if (name.size() > suffix.size() && name.ends_with(suffix))
            return name.substr(0, name.size() - suffix.size());
    }
    return {};
}

std::set<std::string> IdsInFolder(const std::string& folder) {
    std::set<std::string> ids;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (std::string id = IdOfEntry(it->path().filename().string()); !id.empty())
            ids.insert(std::move(id));
    }
    return ids;
}

// Opens (creating when missing) and locks an owner's lock file; -1 while its owner runs.
int LockOwner(const std::string& lockPath) {
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC); // a folder we may only read
    if (fd < 0)
        return -1;
    if (!LockNow(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

RecoveryFolder::RecoveryFolder(std::string folder) : m_folder(std::move(folder)) {
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    for (int attempt = 0; attempt < 8 && m_lockFd < 0; ++attempt) {
        std::string id = FreshId();
        const int fd = ::open(RecoveryPath(m_folder, id, kLockSuffix).c_str(),
                              O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return;
        if (!LockNow(fd)) {
            ::unlink(RecoveryPath(m_folder, id, kLockSuffix).c_str());
            ::close(fd);
            return;
        }
        m_id = std::move(id);
        m_lockFd = fd;
    }
}

RecoveryFolder::~RecoveryFolder() {
    if (m_lockFd < 0)
        return;
    ::unlink(RecoveryPath(m_folder, m_id, kLockSuffix).c_str());
    ::close(m_lockFd);
}

std::string RecoveryFolder::DataPath() const {
    return RecoveryPath(m_folder, m_id, kDataSuffix);
}

bool RecoveryFolder::Write(const std::string& bytes) const {
    return Ready() && textrules::ReplaceFileContent(DataPath(), bytes);
}

void RecoveryFolder::Remove() const {
    if (Ready())
        ::unlink(DataPath().c_str());
}

std::vector<OrphanClaim> RecoveryFolder::ClaimOrphans() const {
    std::vector<std::pair<fs::file_time_type, OrphanClaim>> found;
    for (const std::string& id : IdsInFolder(m_folder)) {
        if (id == m_id)
            continue;
        const int fd = LockOwner(RecoveryPath(m_folder, id, kLockSuffix));
        if (fd < 0)
            continue;
        OrphanClaim claim(m_folder, id, fd);
        std::error_code ec;
        const fs::file_time_type written = fs::last_write_time(claim.DataPath(), ec);
        if (ec || !fs::is_regular_file(claim.DataPath(), ec))
            claim.Release(true); // an owner that ended with nothing to recover
        else
            found.emplace_back(written, std::move(claim));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<OrphanClaim> claims;
    for (auto& entry : found)
        claims.push_back(std::move(entry.second));
    return claims;
}

bool RecoveryFolder::Adopt(OrphanClaim& claim) const {
    if (!Ready() || ::rename(claim.DataPath().c_str(), DataPath().c_str()) != 0)
        return false;
    claim.Release(true);
    return true;
}

std::string RecoveryPath(const std::string& folder, const std::string& id, std::string_view suffix) {
    return (fs::path(folder) / (id + std::string(suffix))).string();
}

void RemoveTemporaries(const std::string& folder, const std::string& id) {
    const std::string prefix = "." + id + std::string(kDataSuffix) + ".";
    std::error_code ec;
    std::vector<fs::path> doomed;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().starts_with(prefix))
            doomed.push_back(it->path());
    }
    for (const fs::path& path : doomed)
        fs::remove(path, ec);
}

} // namespace varko::maintree
