#include "varko/language/hover_text.h"

#include <filesystem>

namespace varko::language {

namespace {

std::string FileText(const FileReference& reference, const FileSources& files) {
    const bool odf = reference.kind == FileKind::Odf;
    const auto& find = odf ? files.findOdfPath : files.findSodPath;
    std::optional<std::string> path;
    if (find && IsPlainFileName(reference.fileName))
        path = find(reference.fileName);
    if (path)
        return reference.fileName + ": found in " + std::filesystem::path(*path).parent_path().string();
    if (odf && files.builtIn && files.builtIn(reference.fileName))
        return reference.fileName + ": built into the game (ignorefiles.txt)";
    return reference.fileName + ": not found in the " + (odf ? "addon" : "SOD") + " directory";
}

std::string PropertyText(const std::string& name, const HoverSources& sources) {
    const std::string type = sources.typeOf ? sources.typeOf(name) : std::string();
    std::string text = name + ": " + (type.empty() ? "not declared" : type);
    const std::vector<std::string> sections =
        sources.sectionsOf ? sources.sectionsOf(name) : std::vector<std::string>();
    for (std::size_t i = 0; i < sections.size(); ++i)
        text += (i == 0 ? "\nKnown in: [" : ", [") + sections[i] + "]";
    return text;
}

} // namespace

std::optional<HoverInfo> HoverOnLine(std::string_view line, int lineIndex, std::size_t column,
                                     DocumentKind kind, const HoverSources& sources) {
    const auto span = [lineIndex](std::size_t start, std::size_t length) {
        return Range{{lineIndex, start}, {lineIndex, start + length}};
    };
    if (std::optional<FileReference> reference = FileReferenceAt(line, column, kind, sources.typeOf))
        return HoverInfo{FileText(*reference, sources.files), span(reference->start, reference->length)};
    if (kind == DocumentKind::TechTree)
        return std::nullopt;
    if (std::optional<PropertyNameSpan> name = PropertyNameAt(line, column))
        return HoverInfo{PropertyText(name->name, sources), span(0, name->length)};
    return std::nullopt;
}

std::string HoverText(std::string_view line, std::size_t column, DocumentKind kind,
                      const HoverSources& sources) {
    std::optional<HoverInfo> hover = HoverOnLine(line, 0, column, kind, sources);
    return hover ? std::move(hover->text) : std::string();
}

} // namespace varko::language
