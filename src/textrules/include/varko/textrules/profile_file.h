#pragma once

#include "varko/textrules/text_rules.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varko::textrules {

// Raised when a profile file cannot be written: "Unable to write to <path>".
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const std::string& path);
};

// A settings file of bracketed sections and name=value entries. The object holds only the path;
// every operation goes to the file at once, so several objects may share one file.
class TIniFile {
public:
    explicit TIniFile(std::string path);

    const std::string& FileName() const { return m_path; }

    std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback) const;
    int ReadNumber(std::string_view section, std::string_view key, int fallback) const;
    bool ReadFlag(std::string_view section, std::string_view key, bool fallback) const;

    void WriteText(std::string_view section, std::string_view key, std::string_view value);
    void WriteNumber(std::string_view section, std::string_view key, int value);
    void WriteFlag(std::string_view section, std::string_view key, bool value);
    // Replaces every entry of one section by these, in this order, in one locked write; the
    // section keeps its place and every other line stays as it was.
    void WriteSection(std::string_view section,
                      const std::vector<std::pair<std::string, std::string>>& entries);

    void ListSections(LineList& names) const;
    void ListKeys(std::string_view section, LineList& names) const;
    void RemoveSection(std::string_view section);

private:
    std::string m_path;
};

// One line of a profile file as the reader sees it, for callers that name the line of a problem.
struct ProfileLine {
    enum class Kind { Blank, Section, Entry, Other }; // Blank: empty or a comment; Other: none of these
    Kind kind = Kind::Blank;
    int number = 0;      // 1-based
    std::string section; // the section's name, or the section an entry stands in ("" before any)
    std::string key;
    std::string value; // read as ReadText reads it
};

// Every line of the file; nullopt when it cannot be read.
std::optional<std::vector<ProfileLine>> ReadProfileLines(const std::string& path);

} // namespace varko::textrules
