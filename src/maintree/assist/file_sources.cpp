#include "varko/assist/file_sources.h"

namespace varko::assist {

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

} // namespace varko::assist
