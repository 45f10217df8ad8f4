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

GameDirs ReadGameDirs(const textrules::TIniFile& prefs, const std::string& appDir) {
    return {prefs.ReadText(settings::kDirs, settings::kAddon, appDir),
            prefs.ReadText(settings::kDirs, settings::kSod, appDir)};
}

} // namespace varko::compiler
