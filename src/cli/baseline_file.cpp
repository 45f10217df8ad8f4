#include "varko/cli/baseline_file.h"

#include "varko/cli/base64.h"
#include "varko/cli/utf8_text.h"
#include "varko/textrules/atomic_file.h"
#include "varko/textrules/text_rules.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

namespace varko::cli {

namespace {

using Ordered = nlohmann::ordered_json;
using Json = nlohmann::json;

constexpr const char* kTool = "varko-check";

void PutBytes(Ordered& object, const std::string& key, const std::string& bytes) {
    if (IsValidUtf8(bytes))
        object[key] = bytes;
    else
        object[key + "_base64"] = EncodeBase64(bytes);
}

// The text under `key`, or the bytes under `key`_base64; nullopt when neither is well formed.
std::optional<std::string> GetBytes(const Json& object, const std::string& key) {
    auto plain = object.find(key);
    if (plain != object.end())
        return plain->is_string() ? std::optional(plain->get<std::string>()) : std::nullopt;
    auto encoded = object.find(key + "_base64");
    if (encoded == object.end() || !encoded->is_string())
        return std::nullopt;
    return DecodeBase64(encoded->get_ref<const std::string&>());
}

std::string ParseEntry(const Json& item, std::size_t index, std::vector<BaselineEntry>& entries) {
    const std::string where = "finding " + std::to_string(index + 1);
    if (!item.is_object())
        return where + " is not an object";
    std::optional<std::string> path = GetBytes(item, "path");
    std::optional<std::string> code = GetBytes(item, "code");
    std::optional<std::string> lineText = GetBytes(item, "line_text");
    if (!path || !code || !lineText)
        return where + " lacks a well-formed \"path\", \"code\" or \"line_text\"";
    entries.push_back({std::move(*path), std::move(*code), std::move(*lineText)});
    return {};
}

std::string CheckHeader(const Json& document) {
    if (!document.is_object() || document.value("tool", Json()) != kTool)
        return "not a varko-check baseline";
    const Json version = document.value("version", Json());
    if (version != kBaselineVersion)
        return "version " + version.dump() + " is not supported (this varko-check reads version " +
               std::to_string(kBaselineVersion) + ")";
    if (!document.contains("findings") || !document["findings"].is_array())
        return "no \"findings\" list";
    return {};
}

} // namespace

std::string BaselineDocument(const FindingRecords& records) {
    std::vector<BaselineEntry> entries;
    entries.reserve(records.size());
    for (const FindingRecord& record : records)
        entries.push_back({record.path, record.finding.code, record.lineText});
    std::sort(entries.begin(), entries.end());
    Ordered findings = Ordered::array();
    for (const BaselineEntry& entry : entries) {
        Ordered item = Ordered::object();
        PutBytes(item, "path", entry.path);
        PutBytes(item, "code", entry.code);
        PutBytes(item, "line_text", entry.lineText);
        findings.push_back(std::move(item));
    }
    Ordered document = {{"version", kBaselineVersion}, {"tool", kTool}, {"findings", std::move(findings)}};
    return document.dump(2) + "\n";
}

BaselineRead ParseBaseline(const std::string& text) {
    BaselineRead read;
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        read.error = "the file is empty";
        return read;
    }
    Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        read.error = "not valid JSON (damaged or cut short)";
        return read;
    }
    read.error = CheckHeader(document);
    if (!read.error.empty())
        return read;
    const Json& findings = document["findings"];
    for (std::size_t i = 0; read.error.empty() && i < findings.size(); ++i)
        read.error = ParseEntry(findings[i], i, read.entries);
    if (!read.error.empty())
        read.entries.clear();
    return read;
}

BaselineRead ReadBaseline(const std::string& file) {
    std::optional<std::string> bytes = textrules::ReadFileBytes(file);
    if (bytes)
        return ParseBaseline(*bytes);
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    return {{}, exists ? "not a readable regular file" : "no such file"};
}

bool WriteBaseline(const std::string& file, const FindingRecords& records) {
    return textrules::ReplaceFileContent(file, BaselineDocument(records));
}

} // namespace varko::cli
