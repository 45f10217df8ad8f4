#include "varko/language/file_sources.h"

#include <filesystem>

namespace varko::language {

namespace {

// The first SOD directory's file of that name, as the ODF finder does for the addon directories.
std::optional<std::string> FindSodPath(const compiler::CheckEnvironment& environment, std::string_view name) {
    if (!IsPlainFileName(name))
        return std::nullopt;
    const compiler::GameFiles files = environment.Files();
    for (const auto& catalogue : files.Sod()) {
        if (std::optional<std::string> found = catalogue->Find(name))
            return (std::filesystem::path(catalogue->Directory()) / *found).string();
    }
    return std::nullopt;
}

} // namespace

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

FileSources FileSourcesOf(const compiler::CheckEnvironment& environment) {
    const compiler::CheckEnvironment* env = &environment;
    return {
        [env] { return env->OdfNames(); },
        [env] { return env->SodNames(); },
        [env](std::string_view name) {
            return IsPlainFileName(name) ? env->FindOdfPath(name) : std::nullopt;
        },
        [env](std::string_view name) { return FindSodPath(*env, name); },
        [env](std::string_view name) {
            const compiler::GameFiles files = env->Files();
            return files.Ignore() && files.Ignore()->Contains(name);
        },
    };
}

} // namespace varko::language
