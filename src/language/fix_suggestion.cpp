#include "varko/language/fix_suggestion.h"

#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <array>

namespace varko::language {

namespace {

constexpr std::array<std::string_view, 6> kFileNotFound{"M3", "M4", "M5", "M6", "M12", "T4"};

// The reference the finding names: on a tech-tree line the one whose name it reports.
std::optional<FileReference> ReferenceOf(const compiler::Finding& finding, std::string_view lineText,
                                         DocumentKind kind, const TypeOfProperty& typeOf) {
    const std::string reported = finding.parts.empty() ? std::string() : finding.parts.front();
    std::optional<FileReference> fallback;
    for (FileReference& reference : FileReferencesOnLine(lineText, kind, typeOf)) {
        // The finding's column is the token's, an opening quote included.
        const auto column = static_cast<std::size_t>(std::max(finding.column, 1));
        const bool atColumn =
            column == reference.start + 1 || (reference.quoted && column == reference.start);
        if (reference.fileName == reported && (atColumn || finding.column <= 1))
            return std::move(reference);
        if (reference.fileName == reported && !fallback)
            fallback = std::move(reference);
    }
    return fallback;
}

// Written without the extension the checker adds; candidates without it do not fit.
std::vector<std::string> WrittenForms(const std::vector<std::string>& names, const std::string& added) {
    std::vector<std::string> written;
    for (const std::string& name : names) {
        if (added.empty())
            written.push_back(name);
        else if (name.size() > added.size() &&
                 textrules::SameText(std::string_view(name).substr(name.size() - added.size()), added))
            written.push_back(name.substr(0, name.size() - added.size()));
    }
    return written;
}

std::vector<FixSuggestion> Suggest(int line, std::size_t start, const std::string& original,
                                   const std::vector<std::string>& candidates,
                                   const NearestFunction& nearest) {
    std::vector<FixSuggestion> suggestions;
    if (!nearest)
        return suggestions;
    const Range range{{line - 1, start}, {line - 1, start + original.size()}};
    for (std::string& name : nearest(original, candidates, kMaxFixes)) {
        FixSuggestion suggestion{line, start, original, std::move(name), range, {}, {}};
        suggestion.title = FixCaption(suggestion);
        suggestions.push_back(std::move(suggestion));
    }
    return suggestions;
}

std::vector<FixSuggestion> FileFixes(const compiler::Finding& finding, std::string_view lineText,
                                     DocumentKind kind, const FixSources& sources) {
    const std::optional<FileReference> reference = ReferenceOf(finding, lineText, kind, sources.typeOf);
    if (!reference)
        return {};
    const auto& list = reference->kind == FileKind::Odf ? sources.files.odfNames : sources.files.sodNames;
    const std::vector<std::string> names = list ? list() : std::vector<std::string>();
    return Suggest(finding.line, reference->start, reference->written,
                   WrittenForms(names, reference->addedExtension), sources.nearest);
}

std::vector<FixSuggestion> NameFixes(const compiler::Finding& finding, std::string_view lineText,
                                     const FixSources& sources) {
    if (IsUncheckedOdfLine(lineText) || lineText.find('=') == std::string_view::npos)
        return {};
    const std::string name = compiler::SplitPropertyLine(lineText).name;
    if (name.empty() || !sources.typeOf || !sources.typeOf(name).empty())
        return {};
    const std::vector<std::string> names =
        sources.propertyNames ? sources.propertyNames() : std::vector<std::string>();
    return Suggest(finding.line, 0, name, names, sources.nearest);
}

} // namespace

std::vector<FixSuggestion> SuggestFixes(const compiler::Finding& finding, std::string_view lineText,
                                        DocumentKind kind, const FixSources& sources) {
    std::vector<FixSuggestion> suggestions;
    if (std::find(kFileNotFound.begin(), kFileNotFound.end(), finding.code) != kFileNotFound.end())
        suggestions = FileFixes(finding, lineText, kind, sources);
    else if (finding.code == "M1" && kind == DocumentKind::Odf)
        suggestions = NameFixes(finding, lineText, sources);
    for (FixSuggestion& suggestion : suggestions)
        suggestion.findingCode = finding.code;
    return suggestions;
}

std::vector<FixSuggestion> FixesForLine(const std::vector<compiler::Finding>& findings, int line,
                                        std::string_view lineText, DocumentKind kind,
                                        const FixSources& sources) {
    std::vector<FixSuggestion> fixes;
    const auto same = [](const FixSuggestion& a, const FixSuggestion& b) {
        return a.start == b.start && a.original == b.original && a.replacement == b.replacement;
    };
    for (const compiler::Finding& finding : findings) {
        if (finding.line != line)
            continue;
        for (FixSuggestion& suggestion : SuggestFixes(finding, lineText, kind, sources)) {
            const auto known = [&](const FixSuggestion& fix) { return same(fix, suggestion); };
            if (fixes.size() < kMaxFixes && std::none_of(fixes.begin(), fixes.end(), known))
                fixes.push_back(std::move(suggestion));
        }
    }
    return fixes;
}

std::string FixCaption(const FixSuggestion& suggestion) {
    return "Change \"" + suggestion.original + "\" to \"" + suggestion.replacement + "\"";
}

} // namespace varko::language
