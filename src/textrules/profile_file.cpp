#include "varko/textrules/profile_file.h"

#include "profile_format.h"
#include "varko/textrules/atomic_file.h"

#include <optional>

namespace varko::textrules {

namespace {

constexpr std::size_t kMaxValueLength = 2047;

ProfileText LoadProfile(const std::string& path) {
    return ProfileText(ReadFileBytes(path).value_or(std::string()));
}

} // namespace

ProfileWriteError::ProfileWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path) {}

TIniFile::TIniFile(std::string path) : m_path(std::move(path)) {}

std::string TIniFile::ReadText(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    std::optional<std::string> value = LoadProfile(m_path).Read(section, key);
    std::string result = value ? std::move(*value) : std::string(fallback);
    if (result.size() > kMaxValueLength)
        result.resize(kMaxValueLength);
    return result;
}

int TIniFile::ReadNumber(std::string_view section, std::string_view key, int fallback) const {
    // "0x" and "0X" introduce hexadecimal digits, which the integer rules already accept.
    return ParseInt(ReadText(section, key, "")).value_or(fallback);
}

bool TIniFile::ReadFlag(std::string_view section, std::string_view key, bool fallback) const {
    return ReadNumber(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
    bool ok =
        EditFileLocked(m_path, [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            ProfileText profile(current.value_or(std::string()));
            profile.Write(section, key, value);
            return profile.Bytes();
        });
    if (!ok)
        throw ProfileWriteError(m_path);
}

void TIniFile::WriteNumber(std::string_view section, std::string_view key, int value) {
    WriteText(section, key, std::to_string(value));
}

void TIniFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
    WriteText(section, key, value ? "1" : "0");
}

void TIniFile::WriteSection(std::string_view section,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
    bool ok =
        EditFileLocked(m_path, [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            ProfileText profile(current.value_or(std::string()));
            const std::string before = profile.Bytes();
            profile.ReplaceSection(section, entries);
            std::string after = profile.Bytes();
            if (after == before)
                return std::nullopt; // an unchanged list leaves the file alone
            return after;
        });
    if (!ok)
        throw ProfileWriteError(m_path);
}

void TIniFile::ListSections(LineList& names) const {
    names = LoadProfile(m_path).Sections();
}

void TIniFile::ListKeys(std::string_view section, LineList& names) const {
    names = LoadProfile(m_path).Keys(section);
}

void TIniFile::RemoveSection(std::string_view section) {
    LineList sections;
    ListSections(sections);
    if (IndexOfText(sections, section) < 0)
        return; // nothing to erase, nothing to write
    bool ok =
        EditFileLocked(m_path, [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            if (!current)
                return std::nullopt;
            ProfileText profile(*current);
            if (!profile.RemoveSection(section))
                return std::nullopt;
            return profile.Bytes();
        });
    if (!ok)
        throw ProfileWriteError(m_path);
}

std::optional<std::vector<ProfileLine>> ReadProfileLines(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes)
        return std::nullopt;
    return ProfileText(*bytes).Outline();
}

} // namespace varko::textrules
