#include "varko/compiler/data_files.h"
#include "varko/compiler/settings.h"

namespace varko::compiler {

std::optional<DeclarationTable> LoadDeclarations(const std::string& appDir) {
    textrules::LineList lines;
    if (!textrules::LoadLines(lines, appDir + kDeclarationsFile))
        return std::nullopt;
    return DeclarationTable(lines);
}

NameList LoadIgnoreFiles(const std::string& appDir) {
    textrules::LineList lines;
    textrules::LoadLines(lines, appDir + kIgnoreFilesFile);
    return NameList(lines);
}

std::vector<std::string> RefreshCatalogues(FileCatalogue& sodCatalogue, FileCatalogue& odfCatalogue,
                                           const GameDirs& dirs) {
    std::vector<std::string> failures;
    if (!sodCatalogue.PointAt(dirs.sod))
        failures.push_back("Cannot access SOD directory: " + dirs.sod);
    if (odfCatalogue.PointAt(dirs.addon))
        odfCatalogue.SetMask("*.odf");
    else
        failures.push_back("Cannot access ODF directory: " + dirs.addon);
    return failures;
}

GameDirs ReadGameDirs(const textrules::TIniFile& prefs, const std::string& appDir) {
    return {prefs.ReadText(settings::kDirs, settings::kAddon, appDir),
            prefs.ReadText(settings::kDirs, settings::kSod, appDir)};
}

} // namespace varko::compiler
