#pragma once

#include <string>

namespace varko::textrules {

// The directory of the running executable, with a trailing '/'; "./" when it cannot be found.
std::string ExecutableDirectory();

// Whether standard error is a terminal (a progress line is shown only there).
bool StandardErrorIsTerminal();

// Standard output and error write the bytes they are given: on Windows, text mode would turn
// every '\n' into "\r\n", and reports must be the same bytes on every system.
void UseBinaryStandardStreams();

} // namespace varko::textrules
