#include "varko/cli/environment_setup.h"
#include "varko/textrules/utf8_path.h"

#include "varko/compiler/data_files.h"
#include "varko/compiler/settings.h"
#include "varko/textrules/process_setup.h"
#include "varko/textrules/profile_file.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace varko::cli {

std::string ExecutableDirectory() {
    return textrules::ExecutableDirectory();
}

namespace {

// Directories given on the command line are taken relative to where the command was started.
std::vector<std::string> AbsoluteOptions(const std::vector<std::string>& values) {
    std::vector<std::string> absolute;
    for (const std::string& value : values) {
        std::error_code ec;
        absolute.push_back(value.empty()
                               ? value
                               : textrules::Utf8FromPath(fs::absolute(textrules::PathFromUtf8(value), ec)));
    }
    return absolute;
}

struct ChosenDirs {
    std::vector<std::string> addon;
    std::vector<std::string> sod;
};

// prefs.ini is only read for the directories not given as options.
ChosenDirs ChooseGameDirs(const EnvironmentOptions& options) {
    ChosenDirs chosen{AbsoluteOptions(options.addonDirs), AbsoluteOptions(options.sodDirs)};
    if (!chosen.addon.empty() && !chosen.sod.empty())
        return chosen;
    // Without a readable prefs.ini (or with a pipe or device in its place) both keys are missing,
    // and each takes its default.
    const compiler::GameDirs dirs = compiler::ReadGameDirs(
        textrules::TIniFile((options.settingsDir.empty() ? options.appDir : options.settingsDir) +
                            compiler::kPrefsFile),
        options.appDir);
    if (chosen.addon.empty())
        chosen.addon = {dirs.addon};
    if (chosen.sod.empty())
        chosen.sod = {dirs.sod};
    return chosen;
}

} // namespace

std::unique_ptr<compiler::CheckEnvironment> PrepareEnvironment(const EnvironmentOptions& options,
                                                               std::vector<std::string>& failures) {
    auto environment = std::make_unique<compiler::CheckEnvironment>(options.appDir);
    ChosenDirs dirs = ChooseGameDirs(options);
    const std::vector<std::string> dirFailures =
        environment->SetGameDirs(std::move(dirs.addon), std::move(dirs.sod));
    // Data files are read only when they are regular files: a pipe in their place counts as missing.
    failures = environment->Refresh();
    failures.insert(failures.end(), dirFailures.begin(), dirFailures.end());
    return environment;
}

PreparedEnvironment PrepareEnvironment(const EnvironmentOptions& options) {
    std::vector<std::string> failures;
    std::unique_ptr<compiler::CheckEnvironment> environment = PrepareEnvironment(options, failures);
    if (!failures.empty())
        return {nullptr, failures.front()};
    return {std::move(environment), {}};
}

} // namespace varko::cli
