#include "varko/cli/sarif_report.h"

#include "varko/cli/finding_fingerprint.h"
#include "varko/cli/sarif_rules.h"
#include "varko/cli/uri_text.h"
#include "varko/cli/utf8_text.h"

#include <nlohmann/json.hpp>

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

json ArtifactLocation(const std::string& path, const SarifContext& context) {
    fs::path file(path);
    if (file.is_absolute()) {
        fs::path relative = file.lexically_relative(context.rootDirectory);
        if (relative.empty() || *relative.begin() == "..")
            return {{"uri", "file://" + PercentEncodePath(file.lexically_normal().generic_string())}};
        file = relative;
    }
    return {{"uri", PercentEncodePath(file.lexically_normal().generic_string())},
            {"uriBaseId", kSarifRootBaseId}};
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

json ResultJson(const FindingRecord& record, std::size_t ruleIndex, const std::string& fingerprint,
                const SarifContext& context) {
    const compiler::Finding& finding = record.finding;
    json region = {{"startLine", std::max(finding.line, 1)},
                   {"startColumn", CodePointColumn(record.lineText, finding.column)},
                   {"snippet", Text(ToUtf8(record.lineText))}};
    json location = {{"physicalLocation",
                      {{"artifactLocation", ArtifactLocation(record.path, context)}, {"region", region}}}};
    return {{"ruleId", finding.code},
            {"ruleIndex", ruleIndex},
            {"level", LevelOf(finding.code)},
            {"message", Text(ToUtf8(compiler::MessageDetail(finding)))},
            {"locations", json::array({location})},
            {"partialFingerprints", {{kSarifFingerprintKey, fingerprint}}}};
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

} // namespace

void WriteSarifReport(const FindingRecords& records, const SarifContext& context, std::ostream& out) {
    json rules = json::array();
    const std::vector<std::size_t> ruleIndexes = AddRules(records, rules);
    const std::vector<std::string> fingerprints = FindingFingerprints(records);
    json results = json::array();
    for (std::size_t i = 0; i < records.size(); ++i)
        results.push_back(ResultJson(records[i], ruleIndexes[i], fingerprints[i], context));
    json run = {
        {"tool", {{"driver", DriverJson(context, std::move(rules))}}},
        {"originalUriBaseIds", {{kSarifRootBaseId, {{"uri", DirectoryFileUri(context.rootDirectory)}}}}},
        {"columnKind", "unicodeCodePoints"},
        {"results", std::move(results)}};
    json log = {{"$schema", kSchema}, {"version", "2.1.0"}, {"runs", json::array({std::move(run)})}};
    out << log.dump(2) << '\n';
}

} // namespace varko::cli
