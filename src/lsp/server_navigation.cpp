#include "varko/lsp/server.h"

#include "varko/cli/mod_files.h"
#include "varko/language/document_features.h"
#include "varko/language/references.h"
#include "varko/language/script_outline.h"
#include "varko/lsp/disk_text.h"
#include "varko/lsp/file_uri.h"
#include "varko/lsp/language_json.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace varko::lsp {

namespace {

using nlohmann::json;

constexpr int kSymbolFile = 1;

std::vector<std::string> ModFilePaths(const ModFolder& folder) {
    std::vector<std::string> paths;
    for (const cli::ModFile& file : cli::CollectModFiles(folder.environment->AddonDirs()).files)
        paths.push_back(file.path);
    return paths;
}

} // namespace

void Server::BindNavigation() {
    m_dispatcher.OnRequest("textDocument/definition", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        if (!view)
            return reply.Result(nullptr);
        const LanguageJson convert(view->lines, m_encoding);
        const language::Position at = convert.CorePosition(PositionFromJson(params.at("position")));
        std::optional<language::Location> target = language::DefinitionAt(
            view->lines, at, compiler::KindOfPath(view->path), view->folder->knowledge);
        reply.Result(target ? LocationOf(target->path, target->line, {}, m_encoding) : json(nullptr));
    });
    m_dispatcher.OnRequest("textDocument/references", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        json locations = json::array();
        if (!view)
            return reply.Result(locations);
        std::shared_ptr<const compiler::DeclarationTable> declarations =
            view->folder->environment->Declarations();
        const compiler::DeclarationTable none;
        const std::string target = fs::path(view->path).filename().string();
        std::atomic<bool> stop{false};
        for (const language::ReferencePlace& place : language::FindReferences(
                 target, ModFilePaths(*view->folder), declarations ? *declarations : none, stop))
            locations.push_back(
                LocationOf(place.location.path, place.location.line, place.lineText, m_encoding));
        reply.Result(std::move(locations));
    });
    m_dispatcher.OnRequest("textDocument/documentSymbol", [this](const json& params, Reply reply) {
        std::optional<DocumentView> view = View(params);
        if (!view)
            return reply.Result(json::array());
        const LanguageJson convert(view->lines, m_encoding);
        reply.Result(json::array({convert.Symbol(language::DocumentOutline(view->lines, view->path))}));
    });
    m_dispatcher.OnRequest("workspace/symbol", [this](const json& params, Reply reply) {
        const std::string query = textrules::FoldCase(params.value("query", ""));
        json symbols = json::array();
        for (const auto& folder : m_workspace.Folders()) {
            for (const std::string& path : ModFilePaths(*folder)) {
                const std::string name = fs::path(path).filename().string();
                if (textrules::FoldCase(name).find(query) == std::string::npos)
                    continue;
                symbols.push_back({{"name", DiskTextAsUtf8(name)},
                                   {"kind", kSymbolFile},
                                   {"location", LocationOf(path, 0, {}, m_encoding)}});
            }
        }
        reply.Result(std::move(symbols));
    });
}

} // namespace varko::lsp
