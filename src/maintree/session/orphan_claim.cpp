#include "varko/maintree/session/orphan_claim.h"

#include "recovery_names.h"
#include "varko/textrules/text_rules.h"

#include <unistd.h>
#include <utility>

namespace varko::maintree {

OrphanClaim::OrphanClaim(std::string folder, std::string id, int lockFd)
    : m_folder(std::move(folder)), m_id(std::move(id)), m_lockFd(lockFd) {}

OrphanClaim::~OrphanClaim() {
    Release(false);
}

OrphanClaim::OrphanClaim(OrphanClaim&& other) noexcept
    : m_folder(std::move(other.m_folder)), m_id(std::move(other.m_id)),
      m_lockFd(std::exchange(other.m_lockFd, -1)) {}

OrphanClaim& OrphanClaim::operator=(OrphanClaim&& other) noexcept {
    if (this != &other) {
        Release(false);
        m_folder = std::move(other.m_folder);
        m_id = std::move(other.m_id);
        m_lockFd = std::exchange(other.m_lockFd, -1);
    }
    return *this;
}

std::string OrphanClaim::DataPath() const {
    return RecoveryPath(m_folder, m_id, kDataSuffix);
}

std::string OrphanClaim::Read() const {
    return textrules::ReadFileBytes(DataPath()).value_or(std::string());
}

void OrphanClaim::Discard() {
    if (m_lockFd < 0)
        return;
    ::unlink(DataPath().c_str());
    Release(true);
}

void OrphanClaim::Release(bool removeLockFile) {
    if (m_lockFd < 0)
        return;
    if (removeLockFile) {
        // Unlinked while still locked, so nobody can lock this lock file in between.
        ::unlink(RecoveryPath(m_folder, m_id, kLockSuffix).c_str());
        RemoveTemporaries(m_folder, m_id);
    }
    ::close(m_lockFd);
    m_lockFd = -1;
}

} // namespace varko::maintree
