#include "varko/textrules/atomic_file.h"

#include "varko/textrules/text_rules.h"
#include "wide_path.h"

#include <algorithm>
#include <atomic>

namespace varko::textrules {

using windows::HandleGuard;

namespace {

// ".name<suffix>" beside the file, as on other systems.
std::wstring HiddenSibling(const std::wstring& path, const std::wstring& suffix) {
    const std::size_t slash = path.find_last_of(L'\\');
    return path.substr(0, slash + 1) + L"." + path.substr(slash + 1) + suffix;
}

std::wstring UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    return L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// The temporary copy is written, flushed and closed before it is moved: Windows cannot rename a
// file that is still open.
bool WriteClosed(const std::wstring& temp, const std::string& bytes) {
    HandleGuard file(
        ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    const bool written = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
    return file.Close() && written;
}

} // namespace

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const std::wstring target = windows::LongWidePath(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    // A read-only file stays read-only: replacing it would go around its protection.
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)))
        return false;
    const std::wstring temp = HiddenSibling(target, UniqueSuffix());
    if (WriteClosed(temp, bytes) &&
        ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(temp.c_str());
    return false;
}

bool EditFileLocked(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::optional<std::string>&)>& edit) {
    const std::wstring lockPath = HiddenSibling(windows::LongWidePath(path), L".lock");
    HandleGuard lock(::CreateFileW(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    OVERLAPPED whole{};
    if (!lock.valid() || !::LockFileEx(lock.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole))
        return false;
    std::optional<std::string> current = ReadFileBytes(path);
    if (!current && ::GetFileAttributesW(windows::LongWidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false; // present but unreadable: never overwrite what we could not read
    std::optional<std::string> updated = edit(current);
    if (!updated)
        return true;
    return ReplaceFileContent(path, *updated);
}

} // namespace varko::textrules
