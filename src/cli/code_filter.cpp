#include "varko/cli/code_filter.h"

#include <algorithm>

namespace varko::cli {

CodeFilter ParseIgnoredCodes(const std::vector<std::string>& values) {
    CodeFilter filter;
    for (const std::string& value : values) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = value.find(',', start);
            std::string code =
                value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!compiler::IsKnownCode(code) && filter.unknown.empty())
                filter.unknown = code.empty() ? "\"\"" : code;
            filter.ignored.insert(std::move(code));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return filter;
}

void DropIgnoredCodes(FindingRecords& records, const CodeFilter& filter) {
    if (filter.ignored.empty())
        return;
    std::erase_if(records,
                  [&](const FindingRecord& record) { return filter.ignored.contains(record.finding.code); });
}

} // namespace varko::cli
