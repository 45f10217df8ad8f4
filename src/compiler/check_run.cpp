#include "varko/compiler/check_run.h"

namespace varko::compiler {

std::string SummaryText(int messageCount) {
    if (messageCount == 0)
        return "No errors found";
    return std::to_string(messageCount) + " error(s) found";
}

} // namespace varko::compiler
