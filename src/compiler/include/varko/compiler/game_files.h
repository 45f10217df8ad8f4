#pragma once

#include "varko/compiler/file_catalogue.h"
#include "varko/compiler/name_list.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

// The files a check may name: the ODF files of the addon directories (and the built-in names of
// the ignore list) and the files of the SOD directories. A cheap value: it shares its catalogues,
// which stay safe to search while another thread refreshes them.
class GameFiles {
public:
    using Catalogues = std::vector<std::shared_ptr<const FileCatalogue>>;

    GameFiles() = default;
    GameFiles(Catalogues addon, Catalogues sod, std::shared_ptr<const NameList> ignore);

    // In any addon catalogue or in the ignore list, ignoring case.
    bool OdfExists(std::string_view name) const;
    // In any SOD catalogue, ignoring case.
    bool SodExists(std::string_view name) const;
    // The absolute path of the first addon directory's file of that name, case ignored. A name
    // holding "/" or ".." never leaves the addon directories: it finds nothing.
    std::optional<std::string> FindOdfPath(std::string_view name) const;
    // Every name once (the first directory's spelling), sorted ignoring case.
    std::vector<std::string> OdfNames() const;
    std::vector<std::string> SodNames() const;
    // The absolute directories, in search order.
    std::vector<std::string> AddonDirs() const;
    std::vector<std::string> SodDirs() const;

    const Catalogues& Addon() const { return m_addon; }
    const Catalogues& Sod() const { return m_sod; }
    const std::shared_ptr<const NameList>& Ignore() const { return m_ignore; }

private:
    Catalogues m_addon;
    Catalogues m_sod;
    std::shared_ptr<const NameList> m_ignore;
};

} // namespace varko::compiler
