#pragma once

#include <string>

namespace varko::maintree {

// An orphaned recovery file held under its owner's lock, so no other editor offers it meanwhile.
// Ending the claim without Discard or Adopt leaves the file for a later start.
class OrphanClaim {
public:
    OrphanClaim(std::string folder, std::string id, int lockFd);
    ~OrphanClaim();
    OrphanClaim(OrphanClaim&& other) noexcept;
    OrphanClaim& operator=(OrphanClaim&& other) noexcept;

    const std::string& Id() const { return m_id; }
    std::string DataPath() const;
    // Whatever bytes can be read; empty when the file is unreadable.
    std::string Read() const;
    // Removes the recovery file and its lock file.
    void Discard();

private:
    friend class RecoveryFolder;
    void Release(bool removeLockFile);

    std::string m_folder;
    std::string m_id;
    int m_lockFd = -1;
};

} // namespace varko::maintree
