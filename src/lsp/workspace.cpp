#include "varko/lsp/workspace.h"

#include "varko/compiler/project_file.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace varko::lsp {

namespace {

using nlohmann::json;

std::vector<std::string> StringList(const json& value, char separator) {
    if (value.is_array())
        return value.get<std::vector<std::string>>();
    std::vector<std::string> items;
    const std::string text = value.get<std::string>();
    for (std::size_t pos = 0; pos <= text.size();) {
        std::size_t stop = text.find(separator, pos);
        if (stop == std::string::npos)
            stop = text.size();
        if (stop > pos)
            items.push_back(text.substr(pos, stop - pos));
        pos = stop + 1;
    }
    return items;
}

std::string InFolder(const std::string& folder, const std::string& dir) {
    return (fs::path(folder) / dir).lexically_normal().string();
}

bool Inside(const std::string& folder, const std::string& path) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (path[folder.size()] == '/' || folder.ends_with('/'));
}

} // namespace

bool ModFolder::Ignores(const std::string& documentPath) const {
    if (ignoredPaths.Empty())
        return false;
    const std::string inFolder = Inside(path, documentPath) ? documentPath.substr(path.size() + 1)
                                                            : fs::path(documentPath).filename().string();
    return ignoredPaths.Excludes(documentPath, inFolder);
}

cli::SettingsOverrides OverridesOf(const json& settings, const std::string& folder) {
    cli::SettingsOverrides overrides;
    if (!settings.is_object())
        return overrides;
    const json& varko =
        settings.contains("varko") && settings["varko"].is_object() ? settings["varko"] : settings;
    auto dirs = [&](const char* key, std::vector<std::string>& out) {
        if (varko.contains(key) && !varko[key].is_null())
            for (const std::string& dir : StringList(varko[key], ';'))
                out.push_back(InFolder(folder, dir));
    };
    dirs("addonDirs", overrides.addonDirs);
    dirs("sodDirs", overrides.sodDirs);
    if (varko.contains("appDir") && varko["appDir"].is_string() &&
        !varko["appDir"].get<std::string>().empty())
        overrides.appDir = InFolder(folder, varko["appDir"].get<std::string>());
    if (varko.contains("extraChecks") && varko["extraChecks"].is_boolean())
        overrides.extraChecks = varko["extraChecks"].get<bool>();
    if (varko.contains("ignore") && !varko["ignore"].is_null())
        overrides.ignoreCodes = StringList(varko["ignore"], ',');
    if (varko.contains("ignorePaths") && !varko["ignorePaths"].is_null())
        overrides.ignorePaths = StringList(varko["ignorePaths"], ';');
    return overrides;
}

std::shared_ptr<ModFolder> BuildModFolder(const std::string& path, const json& settings,
                                          const std::string& programDir) {
    auto folder = std::make_shared<ModFolder>();
    folder->path = path;
    std::optional<compiler::ProjectFile> project;
    const std::string projectPath = InFolder(path, compiler::kProjectFile);
    std::error_code ec;
    if (fs::exists(projectPath, ec)) {
        compiler::ProjectRead read = compiler::ReadProjectFile(projectPath);
        project = std::move(read.project);
        if (!read.error.empty())
            folder->problems.push_back(read.error);
    }
    cli::SettingsOverrides overrides = OverridesOf(settings, path);
    if (overrides.addonDirs.empty() && (!project || project->addonDirs.empty()))
        overrides.addonDirs = {path};
    folder->settings = cli::ResolveCheckSettings(overrides, project ? &*project : nullptr, programDir);
    std::vector<std::string> failures;
    folder->environment = cli::PrepareEnvironment(folder->settings.environment, failures);
    folder->ready = folder->environment->Declarations() != nullptr;
    auto catalogue = std::make_shared<const language::PropertyCatalog>(
        language::LoadPropertyCatalog(folder->settings.environment.appDir));
    folder->knowledge = language::KnowledgeOf(*folder->environment, [catalogue] { return catalogue; });
    folder->problems.insert(folder->problems.end(), failures.begin(), failures.end());
    folder->ignoredPaths = cli::PathFilter(folder->settings.ignorePaths);
    folder->ignoredCodes = cli::ParseIgnoredCodes(folder->settings.ignoreCodes);
    if (!folder->ignoredCodes.unknown.empty())
        folder->problems.push_back("Unknown code in the ignore setting: " + folder->ignoredCodes.unknown);
    return folder;
}

std::shared_ptr<ModFolder> Workspace::Build(const std::string& path, const json& settings) const {
    json merged = m_common;
    if (settings.is_object())
        merged.merge_patch(settings.contains("varko") ? settings["varko"] : settings);
    return BuildModFolder(path, merged, m_programDir);
}

void Workspace::SetFolders(const std::vector<std::string>& paths) {
    std::vector<std::shared_ptr<ModFolder>> folders;
    for (const std::string& path : paths) {
        nlohmann::json settings;
        {
            std::lock_guard lock(m_mutex);
            settings = m_settings.contains(path) ? m_settings.at(path) : json::object();
        }
        folders.push_back(Build(path, settings));
    }
    std::lock_guard lock(m_mutex);
    m_folders = std::move(folders);
    m_loose.clear();
}

std::shared_ptr<ModFolder> Workspace::Configure(const std::string& path, const json& settings) {
    {
        std::lock_guard lock(m_mutex);
        m_settings.insert_or_assign(path, settings);
    }
    return Reload(path);
}

std::shared_ptr<ModFolder> Workspace::Reload(const std::string& path) {
    json settings;
    {
        std::lock_guard lock(m_mutex);
        settings = m_settings.contains(path) ? m_settings.at(path) : json::object();
    }
    std::shared_ptr<ModFolder> folder = Build(path, settings);
    std::lock_guard lock(m_mutex);
    for (auto& existing : m_folders) {
        if (existing->path == path)
            existing = folder;
    }
    for (auto& existing : m_loose) {
        if (existing->path == path)
            existing = folder;
    }
    return folder;
}

std::vector<std::string> Workspace::FolderPaths() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::string> paths;
    for (const auto& folder : m_folders)
        paths.push_back(folder->path);
    return paths;
}

std::shared_ptr<ModFolder> Workspace::FolderOf(const std::string& documentPath) {
    {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<ModFolder> best;
        for (const auto& folder : m_folders) {
            if (Inside(folder->path, documentPath) && (!best || folder->path.size() > best->path.size()))
                best = folder;
        }
        if (best)
            return best;
        const std::string parent = fs::path(documentPath).parent_path().string();
        for (const auto& folder : m_loose) {
            if (folder->path == parent)
                return folder;
        }
    }
    std::shared_ptr<ModFolder> loose = Build(fs::path(documentPath).parent_path().string(), json::object());
    std::lock_guard lock(m_mutex);
    m_loose.push_back(loose);
    return loose;
}

std::vector<std::shared_ptr<ModFolder>> Workspace::Folders() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<ModFolder>> all = m_folders;
    all.insert(all.end(), m_loose.begin(), m_loose.end());
    return all;
}

} // namespace varko::lsp
