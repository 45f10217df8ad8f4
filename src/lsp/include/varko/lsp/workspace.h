#pragma once

#include "varko/cli/check_settings.h"
#include "varko/cli/code_filter.h"
#include "varko/cli/path_filter.h"
#include "varko/compiler/check_environment.h"
#include "varko/language/mod_knowledge.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace varko::lsp {

// One mod as the server checks it: a workspace folder with its settings and environment. Settings
// never change in place: new settings make a new ModFolder.
struct ModFolder {
    std::string path; // absolute, without a trailing separator
    cli::CheckSettings settings;
    std::shared_ptr<compiler::CheckEnvironment> environment;
    // What completion, hover and the fixes know of the mod; reads the environment above.
    language::ModKnowledge knowledge;
    cli::PathFilter ignoredPaths;
    cli::CodeFilter ignoredCodes;
    std::vector<std::string> problems; // a broken varko.ini, a missing data file or directory
    bool ready = false;                // the declarations could be read

    bool Ignores(const std::string& documentPath) const;
};

// The editor's settings (initializationOptions, or the "varko" section of workspace/configuration):
// addonDirs, sodDirs (arrays, or one string with ";"), appDir, extraChecks, ignore (codes),
// ignorePaths. Relative directories are taken from the folder. Unknown keys are left alone; a value
// of the wrong type throws.
cli::SettingsOverrides OverridesOf(const nlohmann::json& settings, const std::string& folder);

// Builds a folder: its varko.ini (when there is one), then the editor's settings over it; without
// an addon directory from either, the folder itself is the addon directory.
std::shared_ptr<ModFolder> BuildModFolder(const std::string& path, const nlohmann::json& settings,
                                          const std::string& programDir);

// The workspace folders and what each one's settings make of it. Safe from any thread.
class Workspace {
public:
    explicit Workspace(std::string programDir) : m_programDir(std::move(programDir)) {}

    // Replaces the folders; each is built with the editor's settings for it (null: the common ones).
    void SetFolders(const std::vector<std::string>& paths);
    void SetCommonSettings(nlohmann::json settings) { m_common = std::move(settings); }
    // The settings workspace/configuration gave for one folder, laid over the common ones.
    std::shared_ptr<ModFolder> Configure(const std::string& path, const nlohmann::json& settings);

    // Builds the folder again with the settings it has, after its varko.ini changed.
    std::shared_ptr<ModFolder> Reload(const std::string& path);
    std::vector<std::string> FolderPaths() const;

    // The deepest folder that holds the path; for a file outside every folder, one made for the
    // file's own folder.
    std::shared_ptr<ModFolder> FolderOf(const std::string& documentPath);
    std::vector<std::shared_ptr<ModFolder>> Folders() const;

private:
    std::shared_ptr<ModFolder> Build(const std::string& path, const nlohmann::json& settings) const;

    std::string m_programDir;
    nlohmann::json m_common = nlohmann::json::object();
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<ModFolder>> m_folders;
    std::map<std::string, nlohmann::json> m_settings; // by folder path, from workspace/configuration
    std::vector<std::shared_ptr<ModFolder>> m_loose;  // for files outside the folders
};

} // namespace varko::lsp
