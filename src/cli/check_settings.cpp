#include "varko/cli/check_settings.h"

namespace varko::cli {

namespace {

std::string WithSeparator(std::string dir) {
    if (dir.empty())
        return "./";
    if (dir.back() != '/')
        dir.push_back('/');
    return dir;
}

template <typename T> T FirstSet(const T& preferred, const T& fallback) {
    return preferred.empty() ? fallback : preferred;
}

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

} // namespace

CheckSettings ResolveCheckSettings(const SettingsOverrides& overrides, const compiler::ProjectFile* project,
                                   const std::string& programDir) {
    const compiler::ProjectFile none;
    const compiler::ProjectFile& file = project ? *project : none;
    CheckSettings settings;
    settings.environment.appDir = WithSeparator(overrides.appDir.value_or(file.appDir.value_or(programDir)));
    settings.environment.addonDirs = FirstSet(overrides.addonDirs, file.addonDirs);
    settings.environment.sodDirs = FirstSet(overrides.sodDirs, file.sodDirs);
    settings.extraChecks = overrides.extraChecks.value_or(file.extraChecks.value_or(false));
    settings.ignoreCodes = Joined(file.ignoreCodes, overrides.ignoreCodes);
    settings.ignorePaths = Joined(file.ignorePaths, overrides.ignorePaths);
    return settings;
}

} // namespace varko::cli
