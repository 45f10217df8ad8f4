#pragma once

#include "varko/textrules/profile_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varko::textrules {

// A profile file held as its lines, each with its own line ending, so that an edit can rewrite
// one line and leave every other byte as it was.
class ProfileText {
public:
    explicit ProfileText(std::string_view bytes);

    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    void Write(std::string_view section, std::string_view key, std::string_view value);
    // The section's entries become exactly these, in this order; blank lines that end the section
    // stay, so the next section keeps its distance. A missing section is appended.
    void ReplaceSection(std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);
    bool RemoveSection(std::string_view section);

    std::string Bytes() const;
    std::vector<ProfileLine> Outline() const;

private:
    struct Line {
        std::string text;
        std::string ending;
    };
    struct Entry {
        std::string key;
        std::string value;
    };

    static std::optional<std::string> SectionName(std::string_view text);
    static std::optional<Entry> ParseEntry(std::string_view text);

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t header) const;
    void AppendLine(std::string text);

    std::vector<Line> m_lines;
};

} // namespace varko::textrules
