#include "varko/cli/sarif_report.h"

#include "varko/cli/finding_fingerprint.h"
#include "varko/cli/json_text.h"
#include "varko/cli/sarif_rules.h"
#include "varko/cli/uri_text.h"
#include "varko/cli/utf8_text.h"

#include <nlohmann/json.hpp>

#include "varko/textrules/utf8_path.h"
#include <algorithm>

#include <filesystem>

using nlohmann::json;
namespace fs = std::filesystem;

namespace varko::cli {

namespace {

// The same page as the editor's Help > Visit Website.
constexpr const char* kHomePage = "https://varko-workshop.example.org/";
constexpr const char* kSchema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";

const char* LevelOf(std::string_view code) {
    switch (compiler::SeverityOf(code)) {
    case compiler::Severity::Error:
        return "error";
    case compiler::Severity::Warning:
        return "warning";
    default:
        return "note";
    }
}

json Text(std::string_view text) {
    return {{"text", std::string(text)}};
}

json RuleJson(const SarifRule& rule) {
    return {{"id", std::string(rule.code)},
            {"name", std::string(rule.name)},
            {"shortDescription", Text(rule.shortDescription)},
            {"fullDescription", Text(rule.fullDescription)},
            {"help", Text(rule.help)},
            {"defaultConfiguration", {{"level", LevelOf(rule.code)}}}};
}

// The rules of the table, then one plain rule for each code met without a row of its own, so
// that every result still names a rule; returns each record's rule index.
std::vector<std::size_t> AddRules(const FindingRecords& records, json& rules) {
    for (const SarifRule& rule : SarifRules())
        rules.push_back(RuleJson(rule));
    std::vector<std::string> extra;
    std::vector<std::size_t> indexes;
    for (const FindingRecord& record : records) {
        const std::string& code = record.finding.code;
        if (std::optional<std::size_t> index = SarifRuleIndex(code)) {
            indexes.push_back(*index);
            continue;
        }
        auto it = std::find(extra.begin(), extra.end(), code);
        if (it == extra.end()) {
            extra.push_back(code);
            rules.push_back({{"id", code}, {"shortDescription", Text("varko-check finding " + code)}});
            it = extra.end() - 1;
        }
        indexes.push_back(SarifRules().size() + static_cast<std::size_t>(it - extra.begin()));
    }
    return indexes;
}

struct Artifact {
    std::string uri;
    bool relative = true; // to the root directory, on kSarifRootBaseId
};

Artifact ArtifactOf(const std::string& path, const SarifContext& context) {
    fs::path file = textrules::PathFromUtf8(path);
    if (file.is_absolute()) {
        fs::path relative = file.lexically_relative(textrules::PathFromUtf8(context.rootDirectory));
        if (relative.empty() || *relative.begin() == "..")
            return {"file://" + PercentEncodePath(textrules::GenericUtf8FromPath(file.lexically_normal())),
                    false};
        file = relative;
    }
    return {PercentEncodePath(textrules::GenericUtf8FromPath(file.lexically_normal())), true};
}

// The finding's column counts bytes; the log counts code points when the line is UTF-8, and
// bytes otherwise, since every other byte is read as one Latin-1 character.
int CodePointColumn(const std::string& lineText, int byteColumn) {
    const auto prefix = static_cast<std::size_t>(std::max(byteColumn, 1) - 1);
    if (prefix == 0 || prefix > lineText.size() || !IsValidUtf8(lineText))
        return std::max(byteColumn, 1);
    int column = 1;
    for (std::size_t i = 0; i < prefix; ++i)
        column += (static_cast<unsigned char>(lineText[i]) & 0xC0) != 0x80 ? 1 : 0;
    return column;
}

void AppendMember(std::string& out, std::string_view key, std::string_view utf8) {
    AppendJsonString(out, key);
    out += ": ";
    AppendJsonString(out, utf8);
}

void AppendLocation(std::string& out, const FindingRecord& record, const Artifact& artifact) {
    out += "\"locations\": [{\"physicalLocation\": {\"artifactLocation\": {";
    AppendMember(out, "uri", artifact.uri);
    if (artifact.relative) {
        out += ", ";
        AppendMember(out, "uriBaseId", kSarifRootBaseId);
    }
    // A note on the whole file has no region.
    if (record.finding.line <= 0) {
        out += "}}}]";
        return;
    }
    out += "}, \"region\": {\"startLine\": " + std::to_string(record.finding.line) +
           ", \"startColumn\": " + std::to_string(CodePointColumn(record.lineText, record.finding.column)) +
           ", \"snippet\": {";
    AppendMember(out, "text", ToUtf8(record.lineText));
    out += "}}}}]";
}

// One result, on one line: a log holds one per finding, so it is written without a document.
void AppendResult(std::string& out, const FindingRecord& record, std::size_t ruleIndex,
                  const std::string& fingerprint, const Artifact& artifact) {
    out += "{";
    AppendMember(out, "ruleId", record.finding.code);
    out += ", \"ruleIndex\": " + std::to_string(ruleIndex) + ", ";
    AppendMember(out, "level", LevelOf(record.finding.code));
    out += ", \"message\": {";
    AppendMember(out, "text", ToUtf8(compiler::MessageDetail(record.finding)));
    out += "}, ";
    AppendLocation(out, record, artifact);
    out += ", \"partialFingerprints\": {";
    AppendMember(out, kSarifFingerprintKey, fingerprint);
    out += "}}";
}

// Four numbers joined by dots, the only form "dottedQuadFileVersion" accepts.
bool IsDottedQuad(const std::string& version) {
    int parts = 1;
    bool digit = false;
    for (char c : version) {
        if (c == '.' && digit) {
            ++parts;
            digit = false;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return parts == 4 && digit;
}

json DriverJson(const SarifContext& context, json rules) {
    json driver = {{"name", "varko-check"}, {"version", context.toolVersion}, {"informationUri", kHomePage}};
    if (IsDottedQuad(context.toolVersion))
        driver["dottedQuadFileVersion"] = context.toolVersion;
    driver["rules"] = std::move(rules);
    return driver;
}

// Everything of the run but its results, which follow as the last member.
std::string RunHead(const SarifContext& context, json rules) {
    json head = {
        {"tool", {{"driver", DriverJson(context, std::move(rules))}}},
        {"originalUriBaseIds", {{kSarifRootBaseId, {{"uri", DirectoryFileUri(context.rootDirectory)}}}}},
        {"columnKind", "unicodeCodePoints"}};
    std::string text = head.dump(2);
    text.pop_back(); // the closing brace: the results come first
    text.erase(text.find_last_not_of("\n ") + 1);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, "    ");
    return text;
}

} // namespace

void WriteSarifReport(const FindingRecords& records, const SarifContext& context, std::ostream& out) {
    json rules = json::array();
    const std::vector<std::size_t> ruleIndexes = AddRules(records, rules);
    const std::vector<std::string> fingerprints = FindingFingerprints(records);
    out << "{\n  \"$schema\": \"" << kSchema << "\",\n  \"version\": \"2.1.0\",\n  \"runs\": [\n    "
        << RunHead(context, std::move(rules)) << ",\n      \"results\": [";
    std::string line;
    Artifact artifact;
    for (std::size_t i = 0; i < records.size(); ++i) {
        // Records come grouped by file, so each file's URI is made once.
        if (i == 0 || records[i].path != records[i - 1].path)
            artifact = ArtifactOf(records[i].path, context);
        line = i == 0 ? "\n        " : ",\n        ";
        AppendResult(line, records[i], ruleIndexes[i], fingerprints[i], artifact);
        out << line;
    }
    out << (records.empty() ? "]\n    }\n  ]\n}\n" : "\n      ]\n    }\n  ]\n}\n");
}

} // namespace varko::cli
