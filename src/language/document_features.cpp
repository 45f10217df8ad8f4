#include "varko/language/document_features.h"

#include "varko/compiler/include_chain.h"
#include "varko/language/completion_context.h"
#include "varko/language/file_target.h"
#include "varko/language/other_sites.h"

namespace varko::language {

namespace {

const std::string* LineAt(const textrules::LineList& lines, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < lines.size()
               ? &lines[static_cast<std::size_t>(index)]
               : nullptr;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && textrules::SameText(text.substr(0, prefix.size()), prefix);
}

std::string FileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace

std::vector<CompletionItem> CompletionsAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                          const ModKnowledge& knowledge) {
    const std::string* line = LineAt(lines, at.line);
    if (!line)
        return {};
    const CompletionContext context = CompletionContextAt(*line, at.column, kind, knowledge.typeOf);
    if (context.target == CompletionTarget::None)
        return {};
    const std::vector<CompletionCandidate> candidates =
        context.target == CompletionTarget::PropertyName
            ? PropertyCandidates(knowledge.properties ? knowledge.properties() : std::vector<PropertyEntry>())
            : FileCandidates(context.target, knowledge.files);
    const Range replace{{at.line, context.start}, {at.line, at.column}};
    std::vector<CompletionItem> items;
    for (const CompletionCandidate& candidate : candidates) {
        if (StartsWithIgnoringCase(candidate.text, context.prefix))
            items.push_back({candidate.text, candidate.description, candidate.text, replace});
    }
    return items;
}

std::optional<HoverInfo> HoverAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                 const ModKnowledge& knowledge, std::string_view documentPath,
                                 const compiler::OdfSource* includes) {
    const std::string* line = LineAt(lines, at.line);
    if (!line)
        return std::nullopt;
    std::optional<HoverInfo> hover = HoverOnLine(*line, at.line, at.column, kind, HoverSourcesOf(knowledge));
    const std::optional<PropertyNameSpan> name =
        hover && includes && kind == DocumentKind::Odf ? PropertyNameAt(*line, at.column) : std::nullopt;
    if (!name || hover->range.start.column != 0)
        return hover;
    const std::string documentName = FileNamePart(documentPath);
    const std::string others = OtherSitesText(compiler::PropertySites(documentName, lines, *includes),
                                              name->name, documentName, at.line + 1);
    if (!others.empty())
        hover->text += "\n" + others;
    return hover;
}

std::optional<Location> DefinitionAt(const textrules::LineList& lines, Position at, DocumentKind kind,
                                     const ModKnowledge& knowledge) {
    const std::string* line = LineAt(lines, at.line);
    if (!line)
        return std::nullopt;
    FileTarget target = FileTargetAt(*line, at.column, kind, knowledge.typeOf, knowledge.files);
    if (!target.path)
        return std::nullopt;
    return Location{std::move(*target.path), 0};
}

std::vector<FixSuggestion> FixesFor(const compiler::Finding& finding, const textrules::LineList& lines,
                                    DocumentKind kind, const ModKnowledge& knowledge) {
    const std::string* line = LineAt(lines, finding.line - 1);
    return line ? SuggestFixes(finding, *line, kind, FixSourcesOf(knowledge)) : std::vector<FixSuggestion>();
}

} // namespace varko::language
