#include "varko/lsp/server.h"

#include "varko/lsp/file_uri.h"

namespace varko::lsp {

namespace {

using nlohmann::json;

constexpr const char* kCheckModCommand = "varko.checkMod";

const json* Find(const json& object, std::initializer_list<const char*> path) {
    const json* at = &object;
    for (const char* key : path) {
        if (!at->is_object() || !at->contains(key))
            return nullptr;
        at = &(*at)[key];
    }
    return at;
}

bool Flag(const json& object, std::initializer_list<const char*> path) {
    const json* value = Find(object, path);
    return value && value->is_boolean() && value->get<bool>();
}

PositionEncoding NegotiateEncoding(const json& capabilities) {
    const json* offered = Find(capabilities, {"general", "positionEncodings"});
    if (offered && offered->is_array()) {
        for (const json& encoding : *offered) {
            if (encoding == "utf-8")
                return PositionEncoding::Utf8;
        }
    }
    return PositionEncoding::Utf16;
}

std::vector<std::string> FolderPaths(const json& params) {
    std::vector<std::string> paths;
    if (const json* folders = Find(params, {"workspaceFolders"}); folders && folders->is_array()) {
        for (const json& folder : *folders) {
            if (std::optional<std::string> path = PathOfUri(folder.at("uri").get<std::string>()))
                paths.push_back(*path);
        }
    } else if (const json* root = Find(params, {"rootUri"}); root && root->is_string()) {
        if (std::optional<std::string> path = PathOfUri(root->get<std::string>()))
            paths.push_back(*path);
    } else if (const json* rootPath = Find(params, {"rootPath"}); rootPath && rootPath->is_string()) {
        paths.push_back(rootPath->get<std::string>());
    }
    for (std::string& path : paths) {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
    }
    return paths;
}

json Capabilities(PositionEncoding encoding) {
    return {{"positionEncoding", encoding == PositionEncoding::Utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
            {"completionProvider", {{"triggerCharacters", {"=", " ", ","}}}},
            {"hoverProvider", true},
            {"definitionProvider", true},
            {"referencesProvider", true},
            {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
            {"documentSymbolProvider", true},
            {"workspaceSymbolProvider", true},
            {"executeCommandProvider", {{"commands", {kCheckModCommand}}}},
            {"workspace", {{"workspaceFolders", {{"supported", true}, {"changeNotifications", true}}}}}};
}

} // namespace

Server::Server(Connection& connection, Dispatcher& dispatcher, ServerOptions options)
    : m_connection(connection), m_dispatcher(dispatcher), m_options(std::move(options)),
      m_workspace(m_options.programDir), m_checks(m_options.workers) {
    BindLifecycle();
    BindDocuments();
    BindWorkspace();
    BindLanguage();
    m_poller = std::thread([this] { PollFiles(); });
}

Server::~Server() {
    {
        std::lock_guard lock(m_pollMutex);
        m_quit = true;
    }
    m_pollWake.notify_all();
    m_poller.join();
}

void Server::BindLifecycle() {
    m_dispatcher.OnRequest("initialize",
                           [this](const json& params, Reply reply) { reply.Result(Initialize(params)); });
    m_dispatcher.OnNotification("initialized", [this](const json&) { Initialized(); });
    m_dispatcher.OnRequest("shutdown", [](const json&, Reply reply) { reply.Result(nullptr); });
    m_dispatcher.OnNotification("window/workDoneProgress/cancel", [this](const json& params) {
        std::lock_guard lock(m_progressMutex);
        auto found = m_progressStops.find(params.at("token").dump());
        if (found != m_progressStops.end())
            *found->second = true;
    });
}

json Server::Initialize(const json& params) {
    const json capabilities = params.value("capabilities", json::object());
    m_encoding = NegotiateEncoding(capabilities);
    m_clientProgress = Flag(capabilities, {"window", "workDoneProgress"});
    m_clientConfiguration = Flag(capabilities, {"workspace", "configuration"});
    m_clientWatchRegistration =
        Flag(capabilities, {"workspace", "didChangeWatchedFiles", "dynamicRegistration"});
    if (const json* options = Find(params, {"initializationOptions"}); options && options->is_object())
        m_workspace.SetCommonSettings(*options);
    m_workspace.SetFolders(FolderPaths(params));
    return {{"capabilities", Capabilities(m_encoding)},
            {"serverInfo", {{"name", "varko-lsp"}, {"version", VARKO_LSP_VERSION}}}};
}

void Server::Initialized() {
    ReportProblems(m_workspace.Folders());
    if (m_clientWatchRegistration)
        RegisterFileWatchers();
    if (m_clientConfiguration)
        RequestConfiguration();
}

void Server::ReportProblems(const std::vector<std::shared_ptr<ModFolder>>& folders) {
    for (const auto& folder : folders) {
        for (const std::string& problem : folder->problems)
            m_connection.ShowMessage(1, problem);
    }
}

void Server::RegisterFileWatchers() {
    json watchers = json::array();
    for (const char* glob : {"**/*.odf", "**/*.ODF", "**/*.tt", "**/varko.ini", "**/*"})
        watchers.push_back({{"globPattern", glob}});
    json registration = {{"id", "varko.files"},
                         {"method", "workspace/didChangeWatchedFiles"},
                         {"registerOptions", {{"watchers", watchers}}}};
    m_connection.Request("client/registerCapability", {{"registrations", {registration}}},
                         [](const json&, const json*) {});
}

void Server::RequestConfiguration() {
    std::vector<std::shared_ptr<ModFolder>> folders = m_workspace.Folders();
    json items = json::array();
    for (const auto& folder : folders)
        items.push_back({{"scopeUri", UriOfPath(folder->path)}, {"section", "varko"}});
    if (items.empty())
        return;
    m_connection.Request("workspace/configuration", {{"items", items}},
                         [this, folders](const json& result, const json* error) {
                             if (error || !result.is_array())
                                 return;
                             std::vector<std::shared_ptr<ModFolder>> changed;
                             for (std::size_t i = 0; i < folders.size() && i < result.size(); ++i) {
                                 if (result[i].is_object() && !result[i].empty())
                                     changed.push_back(m_workspace.Configure(folders[i]->path, result[i]));
                             }
                             ReportProblems(changed);
                             if (!changed.empty())
                                 CheckAllOpen();
                         });
}

void Server::BindWorkspace() {
    m_dispatcher.OnNotification("workspace/didChangeConfiguration", [this](const json& params) {
        if (const json* settings = Find(params, {"settings"}); settings && settings->is_object())
            m_workspace.SetCommonSettings(*settings);
        m_workspace.SetFolders(m_workspace.FolderPaths());
        if (m_clientConfiguration)
            RequestConfiguration();
        CheckAllOpen();
    });
    m_dispatcher.OnNotification("workspace/didChangeWorkspaceFolders", [this](const json& params) {
        std::vector<std::string> paths = m_workspace.FolderPaths();
        for (const json& removed : params.at("event").at("removed"))
            std::erase(paths, PathOfUri(removed.at("uri").get<std::string>()).value_or(""));
        for (const json& added : params.at("event").at("added"))
            paths.push_back(PathOfUri(added.at("uri").get<std::string>()).value_or("/"));
        m_workspace.SetFolders(paths);
        if (m_clientConfiguration)
            RequestConfiguration();
        CheckAllOpen();
    });
    m_dispatcher.OnNotification("workspace/didChangeWatchedFiles",
                                [this](const json& params) { DidChangeWatchedFiles(params); });
    m_dispatcher.OnRequest("workspace/executeCommand",
                           [this](const json& params, Reply reply) { ExecuteCommand(params, reply); });
}

} // namespace varko::lsp
