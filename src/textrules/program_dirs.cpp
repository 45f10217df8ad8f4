#include "varko/textrules/program_dirs.h"
#include "varko/textrules/utf8_path.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace varko::textrules {

namespace {

std::string WithSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/')
        dir.push_back('/');
    return dir;
}

// An environment variable that names an absolute folder, or nothing.
std::optional<std::string> AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !fs::path(value).is_absolute())
        return std::nullopt;
    return std::string(value);
}

} // namespace

std::optional<std::string> InstalledDataDirectory(const std::string& executableDir) {
    fs::path bin = PathFromUtf8(executableDir).lexically_normal();
    if (!bin.has_filename())
        bin = bin.parent_path();
    if (bin.filename() != "bin")
        return std::nullopt;
    const fs::path data = bin.parent_path() / "share" / "varko";
    std::error_code ec;
    if (!fs::is_regular_file(data / "declarations.txt", ec))
        return std::nullopt;
    return WithSlash(GenericUtf8FromPath(data));
}

std::string UserSettingsDirectory() {
#ifdef _WIN32
    const std::optional<std::string> base = AbsoluteFromEnvironment("APPDATA");
#else
    std::optional<std::string> base = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    if (!base) {
        if (std::optional<std::string> home = AbsoluteFromEnvironment("HOME"))
            base = *home + "/.config";
    }
#endif
    return base ? WithSlash(*base) + "varko/" : std::string("./");
}

ProgramDirs FindProgramDirs(const std::string& executableDir) {
    if (std::optional<std::string> data = InstalledDataDirectory(executableDir))
        return {*data, UserSettingsDirectory(), true};
    return {WithSlash(executableDir), WithSlash(executableDir), false};
}

} // namespace varko::textrules
