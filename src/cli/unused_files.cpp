#include "varko/cli/unused_files.h"
#include "varko/textrules/utf8_path.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace varko::cli {

namespace {

std::string NormalPath(const std::string& absolute) {
    return textrules::Utf8FromPath(textrules::PathFromUtf8(absolute).lexically_normal());
}

// The tech trees of a directory as a walk finds them: files whose extension is exactly ".tt".
std::vector<std::string> TechTreesIn(const std::string& directory) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (fs::directory_iterator it(textrules::PathFromUtf8(directory), ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->path().extension() == ".tt")
            paths.push_back(textrules::Utf8FromPath(it->path()));
    }
    return paths;
}

} // namespace

UnusedFiles::UnusedFiles(const compiler::GameFiles& files,
                         std::shared_ptr<const compiler::DeclarationTable> declarations)
    : m_files(files), m_declarations(declarations ? std::move(declarations)
                                                  : std::make_shared<const compiler::DeclarationTable>()) {}

compiler::ReferenceIndex& UnusedFiles::TakeIndex() {
    std::lock_guard lock(m_mutex);
    if (m_idle.empty()) {
        m_indexes.push_back(std::make_unique<compiler::ReferenceIndex>(*m_declarations));
        return *m_indexes.back();
    }
    compiler::ReferenceIndex* index = m_idle.back();
    m_idle.pop_back();
    return *index;
}

void UnusedFiles::GiveBack(compiler::ReferenceIndex& index) {
    std::lock_guard lock(m_mutex);
    m_idle.push_back(&index);
}

void UnusedFiles::Add(const ModFile& file, const textrules::LineList& lines) {
    {
        std::lock_guard lock(m_mutex);
        if (!m_added.try_emplace(NormalPath(file.path), Shown{file.display, file.walked}).second)
            return;
    }
    compiler::ReferenceIndex& index = TakeIndex();
    index.Add(file.path, lines);
    GiveBack(index);
}

// Only regular files are read, so a pipe or a looping link among them names nothing.
void UnusedFiles::AddFromDisk(const std::string& path, compiler::ReferenceIndex& index) {
    if (m_added.contains(NormalPath(path)))
        return;
    if (std::optional<std::string> bytes = textrules::ReadFileBytes(path)) {
        m_added.try_emplace(NormalPath(path), Shown{});
        index.Add(path, textrules::SplitDocumentLines(*bytes));
    }
}

void UnusedFiles::AddUncheckedAddonFiles(compiler::ReferenceIndex& index) {
    for (const auto& catalogue : m_files.Addon()) {
        const fs::path directory = catalogue->Directory();
        for (const std::string& name : catalogue->Names())
            AddFromDisk(textrules::Utf8FromPath(directory / textrules::PathFromUtf8(name)), index);
        for (const std::string& path : TechTreesIn(textrules::Utf8FromPath(directory)))
            AddFromDisk(path, index);
    }
}

UnusedFiles::Shown UnusedFiles::ShownFile(const std::string& path, const std::string& name,
                                          const std::string& currentDirectory) const {
    auto added = m_added.find(NormalPath(path));
    if (added != m_added.end() && !added->second.display.empty())
        return added->second;
    return {ShownPath(path, currentDirectory), name};
}

// A name is used when any index holds a use of it, so the indexes filter the names in turn.
FindingRecords UnusedFiles::Notes(const PathFilter& filter, const std::string& currentDirectory) {
    compiler::ReferenceIndex& rest = TakeIndex();
    std::lock_guard lock(m_mutex);
    AddUncheckedAddonFiles(rest);
    std::vector<std::string> unused = m_files.OdfNames();
    for (const auto& index : m_indexes)
        unused = index->Unused(unused);
    FindingRecords notes;
    for (const std::string& name : unused) {
        const std::optional<std::string> path = m_files.FindOdfPath(name);
        if (!path)
            continue;
        Shown shown = ShownFile(*path, name, currentDirectory);
        if (!filter.Excludes(shown.display, shown.walked))
            notes.push_back({std::move(shown.display), compiler::Finding{0, 1, "U1", {}}, std::string()});
    }
    std::sort(notes.begin(), notes.end(),
              [](const FindingRecord& a, const FindingRecord& b) { return a.path < b.path; });
    return notes;
}

} // namespace varko::cli
