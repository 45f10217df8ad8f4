#include "varko/compiler/finding.h"

#include <array>
#include <utility>

namespace varko::compiler {

namespace {

// Each code's text; "{0}", "{1}" stand for the finding's parts.
constexpr std::array<std::pair<std::string_view, std::string_view>, 24> kTemplates{{
    {"M1", "Error - Unknown command: {0}"},
    {"M2", "Error - property {0} specified more than once!"},
    {"M3", "Error - File not found: {0}"},
    {"M4", "Error - File not found: {0}"},
    {"M5", "Error - File not found: {0}"},
    {"M6", "Error - File not found: {0}"},
    {"M7", "Error - Property '{0}' is a boolean type. Its value needs to be either 0 or 1"},
    {"M8", "Error - Property '{0}' is an integer. '{1}' is not a valid integer"},
    {"M9", "Error - Property '{0}' is a real. '{1}' is not a valid real"},
    {"M10", "Error - Property '{0}' is a string. Quotation marks \"\" are needed"},
    {"M11", "Error - Ending quotation marks are missing"},
    {"M12", "Error - File not found: {0}"},
    {"M13", "Error - Unknown specifications '{0}' found at the end of the value. Please remove or comment it "
            "\"//\""},
    {"T1", "Error - Comments are not allowed in tt files. They may cause the game to freeze during loading."},
    {"T2", "Error - There is {0} requirement(s) missing."},
    {"T3", "Error - too much requirements."},
    {"T4", "ODF file \"{0}\" not found."},
    {"T5",
     "Error - Filename {0} is too long. ODF filenames in TT documents have a 8.3 character length limit."},
    {"T6", "Error - There are errors on this line. Please remove anything other than Tech file entries."},
    {"X1", "Error - Tech tree cycle: {0}"},
    {"X2", "Error - Object {0} is listed more than once in this tech tree; its first entry is on line {1}"},
    {"X3", "Error - Include cycle: {0}"},
    {"X4",
     "Warning - Property '{0}' is set to different values in {1} (line {2}) and {3} (line {4}); the value "
     "depends on the order of the includes"},
    {"U1", "Note - Not used by any tech tree, include or file name"},
}};

std::string_view TemplateOf(std::string_view code) {
    for (const auto& [known, text] : kTemplates) {
        if (known == code)
            return text;
    }
    return {};
}

// One pass over the template, so a part that itself holds "{1}" is never expanded again.
std::string Expand(std::string_view pattern, const std::vector<std::string>& parts) {
    std::string text;
    text.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '0' &&
            pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '0');
            if (index < parts.size())
                text += parts[index];
            i += 2;
        } else {
            text.push_back(pattern[i]);
        }
    }
    return text;
}

} // namespace

bool IsKnownCode(std::string_view code) {
    return !TemplateOf(code).empty();
}

Severity SeverityOf(std::string_view code) {
    if (code == "X4")
        return Severity::Warning;
    return code == "U1" ? Severity::Note : Severity::Error;
}

std::string MessageDetail(const Finding& finding) {
    return Expand(TemplateOf(finding.code), finding.parts);
}

std::string MessageText(const Finding& finding) {
    return "Line " + std::to_string(finding.line) + ": " + MessageDetail(finding);
}

} // namespace varko::compiler
