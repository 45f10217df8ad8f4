#include "varko/cli/mod_files.h"
#include "varko/textrules/utf8_path.h"

#include "varko/textrules/directory_listing.h"
#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace varko::cli {

namespace {

bool IsModFileName(const std::string& name) {
    std::string extension = textrules::FileExtension(name);
    return extension == ".tt" || textrules::SameText(extension, ".odf");
}

std::string NotAFileError(const std::string& display) {
    return "Cannot check " + display + ": not a regular file";
}

struct PendingDirectory {
    fs::path path;
    std::string display;
    std::string walked; // within the directory named on the command line; empty for that one
};

using textrules::DirectoryEntry;
using textrules::EntryType;

// The entries of one directory, sorted by name so that the walk and its errors keep one order.
std::optional<std::vector<DirectoryEntry>> SortedEntries(const fs::path& path) {
    std::optional<std::vector<DirectoryEntry>> entries =
        textrules::ListDirectory(textrules::Utf8FromPath(path));
    if (entries)
        std::sort(entries->begin(), entries->end(),
                  [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return entries;
}

// A link named like a mod file is checked when it leads to a regular file; links to directories
// are never followed, so a link back up the tree cannot make the walk go round.
void AddLinkedFile(const fs::path& path, const std::string& display, const std::string& walked,
                   const std::string& name, CollectResult& result) {
    std::error_code ec;
    fs::file_status target = fs::status(path, ec);
    if (ec || !fs::exists(target))
        result.errors.push_back("Cannot follow symbolic link " + display);
    else if (fs::is_regular_file(target))
        result.files.push_back({display, textrules::Utf8FromPath(path), compiler::KindOfPath(name), walked});
    else if (!fs::is_directory(target))
        result.errors.push_back(NotAFileError(display));
}

void VisitEntry(const PendingDirectory& parent, const DirectoryEntry& entry, CollectResult& result,
                std::vector<PendingDirectory>& subdirectories) {
    const fs::path path = parent.path / textrules::PathFromUtf8(entry.name);
    const std::string display = textrules::GenericUtf8FromPath(textrules::PathFromUtf8(parent.display) /
                                                               textrules::PathFromUtf8(entry.name));
    const std::string walked = textrules::GenericUtf8FromPath(textrules::PathFromUtf8(parent.walked) /
                                                              textrules::PathFromUtf8(entry.name));
    if (entry.type == EntryType::Directory) {
        subdirectories.push_back({path, display, walked});
        return;
    }
    if (!IsModFileName(entry.name))
        return;
    if (entry.type == EntryType::Regular)
        result.files.push_back(
            {display, textrules::Utf8FromPath(path), compiler::KindOfPath(entry.name), walked});
    else if (entry.type == EntryType::Link)
        AddLinkedFile(path, display, walked, entry.name, result);
    else
        result.errors.push_back(NotAFileError(display));
}

// Every directory that cannot be listed is an error of its own; the walk goes on with the rest.
void WalkDirectory(const std::string& argument, const fs::path& root, CollectResult& result) {
    std::vector<PendingDirectory> pending{{root, argument, {}}};
    while (!pending.empty()) {
        PendingDirectory directory = std::move(pending.back());
        pending.pop_back();
        std::optional<std::vector<DirectoryEntry>> entries = SortedEntries(directory.path);
        if (!entries) {
            result.errors.push_back("Cannot read directory " + directory.display);
            continue;
        }
        std::vector<PendingDirectory> subdirectories;
        for (const DirectoryEntry& entry : *entries)
            VisitEntry(directory, entry, result, subdirectories);
        pending.insert(pending.end(), std::make_move_iterator(subdirectories.rbegin()),
                       std::make_move_iterator(subdirectories.rend()));
    }
}

void CollectArgument(const std::string& argument, CollectResult& result) {
    std::error_code ec;
    fs::path absolute = fs::absolute(textrules::PathFromUtf8(argument), ec);
    fs::file_status status = fs::status(absolute, ec);
    if (ec || !fs::exists(status))
        result.errors.push_back("Cannot access " + argument);
    else if (fs::is_directory(status))
        WalkDirectory(argument, absolute, result);
    else if (fs::is_regular_file(status))
        result.files.push_back({argument, textrules::Utf8FromPath(absolute),
                                compiler::KindOfPath(textrules::Utf8FromPath(absolute.filename())),
                                textrules::Utf8FromPath(absolute.filename())});
    else
        result.errors.push_back(NotAFileError(argument));
}

} // namespace

CollectResult CollectModFiles(const std::vector<std::string>& arguments) {
    CollectResult result;
    for (const std::string& argument : arguments)
        CollectArgument(argument, result);
    std::stable_sort(result.files.begin(), result.files.end(),
                     [](const ModFile& a, const ModFile& b) { return a.display < b.display; });
    return result;
}

std::string ShownPath(const std::string& absolute, const std::string& currentDirectory) {
    const fs::path relative =
        textrules::PathFromUtf8(absolute).lexically_relative(textrules::PathFromUtf8(currentDirectory));
    if (relative.empty() || *relative.begin() == "..")
        return absolute;
    return textrules::GenericUtf8FromPath(relative);
}

} // namespace varko::cli
