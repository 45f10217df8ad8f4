#include "varko/maintree/session/recovery_record.h"

#include <charconv>
#include <optional>

namespace varko::maintree {

namespace {

constexpr std::string_view kMagic = "VARKO RECOVERY 1\n";
constexpr std::string_view kUntitled = "untitled: ";
constexpr std::string_view kName = "name: ";
constexpr std::string_view kText = "text: ";

// Reads "<label><decimal>\n" at the front of `rest` and moves past it.
std::optional<std::size_t> TakeNumber(std::string_view& rest, std::string_view label) {
    if (rest.substr(0, label.size()) != label)
        return std::nullopt;
    const std::size_t end = rest.find('\n', label.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view digits = rest.substr(label.size(), end - label.size());
    std::size_t value = 0;
    auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || stop != digits.data() + digits.size() || digits.empty())
        return std::nullopt;
    rest.remove_prefix(end + 1);
    return value;
}

// The name's bytes and the line break after them.
std::optional<std::string> TakeName(std::string_view& rest) {
    std::optional<std::size_t> length = TakeNumber(rest, kName);
    if (!length || rest.size() <= *length || rest[*length] != '\n')
        return std::nullopt;
    std::string name(rest.substr(0, *length));
    rest.remove_prefix(*length + 1);
    return name;
}

} // namespace

std::string EncodeRecovery(const RecoveryRecord& record) {
    std::string file(kMagic);
    file.append(kUntitled).append(record.untitled ? "1" : "0").append("\n");
    file.append(kName).append(std::to_string(record.documentName.size())).append("\n");
    file.append(record.documentName).append("\n");
    file.append(kText).append(std::to_string(record.bytes.size())).append("\n");
    file.append(record.bytes);
    return file;
}

RecoveryRecord DecodeRecovery(std::string_view file) {
    RecoveryRecord record;
    record.untitled = true;
    record.complete = false;
    if (file.substr(0, kMagic.size()) != kMagic) {
        record.bytes = std::string(file);
        return record;
    }
    std::string_view rest = file.substr(kMagic.size());
    std::optional<std::size_t> untitled = TakeNumber(rest, kUntitled);
    if (!untitled || *untitled > 1)
        return record;
    std::optional<std::string> name = TakeName(rest);
    if (!name)
        return record;
    record.documentName = std::move(*name);
    record.untitled = *untitled == 1;
    std::optional<std::size_t> length = TakeNumber(rest, kText);
    if (!length)
        return record;
    record.bytes = std::string(rest);
    record.complete = rest.size() == *length;
    return record;
}

} // namespace varko::maintree
