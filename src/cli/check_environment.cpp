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

    std::vector<std::string> failures =
        compiler::RefreshCatalogues(environment->sodCatalogue, environment->odfCatalogue, {addonDir, sodDir});
    if (!failures.empty()) {
        prepared.error = failures.front();
        return prepared;
    }
    prepared.environment = std::move(environment);
    return prepared;
}

} // namespace varko::cli
