#include "varko/textrules/directory_listing.h"

#include "wide_path.h"

namespace varko::textrules {

namespace {

EntryType TypeOf(const WIN32_FIND_DATAW& data) {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && data.dwReserved0 == IO_REPARSE_TAG_SYMLINK)
        return EntryType::Link;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryType::Directory;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)
        return EntryType::Other;
    return EntryType::Regular;
}

class FindGuard {
public:
    explicit FindGuard(HANDLE handle) : m_handle(handle) {}
    ~FindGuard() {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::FindClose(m_handle);
    }
    FindGuard(const FindGuard&) = delete;
    FindGuard& operator=(const FindGuard&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

// FindFirstFileW on the "\\?\" form of the path, which std::filesystem cannot list past 260 characters.
std::optional<std::vector<DirectoryEntry>> ListDirectory(const std::string& path) {
    std::wstring pattern = windows::LongWidePath(path);
    if (!pattern.ends_with(L'\\'))
        pattern.push_back(L'\\');
    pattern.push_back(L'*');
    WIN32_FIND_DATAW data{};
    FindGuard find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                      FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::vector<DirectoryEntry> entries;
    do {
        const std::wstring_view name(data.cFileName);
        if (name != L"." && name != L"..")
            entries.push_back({windows::Utf8FromWide(name), TypeOf(data)});
    } while (::FindNextFileW(find.get(), &data));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        return std::nullopt;
    return entries;
}

} // namespace varko::textrules
