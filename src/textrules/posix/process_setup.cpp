#include "varko/textrules/process_setup.h"

#include <filesystem>
#include <unistd.h>

namespace varko::textrules {

std::string ExecutableDirectory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    return exe.parent_path().string() + "/";
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

void UseBinaryStandardStreams() {}

} // namespace varko::textrules
