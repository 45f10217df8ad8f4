#pragma once

#include <string>

namespace varko::textrules {

// The directory of the running executable, with a trailing '/'; "./" when it cannot be found.
std::string ExecutableDirectory();

// Whether standard error is a terminal (a progress line is shown only there).
bool StandardErrorIsTerminal();

// Standard input, output and error pass bytes unchanged: on Windows, text mode would turn every
// '\n' into "\r\n" (and drop '\r' on input), and reports must be the same bytes on every system.
void UseBinaryStandardStreams();

} // namespace varko::textrules
