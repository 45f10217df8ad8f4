#pragma once

#include <ostream>

namespace varko::cli {

inline constexpr int kExitClean = 0;
inline constexpr int kExitFaults = 1;
inline constexpr int kExitTrouble = 2;

// The whole of varko-check: parses the arguments, checks the mod, writes the report.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace varko::cli
