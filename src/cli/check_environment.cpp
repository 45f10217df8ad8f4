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

// prefs.ini is only read for the directories not given as options.
compiler::GameDirs ChooseGameDirs(const EnvironmentOptions& options) {
    std::optional<std::string> sod = AbsoluteOption(options.sodDir);
    std::optional<std::string> addon = AbsoluteOption(options.addonDir);
    if (sod && addon)
        return {*addon, *sod};
    // Without a readable prefs.ini (or with a pipe or device in its place) both keys are missing,
    // and each takes its default.
    const compiler::GameDirs dirs =
        compiler::ReadGameDirs(textrules::TIniFile(options.appDir + compiler::kPrefsFile), options.appDir);
    return {addon.value_or(dirs.addon), sod.value_or(dirs.sod)};
}

} // namespace

PreparedEnvironment PrepareEnvironment(const EnvironmentOptions& options) {
    PreparedEnvironment prepared;
    auto environment = std::make_unique<CheckEnvironment>();
    // Data files are read only when they are regular files: a pipe in their place counts as missing.
    std::optional<compiler::DeclarationTable> declarations = compiler::LoadDeclarations(options.appDir);
    if (!declarations) {
        prepared.error = std::string(compiler::kDeclarationsMissing);
        return prepared;
    }
    environment->declarations = std::move(*declarations);
    environment->ignoreFiles = compiler::LoadIgnoreFiles(options.appDir);

    std::vector<std::string> failures = compiler::RefreshCatalogues(
        environment->sodCatalogue, environment->odfCatalogue, ChooseGameDirs(options));
    if (!failures.empty()) {
        prepared.error = failures.front();
        return prepared;
    }
    prepared.environment = std::move(environment);
    return prepared;
}

} // namespace varko::cli
