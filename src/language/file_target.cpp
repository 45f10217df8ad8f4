#include "varko/language/file_target.h"

namespace varko::language {

FileTarget FileTargetAt(std::string_view line, std::optional<std::size_t> column, DocumentKind kind,
                        const TypeOfProperty& typeOf, const FileSources& files) {
    std::optional<FileReference> reference = FileReferenceAt(line, column, kind, typeOf);
    if (column && !reference)
        reference = FileReferenceAt(line, std::nullopt, kind, typeOf);
    if (!reference)
        return {std::nullopt, "No file name here"};
    const std::string& name = reference->fileName;
    if (reference->kind == FileKind::Sod)
        return {std::nullopt, "Only ODF files open in the editor: " + name};
    if (!IsPlainFileName(name))
        return {std::nullopt, "Not a file of the addon directory: " + name};
    std::optional<std::string> path = files.findOdfPath ? files.findOdfPath(name) : std::nullopt;
    if (!path)
        return {std::nullopt, "File not found: " + name};
    return {std::move(path), ""};
}

} // namespace varko::language
