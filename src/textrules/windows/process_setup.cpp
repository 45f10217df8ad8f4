#include "varko/textrules/process_setup.h"

#include "wide_path.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace varko::textrules {

std::string ExecutableDirectory() {
    std::wstring path(32768, L'\0');
    const DWORD size = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (size == 0 || size >= path.size())
        return "./";
    path.resize(size);
    std::string utf8 = windows::Utf8FromWide(path);
    std::replace(utf8.begin(), utf8.end(), '\\', '/');
    return utf8.substr(0, utf8.find_last_of('/') + 1);
}

// _isatty is also true for the NUL device; only a console has a console mode.
bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

void UseBinaryStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

} // namespace varko::textrules
