#include "varko/lsp/server.h"

#include "varko/language/document_check.h"
#include "varko/language/document_features.h"
#include "varko/lsp/file_uri.h"
#include "varko/lsp/language_json.h"

namespace varko::lsp {

namespace {

using nlohmann::json;

compiler::DocumentKind KindOf(const std::string& path) {
    return compiler::KindOfPath(path);
}

// The finding a diagnostic of the client stands for: same code, same line.
const compiler::Finding* FindingOf(const json& diagnostic, const std::vector<compiler::Finding>& findings) {
    if (!diagnostic.contains("code") || !diagnostic["code"].is_string())
        return nullptr;
    const int line = diagnostic.at("range").at("start").at("line").get<int>() + 1;
    for (const compiler::Finding& finding : findings) {
        if (finding.line == line && finding.code == diagnostic["code"].get<std::string>())
            return &finding;
    }
    return nullptr;
}

} // namespace

std::optional<Server::DocumentView> Server::View(const json& params) {
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    std::shared_ptr<const std::string> text;
    DocumentView view;
    {
        std::lock_guard lock(m_documentsMutex);
        auto found = m_documents.find(uri);
        if (found == m_documents.end())
            return std::nullopt;
        text = found->second.snapshot;
        view.path = found->second.path;
        view.findings = found->second.findings;
    }
    view.uri = uri;
    view.lines = textrules::SplitDocumentLines(*text);
    view.folder = m_workspace.FolderOf(view.path);
    return view;
}

void Server::BindLanguage() {
    m_dispatcher.OnRequest("textDocument/completion", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        if (!view)
            return reply.Result(nullptr);
        const LanguageJson convert(view->lines, m_encoding);
        const language::Position at = convert.CorePosition(PositionFromJson(params.at("position")));
        reply.Result(convert.Completion(
            language::CompletionsAt(view->lines, at, KindOf(view->path), view->folder->knowledge)));
    });
    m_dispatcher.OnRequest("textDocument/hover", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        if (!view)
            return reply.Result(nullptr);
        const LanguageJson convert(view->lines, m_encoding);
        const language::Position at = convert.CorePosition(PositionFromJson(params.at("position")));
        const compiler::OdfSource includes = SourceFor(*view->folder);
        std::optional<language::HoverInfo> hover = language::HoverAt(
            view->lines, at, KindOf(view->path), view->folder->knowledge, view->path, &includes);
        reply.Result(hover ? convert.Hover(*hover) : json(nullptr));
    });
    m_dispatcher.OnRequest("textDocument/codeAction", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        json actions = json::array();
        if (!view)
            return reply.Result(actions);
        const LanguageJson convert(view->lines, m_encoding);
        for (const json& diagnostic : params.at("context").value("diagnostics", json::array())) {
            const compiler::Finding* finding = FindingOf(diagnostic, view->findings);
            if (!finding)
                continue;
            std::vector<language::FixSuggestion> fixes =
                language::FixesFor(*finding, view->lines, KindOf(view->path), view->folder->knowledge);
            for (std::size_t i = 0; i < fixes.size(); ++i)
                actions.push_back(convert.CodeAction(view->uri, fixes[i], diagnostic, i == 0));
        }
        reply.Result(std::move(actions));
    });
    BindNavigation();
}

} // namespace varko::lsp
