#pragma once

#include "varko/maintree/session/orphan_claim.h"

#include <string>
#include <vector>

namespace varko::maintree {

// The hidden folder that holds the recovery files of every running editor. Each editor takes an
// id of its own, "<process id>-<random hex>": "<id>.recovery" holds its document and "<id>.lock"
// is kept locked (flock) for as long as the editor runs, so a live editor's file is never taken
// for an orphan, not even by an editor started at the same moment.
class RecoveryFolder {
public:
    // Creates the folder when missing and claims a fresh id; Ready() tells whether that worked.
    explicit RecoveryFolder(std::string folder);
    // Unlocks and removes the lock file; a recovery file still there is left for the next start.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    bool Ready() const { return m_lockFd >= 0; }
    const std::string& Folder() const { return m_folder; }
    const std::string& Id() const { return m_id; }
    std::string DataPath() const;

    // Replaces this editor's recovery file as a whole (temporary file, fsync, rename).
    bool Write(const std::string& bytes) const;
    void Remove() const;

    // Recovery files whose owner no longer runs, oldest first, each locked for this editor until
    // its claim ends. Lock files left by owners that ended without a recovery file are removed.
    std::vector<OrphanClaim> ClaimOrphans() const;
    // Makes the orphan's file this editor's own recovery file.
    bool Adopt(OrphanClaim& claim) const;

private:
    std::string m_folder;
    std::string m_id;
    int m_lockFd = -1;
};

} // namespace varko::maintree
