#include "varko/language/file_reference.h"

#include "varko/language/token_spans.h"

#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

namespace varko::language {

namespace {

constexpr std::string_view kInclude = "#include ";

FileReference MakeReference(const TokenSpan& token, FileKind kind, std::string_view addedExtension) {
    FileReference reference;
    reference.written = token.text;
    reference.addedExtension = std::string(addedExtension);
    reference.fileName = token.text + reference.addedExtension;
    reference.kind = kind;
    reference.start = token.innerStart;
    reference.length = token.innerEnd - token.innerStart;
    reference.quoted = token.innerStart != token.start;
    return reference;
}

// The value's first token, read the way the checker reads it for each file type.
std::optional<FileReference> ValueReference(std::string_view line, const TypeOfProperty& typeOf) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || !typeOf)
        return std::nullopt;
    const compiler::PropertyLine parts = compiler::SplitPropertyLine(line);
    const std::string type = typeOf(parts.name);
    const std::size_t valueStart = eq + 2;
    if (valueStart >= line.size())
        return std::nullopt;
    const std::vector<TokenSpan> tokens = TokenSpans(line.substr(valueStart), valueStart, 1);
    if (tokens.empty() || tokens.front().text.empty())
        return std::nullopt;
    if (type == "odf")
        return MakeReference(tokens.front(), FileKind::Odf, ".odf");
    if (type == "odfn")
        return MakeReference(tokens.front(), FileKind::Odf, "");
    if (type == "sod")
        return MakeReference(tokens.front(), FileKind::Sod, ".sod");
    // A quoted sodn value names no file: the checker leaves it alone.
    if (type == "sodn" && !parts.value.starts_with('"'))
        return MakeReference(tokens.front(), FileKind::Sod, "");
    return std::nullopt;
}

// The object and its requirements; the second token is the count.
std::vector<FileReference> TechTreeReferences(std::string_view line) {
    std::vector<FileReference> references;
    if (line.starts_with("//"))
        return references;
    const std::vector<TokenSpan> tokens = TokenSpans(line);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i != 1 && !tokens[i].text.empty())
            references.push_back(MakeReference(tokens[i], FileKind::Odf, ""));
    }
    return references;
}

// The token's quotes count as part of it.
bool Holds(const FileReference& reference, std::size_t column) {
    const std::size_t quote = reference.quoted ? 1 : 0;
    return column + quote >= reference.start && column <= reference.start + reference.length + quote;
}

} // namespace

bool IsUncheckedOdfLine(std::string_view line) {
    return line.empty() || line.starts_with("//") || line.front() == '\t' || line.front() == ' ';
}

std::vector<FileReference> FileReferencesOnLine(std::string_view line, DocumentKind kind,
                                                const TypeOfProperty& typeOf) {
    if (kind == DocumentKind::TechTree)
        return TechTreeReferences(line);
    std::vector<FileReference> references;
    if (IsUncheckedOdfLine(line))
        return references;
    if (line.starts_with(kInclude)) {
        const std::vector<TokenSpan> tokens = TokenSpans(line.substr(kInclude.size()), kInclude.size(), 1);
        if (!tokens.empty() && !tokens.front().text.empty())
            references.push_back(MakeReference(tokens.front(), FileKind::Odf, ""));
    } else if (std::optional<FileReference> value = ValueReference(line, typeOf)) {
        references.push_back(std::move(*value));
    }
    return references;
}

std::optional<FileReference> FileReferenceAt(std::string_view line, std::optional<std::size_t> column,
                                             DocumentKind kind, const TypeOfProperty& typeOf) {
    std::vector<FileReference> references = FileReferencesOnLine(line, kind, typeOf);
    for (FileReference& reference : references) {
        if (!column || Holds(reference, *column))
            return std::move(reference);
    }
    return std::nullopt;
}

std::optional<PropertyNameSpan> PropertyNameAt(std::string_view line, std::size_t column) {
    if (IsUncheckedOdfLine(line) || line.starts_with(kInclude))
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq < 2)
        return std::nullopt;
    const std::string name = compiler::SplitPropertyLine(line).name;
    if (column > name.size())
        return std::nullopt;
    return PropertyNameSpan{name, name.size()};
}

} // namespace varko::language
