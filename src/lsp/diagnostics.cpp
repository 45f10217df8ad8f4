#include "varko/lsp/diagnostics.h"

#include "varko/lsp/disk_text.h"
#include "varko/lsp/text_document.h"
#include "varko/textrules/text_rules.h"

namespace varko::lsp {

namespace {

using nlohmann::json;

bool IsBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

std::size_t QuotedEnd(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        if (text[pos] != '"')
            ++pos;
        else if (pos + 1 < text.size() && text[pos + 1] == '"')
            pos += 2;
        else
            return pos + 1;
    }
    return pos;
}

int SeverityNumber(compiler::Severity severity) {
    switch (severity) {
    case compiler::Severity::Error:
        return 1;
    case compiler::Severity::Warning:
        return 2;
    case compiler::Severity::Note:
        return 3;
    }
    return 1;
}

json RangeOf(int line, std::uint32_t start, std::uint32_t end) {
    return {{"start", PositionJson(static_cast<std::uint32_t>(line), start)},
            {"end", PositionJson(static_cast<std::uint32_t>(line), end)}};
}

json RelatedPlace(const std::string& uri, int line, const std::string& message) {
    return {{"location", {{"uri", uri}, {"range", LineRange(line)}}}, {"message", message}};
}

// "a.odf -> b.odf -> a.odf": the files of a circle.
std::vector<std::string> ChainFiles(const std::string& chain) {
    std::vector<std::string> files;
    for (std::size_t pos = 0; pos <= chain.size();) {
        std::size_t stop = chain.find(" -> ", pos);
        if (stop == std::string::npos)
            stop = chain.size();
        files.push_back(chain.substr(pos, stop - pos));
        pos = stop + 4;
    }
    return files;
}

json RelatedInformation(const compiler::Finding& finding, const DiagnosticContext& context) {
    json related = json::array();
    const auto& parts = finding.parts;
    auto addFile = [&](const std::string& name, int line, const std::string& message) {
        if (std::optional<std::string> uri = context.uriOfFile(name))
            related.push_back(RelatedPlace(*uri, line, DiskTextAsUtf8(message)));
    };
    if (finding.code == "X2" && parts.size() >= 2)
        related.push_back(RelatedPlace(context.documentUri, textrules::ParseInt(parts[1]).value_or(1),
                                       "first entry of " + DiskTextAsUtf8(parts[0])));
    if (finding.code == "X4" && parts.size() >= 5) {
        addFile(parts[1], textrules::ParseInt(parts[2]).value_or(1), "'" + parts[0] + "' set here");
        addFile(parts[3], textrules::ParseInt(parts[4]).value_or(1), "'" + parts[0] + "' set here");
    }
    if (finding.code == "X3" && !parts.empty()) {
        const std::vector<std::string> files = ChainFiles(parts[0]);
        for (std::size_t i = 1; i + 1 < files.size(); ++i)
            addFile(files[i], 1, "in the include cycle");
    }
    return related;
}

} // namespace

ByteSpan FindingSpan(std::string_view line, int column) {
    line = line.substr(0, line.find('\0'));
    std::size_t start = column > 1 ? static_cast<std::size_t>(column - 1) : 0;
    if (start == 0 || start >= line.size())
        return {0, line.size()};
    std::size_t pos = start;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos >= line.size())
        return {start, line.size()};
    std::size_t end = line[pos] == '"' ? QuotedEnd(line, pos + 1) : pos;
    while (line[pos] != '"' && end < line.size() && !IsBlank(line[end]) && line[end] != ',')
        ++end;
    return {start, std::max(end, start + 1)};
}

json LineRange(int line) {
    const auto at = static_cast<std::uint32_t>(std::max(line - 1, 0));
    return {{"start", PositionJson(at, 0)}, {"end", PositionJson(at + 1, 0)}};
}

json DiagnosticOf(const compiler::Finding& finding, const DiagnosticContext& context) {
    const int lineIndex = std::max(finding.line - 1, 0);
    const std::string_view line = context.line(static_cast<std::size_t>(lineIndex));
    const ByteSpan span = FindingSpan(line, finding.column);
    json diagnostic = {{"range", RangeOf(lineIndex, ColumnOfByte(line, span.start, context.encoding),
                                         ColumnOfByte(line, span.end, context.encoding))},
                       {"severity", SeverityNumber(compiler::SeverityOf(finding.code))},
                       {"code", finding.code},
                       {"source", "varko"},
                       {"message", DiskTextAsUtf8(compiler::MessageDetail(finding))}};
    if (finding.code.starts_with("X")) {
        json related = RelatedInformation(finding, context);
        if (!related.empty())
            diagnostic["relatedInformation"] = std::move(related);
    }
    return diagnostic;
}

json DiagnosticsOf(const std::vector<compiler::Finding>& findings, const DiagnosticContext& context) {
    json list = json::array();
    for (const compiler::Finding& finding : findings)
        list.push_back(DiagnosticOf(finding, context));
    return list;
}

} // namespace varko::lsp
