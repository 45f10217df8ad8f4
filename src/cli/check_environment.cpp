#include "varko/cli/check_environment.h"

#include "varko/compiler/data_files.h"
#include "varko/compiler/settings.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace varko::cli {

std::string ExecutableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    return exe.parent_path().string() + "/";
}

namespace {

// Directories given on the command line are taken relative to where the command was started.
std::optional<std::string> AbsoluteOption(const std::optional<std::string>& value) {
    if (!value || value->empty())
        return value;
    std::error_code ec;
    return fs::absolute(*value, ec).string();
}

} // namespace

PreparedEnvironment PrepareEnvironment(const EnvironmentOptions& options) {
    PreparedEnvironment prepared;
    auto environment = std::make_unique<CheckEnvironment>();
    std::optional<compiler::DeclarationTable> declarations = compiler::LoadDeclarations(options.appDir);
    if (!declarations) {
        prepared.error = std::string(compiler::kDeclarationsMissing);
        return prepared;
    }
    environment->declarations = std::move(*declarations);
    environment->ignoreFiles = compiler::LoadIgnoreFiles(options.appDir);

    textrules::TIniFile prefs(options.appDir + compiler::kPrefsFile);
    compiler::GameDirs dirs = compiler::ReadGameDirs(prefs, options.appDir);
    const std::string sodDir = AbsoluteOption(options.sodDir).value_or(dirs.sod);
    const std::string addonDir = AbsoluteOption(options.addonDir).value_or(dirs.addon);

    if (!environment->sodCatalogue.PointAt(sodDir)) {
        prepared.error = "Cannot access SOD directory: " + sodDir;
        return prepared;
    }
    if (!environment->odfCatalogue.PointAt(addonDir)) {
        prepared.error = "Cannot access ODF directory: " + addonDir;
        return prepared;
    }
    environment->odfCatalogue.SetMask("*.odf");
    prepared.environment = std::move(environment);
    return prepared;
}

} // namespace varko::cli
