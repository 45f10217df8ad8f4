#pragma once

#include "varko/cli/batch_check.h"

#include <ostream>
#include <string>

namespace varko::cli {

// One line per fault, "PATH:N: TEXT", TEXT being the message without its "Line N: " lead.
void WriteTextReport(const BatchResult& result, std::ostream& out);

// One JSON array of {"file", "line", "code", "message"}; message is the full text.
void WriteJsonReport(const BatchResult& result, std::ostream& out);

// Bytes that are not valid UTF-8 are read as Latin-1, so nothing is dropped from a report.
std::string ToUtf8(const std::string& bytes);

} // namespace varko::cli
