#include "varko/compiler/check_environment.h"
#include "varko/textrules/utf8_path.h"

#include "varko/compiler/check_run.h"
#include "varko/compiler/data_files.h"

#include <chrono>

namespace fs = std::filesystem;

namespace varko::compiler {

namespace {

// A modification time this close to the read may still change within the same clock tick.
constexpr auto kTimestampSlack = std::chrono::milliseconds(100);

std::string WithSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != '/')
        dir.push_back('/');
    return dir;
}

std::string CurrentDirectory() {
    std::error_code ec;
    return textrules::Utf8FromPath(fs::current_path(ec));
}

GameFiles::Catalogues ForReading(const std::vector<std::shared_ptr<FileCatalogue>>& catalogues) {
    return {catalogues.begin(), catalogues.end()};
}

} // namespace

CheckEnvironment::CheckEnvironment(std::string appDir) : m_appDir(WithSeparator(std::move(appDir))) {
    // Until the first pointing, each kind of file is looked up in the starting directory.
    m_published.baseDir = CurrentDirectory();
    m_addon = {std::make_shared<FileCatalogue>(m_published.baseDir, "*.*")};
    m_sod = {std::make_shared<FileCatalogue>(m_published.baseDir, "*.*")};
    m_published.files = GameFiles(ForReading(m_addon), ForReading(m_sod), std::make_shared<const NameList>());
}

CheckEnvironment::~CheckEnvironment() = default;

std::vector<std::string> CheckEnvironment::SetGameDirs(std::vector<std::string> addonDirs,
                                                       std::vector<std::string> sodDirs) {
    std::lock_guard lock(m_update);
    std::vector<std::string> failures;
    std::string base = BaseDirectory();
    m_sod = Point(m_sod, sodDirs, nullptr, "Cannot access SOD directory: ", base, failures);
    m_addon = Point(m_addon, addonDirs, "*.odf", "Cannot access ODF directory: ", base, failures);
    Publish(Declarations(), Files().Ignore(), base);
    return failures;
}

// Each place keeps its catalogue when the pointing leads where it already was: that directory is
// listed again only by the next Refresh, when it changed. A new place is listed at once.
CheckEnvironment::Catalogues CheckEnvironment::Point(const Catalogues& old,
                                                     const std::vector<std::string>& values, const char* mask,
                                                     const char* failure, std::string& base,
                                                     std::vector<std::string>& failures) const {
    Catalogues pointed;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::shared_ptr<FileCatalogue> before = i < old.size() ? old[i] : nullptr;
        const std::string& value = values[i];
        auto candidate = std::make_shared<FileCatalogue>(before ? before->Directory() : base,
                                                         before ? before->Mask() : "*.*");
        if (!candidate->PointAt(value.empty() ? value
                                              : textrules::Utf8FromPath(textrules::PathFromUtf8(base) /
                                                                        textrules::PathFromUtf8(value)))) {
            failures.push_back(failure + value);
            if (before)
                pointed.push_back(before);
            continue;
        }
        if (mask)
            candidate->SetMask(mask);
        if (!value.empty())
            base = candidate->Directory();
        const bool same =
            before && before->Directory() == candidate->Directory() && before->Mask() == candidate->Mask();
        if (!same)
            candidate->Refresh();
        pointed.push_back(same ? before : candidate);
    }
    return pointed;
}

std::vector<std::string> CheckEnvironment::Refresh() {
    std::lock_guard lock(m_update);
    std::shared_ptr<const DeclarationTable> declarations = Declarations();
    if (DataFileChanged(kDeclarationsFile, m_declarationsStamp)) {
        std::optional<DeclarationTable> table = LoadDeclarations(m_appDir);
        declarations = table ? std::make_shared<const DeclarationTable>(std::move(*table)) : nullptr;
    }
    std::shared_ptr<const NameList> ignore = Files().Ignore();
    if (DataFileChanged(kIgnoreFilesFile, m_ignoreStamp))
        ignore = std::make_shared<const NameList>(LoadIgnoreFiles(m_appDir));
    RefreshCataloguesLocked();
    Publish(declarations, ignore, BaseDirectory());
    if (!declarations)
        return {std::string(kDeclarationsMissing)};
    return {};
}

// Takes the file's stamp before it is read again, so a change during the read is seen next time.
bool CheckEnvironment::DataFileChanged(const char* name, Stamp& stamp) const {
    Stamp now;
    std::error_code ec;
    const fs::file_time_type time = fs::last_write_time(textrules::PathFromUtf8(m_appDir + name), ec);
    if (!ec)
        now.time = time;
    now.read = true;
    now.trusted = !now.time || fs::file_time_type::clock::now() - *now.time > kTimestampSlack;
    if (stamp.read && stamp.trusted && stamp.time == now.time)
        return false;
    stamp = now;
    return true;
}

void CheckEnvironment::RefreshCataloguesLocked() {
    for (const Catalogues* catalogues : {&m_sod, &m_addon}) {
        for (const std::shared_ptr<FileCatalogue>& catalogue : *catalogues)
            catalogue->RefreshIfChanged();
    }
}

void CheckEnvironment::Publish(std::shared_ptr<const DeclarationTable> declarations,
                               std::shared_ptr<const NameList> ignore, std::string baseDir) {
    Published next{std::move(baseDir), std::move(declarations),
                   GameFiles(ForReading(m_addon), ForReading(m_sod), std::move(ignore))};
    std::lock_guard lock(m_publishing);
    m_published = std::move(next);
}

CheckEnvironment::Published CheckEnvironment::Current() const {
    std::lock_guard lock(m_publishing);
    return m_published;
}

std::shared_ptr<const DeclarationTable> CheckEnvironment::Declarations() const {
    return Current().declarations;
}

GameFiles CheckEnvironment::Files() const {
    return Current().files;
}

std::string CheckEnvironment::BaseDirectory() const {
    return Current().baseDir;
}

} // namespace varko::compiler
