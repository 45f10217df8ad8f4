#include "varko/textrules/text_rules.h"

#include "wide_path.h"

#include <algorithm>

namespace varko::textrules {

using windows::HandleGuard;

// Others may go on reading, writing, renaming or deleting the file while it is read, so reading
// never stands in the way of an atomic replace. Only files on disk are read: pipes, consoles and
// devices are refused, and so are directories (they cannot be opened this way).
std::optional<std::string> ReadFileBytes(const std::string& path) {
    HandleGuard file(::CreateFileW(windows::LongWidePath(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || ::GetFileType(file.get()) != FILE_TYPE_DISK)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

} // namespace varko::textrules
