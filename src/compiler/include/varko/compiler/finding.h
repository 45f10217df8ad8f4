#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varko::compiler {

enum class Severity { Error, Warning, Note };

// One fault a check found, as data: where it is, what kind it is, and the variable parts of its
// text. The text a user reads is made from it at the edge, by MessageText or MessageDetail.
struct Finding {
    int line = 0;                   // 1-based text line; 0 for a note about the whole file
    int column = 1;                 // 1-based column of the token the finding is about; 1 when there is none
    std::string code;               // "M1".."M13", "T1".."T6", "X1".."X4", "U1"
    std::vector<std::string> parts; // the variable parts, in the order the text names them

    bool operator==(const Finding&) const = default;
};

// True for the codes this program knows.
bool IsKnownCode(std::string_view code);
Severity SeverityOf(std::string_view code);

// The message without its "Line N: " prefix, e.g. "Error - File not found: missing.odf".
std::string MessageDetail(const Finding& finding);
// The message as the message list shows it, e.g. "Line 4: Error - File not found: missing.odf".
std::string MessageText(const Finding& finding);

} // namespace varko::compiler
