#pragma once

#include "varko/compiler/game_files.h"
#include "varko/compiler/property_line.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// Everything a check reads besides the document: the declarations table (declarations.txt), the
// ignore list (ignorefiles.txt) and the catalogues of the addon and SOD directories.
//
// Nothing is read until the first Refresh or SetGameDirs. After that each part is read again
// only when its file or directory changed (its modification time moved, or it was stamped too
// recently to vouch for what was read). A relative directory is taken from the environment's own
// base directory: the process's current directory at construction, then the directory of each
// successful pointing. The process's current directory is never changed.
//
// Lookups are safe from worker threads while another thread calls SetGameDirs or Refresh; a
// check takes Files() and Declarations() once and keeps them to its end.
class CheckEnvironment {
public:
    // `appDir` holds declarations.txt and ignorefiles.txt; a missing trailing separator is added.
    explicit CheckEnvironment(std::string appDir);
    ~CheckEnvironment();
    CheckEnvironment(const CheckEnvironment&) = delete;
    CheckEnvironment& operator=(const CheckEnvironment&) = delete;

    // Points the catalogues at the SOD directories, then at the addon directories (files
    // "*.odf"), each searched in the order given. A directory that changed is listed now; one
    // pointed at again is listed again by the next Refresh when it changed. A directory that cannot be
    // accessed keeps the one its place had (or leaves its place out); an empty value keeps it too. Gives the
    // text of each failure in that order: "Cannot access SOD directory: <value>", then "Cannot access ODF
    // directory: <value>".
    std::vector<std::string> SetGameDirs(std::vector<std::string> addonDirs,
                                         std::vector<std::string> sodDirs);
    // Reads again what changed. Gives the text of each data file that cannot be read: for now
    // only "Cannot access the declarations file \"declarations.txt\"!" (a missing ignore list
    // is an empty one).
    std::vector<std::string> Refresh();

    // Null while declarations.txt cannot be read. The table stays valid for whoever holds it.
    std::shared_ptr<const DeclarationTable> Declarations() const;
    GameFiles Files() const;

    bool OdfExists(std::string_view name) const { return Files().OdfExists(name); }
    bool SodExists(std::string_view name) const { return Files().SodExists(name); }
    std::optional<std::string> FindOdfPath(std::string_view name) const { return Files().FindOdfPath(name); }
    std::vector<std::string> OdfNames() const { return Files().OdfNames(); }
    std::vector<std::string> SodNames() const { return Files().SodNames(); }
    std::vector<std::string> AddonDirs() const { return Files().AddonDirs(); }
    std::vector<std::string> SodDirs() const { return Files().SodDirs(); }
    // Where a relative directory value is taken from; after a successful pointing of the addon
    // directory, that directory.
    std::string BaseDirectory() const;

private:
    // What a data file's modification time said when it was last read.
    struct Stamp {
        std::optional<std::filesystem::file_time_type> time; // nullopt: missing
        bool read = false;
        bool trusted = false;
    };

    using Catalogues = std::vector<std::shared_ptr<FileCatalogue>>;

    bool DataFileChanged(const char* name, Stamp& stamp) const;
    Catalogues Point(const Catalogues& old, const std::vector<std::string>& values, const char* mask,
                     const char* failure, std::string& base, std::vector<std::string>& failures) const;
    void RefreshCataloguesLocked();
    void Publish(std::shared_ptr<const DeclarationTable> declarations, std::shared_ptr<const NameList> ignore,
                 std::string baseDir);

    const std::string m_appDir;
    // One SetGameDirs or Refresh at a time; guards the members up to m_publishing.
    std::mutex m_update;
    Stamp m_declarationsStamp;
    Stamp m_ignoreStamp;
    Catalogues m_addon;
    Catalogues m_sod;

    // What lookups read, replaced whole under its own lock.
    struct Published {
        std::string baseDir;
        std::shared_ptr<const DeclarationTable> declarations;
        GameFiles files;
    };
    Published Current() const;

    mutable std::mutex m_publishing;
    Published m_published;
};

} // namespace varko::compiler
