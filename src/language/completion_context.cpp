#include "varko/language/completion_context.h"

#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

#include <algorithm>

namespace varko::language {

namespace {

bool IsNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

CompletionTarget TargetOfType(const std::string& type) {
    if (type == "odf")
        return CompletionTarget::OdfFile;
    if (type == "odfn")
        return CompletionTarget::OdfName;
    if (type == "sod")
        return CompletionTarget::SodFile;
    if (type == "sodn")
        return CompletionTarget::SodName;
    return CompletionTarget::None;
}

// "name = prefix" up to the caret, the value so far one token without quotes.
CompletionContext ValueContext(std::string_view line, std::size_t column, const TypeOfProperty& typeOf) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || eq < 2 || line[eq - 1] != ' ' || eq + 1 >= line.size() ||
        line[eq + 1] != ' ' || column < eq + 2 || IsUncheckedOdfLine(line) || !typeOf)
        return {};
    const std::string_view prefix = line.substr(eq + 2, column - (eq + 2));
    const bool oneToken = std::none_of(prefix.begin(), prefix.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 32 || c == ',' || c == '"';
    });
    const CompletionTarget target = TargetOfType(typeOf(compiler::SplitPropertyLine(line).name));
    if (!oneToken || target == CompletionTarget::None)
        return {};
    return {target, eq + 2, std::string(prefix)};
}

bool HasExtension(const std::string& name, std::string_view extension) {
    return name.size() > extension.size() &&
           textrules::SameText(std::string_view(name).substr(name.size() - extension.size()), extension);
}

} // namespace

CompletionContext CompletionContextAt(std::string_view line, std::size_t column, DocumentKind kind,
                                      const TypeOfProperty& typeOf) {
    if (kind == DocumentKind::TechTree || column > line.size())
        return {};
    const std::string_view before = line.substr(0, column);
    if (std::all_of(before.begin(), before.end(), IsNameCharacter))
        return {CompletionTarget::PropertyName, 0, std::string(before)};
    return ValueContext(line, column, typeOf);
}

std::vector<CompletionCandidate> PropertyCandidates(const std::vector<PropertyEntry>& entries) {
    std::vector<CompletionCandidate> candidates;
    candidates.reserve(entries.size());
    for (const PropertyEntry& entry : entries)
        candidates.push_back({entry.name, entry.type.empty() ? "not declared" : entry.type});
    return candidates;
}

std::vector<CompletionCandidate> FileCandidates(CompletionTarget target, const FileSources& files) {
    const bool odf = target == CompletionTarget::OdfFile || target == CompletionTarget::OdfName;
    const auto& list = odf ? files.odfNames : files.sodNames;
    if (target == CompletionTarget::None || target == CompletionTarget::PropertyName || !list)
        return {};
    const std::string_view dropped = target == CompletionTarget::OdfFile   ? ".odf"
                                     : target == CompletionTarget::SodFile ? ".sod"
                                                                           : "";
    const std::string description = odf ? "ODF file" : "SOD file";
    std::vector<CompletionCandidate> candidates;
    for (const std::string& name : list()) {
        if (dropped.empty())
            candidates.push_back({name, description});
        else if (HasExtension(name, dropped))
            candidates.push_back({name.substr(0, name.size() - dropped.size()), description});
    }
    return candidates;
}

} // namespace varko::language
