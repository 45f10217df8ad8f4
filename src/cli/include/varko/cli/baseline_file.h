#pragma once

#include "varko/cli/finding_record.h"

#include <compare>
#include <string>
#include <vector>

namespace varko::cli {

// A finding as a baseline remembers it: not its line number, so that it is still recognised when
// lines above it come or go.
struct BaselineEntry {
    std::string path; // as the report shows it
    std::string code;
    std::string lineText; // the faulty line's bytes

    auto operator<=>(const BaselineEntry&) const = default;
};

struct BaselineRead {
    std::vector<BaselineEntry> entries;
    std::string error; // empty when the file was read; else why not, for "Cannot read baseline FILE: ..."
};

inline constexpr int kBaselineVersion = 1;

// The baseline document of the records: {"version": 1, "tool": "varko-check", "findings": [...]},
// entries sorted by path, code and line text. A path or line text that is not UTF-8 is stored as
// "path_base64" or "line_text_base64" instead of "path" or "line_text", so every byte comes back.
std::string BaselineDocument(const FindingRecords& records);

// Parses a baseline document; anything but a complete document of this version is an error.
BaselineRead ParseBaseline(const std::string& text);

// Reads a baseline file (regular files only, never waiting on a pipe).
BaselineRead ReadBaseline(const std::string& file);

// Replaces the file as a whole, so an interrupted write leaves the old baseline; false on failure.
bool WriteBaseline(const std::string& file, const FindingRecords& records);

} // namespace varko::cli
