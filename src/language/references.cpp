#include "varko/language/references.h"

#include "varko/compiler/reference_index.h"

namespace varko::language {

std::vector<ReferencePlace> ReferencesInLines(const std::string& path, const textrules::LineList& lines,
                                              std::string_view target,
                                              const compiler::DeclarationTable& declarations) {
    compiler::ReferenceIndex index(declarations);
    index.Add(path, lines);
    std::vector<ReferencePlace> places;
    for (const compiler::Reference& place : index.ReferencesTo(target)) {
        const auto line = static_cast<std::size_t>(place.line - 1);
        places.push_back({{path, place.line - 1}, line < lines.size() ? lines[line] : std::string()});
    }
    return places;
}

std::vector<ReferencePlace> ReferencesInFile(const std::string& path, std::string_view target,
                                             const compiler::DeclarationTable& declarations) {
    const std::optional<std::string> bytes = textrules::ReadFileBytes(path);
    if (!bytes)
        return {};
    return ReferencesInLines(path, textrules::SplitDocumentLines(*bytes), target, declarations);
}

std::vector<ReferencePlace> FindReferences(std::string_view target, const std::vector<std::string>& paths,
                                           const compiler::DeclarationTable& declarations,
                                           const std::atomic<bool>& stop) {
    std::vector<ReferencePlace> places;
    for (const std::string& path : paths) {
        if (stop.load())
            break;
        for (ReferencePlace& place : ReferencesInFile(path, target, declarations))
            places.push_back(std::move(place));
    }
    return places;
}

} // namespace varko::language
