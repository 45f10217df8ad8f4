#pragma once

#include <string>
#include <string_view>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace varko::textrules::windows {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The absolute "\\?\" form of a UTF-8 path (either separator), which Windows does not cut at
// 260 characters; "." and ".." are resolved first, since that form is taken literally.
std::wstring LongWidePath(const std::string& path);

// Closes a Windows handle when it goes out of scope.
class HandleGuard {
public:
    explicit HandleGuard(HANDLE handle) : m_handle(handle) {}
    ~HandleGuard() { Close(); }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;
    HANDLE get() const { return m_handle; }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    // True when the handle was open and closed cleanly.
    bool Close() {
        const bool closed = valid() && ::CloseHandle(m_handle) != 0;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

} // namespace varko::textrules::windows
