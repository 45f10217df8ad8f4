#include "varko/compiler/project_file.h"

#include "varko/compiler/finding.h"
#include "varko/textrules/profile_file.h"

#include <filesystem>
#include <string_view>

namespace fs = std::filesystem;

namespace varko::compiler {

namespace {

using textrules::ProfileLine;
using textrules::SameText;

std::vector<std::string> SplitList(std::string_view text, char separator) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t stop = text.find(separator, pos);
        if (stop == std::string_view::npos)
            stop = text.size();
        std::string_view item = text.substr(pos, stop - pos);
        const std::size_t first = item.find_first_not_of(" \t");
        if (first != std::string_view::npos)
            items.emplace_back(item.substr(first, item.find_last_not_of(" \t") - first + 1));
        pos = stop + 1;
    }
    return items;
}

class ProjectReader {
public:
    explicit ProjectReader(const std::string& path) : m_folder(fs::path(path).parent_path()) {
        m_project.path = path;
    }

    // Empty when the line is fine, else the reason.
    std::string Take(const ProfileLine& line) {
        if (line.kind == ProfileLine::Kind::Other)
            return "not a section header or a name=value entry";
        if (line.kind == ProfileLine::Kind::Section)
            return SameText(line.section, "Dirs") || SameText(line.section, "Checking")
                       ? std::string()
                       : "unknown section [" + line.section + "]";
        if (line.kind != ProfileLine::Kind::Entry)
            return {};
        if (SameText(line.section, "Dirs"))
            return TakeDirs(line);
        if (SameText(line.section, "Checking"))
            return TakeChecking(line);
        return "entry outside a section";
    }

    ProjectFile& Project() { return m_project; }

private:
    std::string Directories(const std::string& value, std::vector<std::string>& dirs) {
        for (const std::string& item : SplitList(value, ';')) {
            const fs::path dir = (m_folder / item).lexically_normal();
            std::error_code ec;
            if (!fs::is_directory(dir, ec))
                return "directory does not exist: " + item;
            dirs.push_back(dir.string());
        }
        return {};
    }

    std::string TakeDirs(const ProfileLine& line) {
        if (SameText(line.key, "Addon"))
            return Directories(line.value, m_project.addonDirs);
        if (SameText(line.key, "Sod"))
            return Directories(line.value, m_project.sodDirs);
        if (!SameText(line.key, "AppDir"))
            return "unknown key " + line.key + " in [Dirs]";
        std::vector<std::string> dirs;
        std::string error = Directories(line.value, dirs);
        if (error.empty() && dirs.size() != 1)
            return "AppDir names one directory";
        if (error.empty())
            m_project.appDir = dirs.front();
        return error;
    }

    std::string TakeChecking(const ProfileLine& line) {
        if (SameText(line.key, "ExtraChecks")) {
            if (line.value != "0" && line.value != "1")
                return "ExtraChecks is 0 or 1";
            m_project.extraChecks = line.value == "1";
        } else if (SameText(line.key, "Ignore")) {
            for (std::string& code : SplitList(line.value, ',')) {
                if (!IsKnownCode(code))
                    return "unknown code in Ignore: " + code;
                m_project.ignoreCodes.push_back(std::move(code));
            }
        } else if (SameText(line.key, "IgnorePath")) {
            for (std::string& glob : SplitList(line.value, ';'))
                m_project.ignorePaths.push_back(std::move(glob));
        } else {
            return "unknown key " + line.key + " in [Checking]";
        }
        return {};
    }

    fs::path m_folder;
    ProjectFile m_project;
};

} // namespace

ProjectRead ReadProjectFile(const std::string& path) {
    std::error_code ec;
    const std::string absolute = fs::absolute(path, ec).lexically_normal().string();
    std::optional<std::vector<ProfileLine>> lines = textrules::ReadProfileLines(absolute);
    if (!lines)
        return {std::nullopt, absolute + ": cannot read the project file"};
    ProjectReader reader(absolute);
    for (const ProfileLine& line : *lines) {
        if (std::string reason = reader.Take(line); !reason.empty())
            return {std::nullopt, absolute + ":" + std::to_string(line.number) + ": " + reason};
    }
    return {std::move(reader.Project()), {}};
}

std::optional<std::string> FindProjectFile(const std::string& start) {
    std::error_code ec;
    fs::path folder = fs::absolute(start, ec).lexically_normal();
    if (!fs::is_directory(folder, ec))
        folder = folder.parent_path();
    for (;;) {
        const fs::path candidate = folder / kProjectFile;
        if (fs::exists(candidate, ec))
            return candidate.string();
        if (!folder.has_parent_path() || folder.parent_path() == folder)
            return std::nullopt;
        folder = folder.parent_path();
    }
}

} // namespace varko::compiler
