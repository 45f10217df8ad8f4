#pragma once

#include "varko/cli/finding_record.h"

#include <ostream>
#include <string>
#include <string_view>

namespace varko::cli {

// "PATH:LINE:COL: error: MESSAGE [CODE]", one line per finding, as compilers print diagnostics;
// warnings say "warning:", and a note on the whole file is "PATH: note: MESSAGE [CODE]". Bytes go
// out as the files hold them, as in the text report.
void WriteGccReport(const FindingRecords& records, std::ostream& out);

// One GitHub Actions workflow command per finding:
// "::error file=PATH,line=N,col=C,title=CODE::MESSAGE" ("::warning" for warnings, and
// "::notice file=PATH,title=CODE::MESSAGE" for a note on the whole file).
void WriteGithubReport(const FindingRecords& records, std::ostream& out);

// The escaping of a workflow command's message: '%', CR and LF.
std::string EscapeGithubData(std::string_view text);
// The escaping of a workflow command's property value: the message's, and ':' and ','.
std::string EscapeGithubProperty(std::string_view text);

} // namespace varko::cli
