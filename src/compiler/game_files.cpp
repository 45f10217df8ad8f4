#include "varko/compiler/game_files.h"
#include "varko/textrules/utf8_path.h"

#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace varko::compiler {

namespace {

bool InAny(const GameFiles::Catalogues& catalogues, std::string_view name) {
    return std::any_of(catalogues.begin(), catalogues.end(),
                       [name](const auto& catalogue) { return catalogue->Contains(name); });
}

std::vector<std::string> NamesOf(const GameFiles::Catalogues& catalogues) {
    if (catalogues.size() == 1)
        return catalogues.front()->Names();
    std::vector<std::string> names;
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual> seen;
    for (const auto& catalogue : catalogues) {
        for (std::string& name : catalogue->Names()) {
            if (seen.insert(name).second)
                names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), FileCatalogue::NameOrder);
    return names;
}

std::vector<std::string> DirsOf(const GameFiles::Catalogues& catalogues) {
    std::vector<std::string> dirs;
    for (const auto& catalogue : catalogues)
        dirs.push_back(catalogue->Directory());
    return dirs;
}

} // namespace

GameFiles::GameFiles(Catalogues addon, Catalogues sod, std::shared_ptr<const NameList> ignore)
    : m_addon(std::move(addon)), m_sod(std::move(sod)), m_ignore(std::move(ignore)) {}

bool GameFiles::OdfExists(std::string_view name) const {
    return InAny(m_addon, name) || (m_ignore && m_ignore->Contains(name));
}

bool GameFiles::SodExists(std::string_view name) const {
    return InAny(m_sod, name);
}

std::optional<std::string> GameFiles::FindOdfPath(std::string_view name) const {
    if (name.empty() || name.find_first_of("/\\") != std::string_view::npos ||
        name.find("..") != std::string_view::npos)
        return std::nullopt;
    for (const auto& catalogue : m_addon) {
        if (std::optional<std::string> found = catalogue->Find(name))
            return textrules::Utf8FromPath(textrules::PathFromUtf8(catalogue->Directory()) /
                                           textrules::PathFromUtf8(*found));
    }
    return std::nullopt;
}

std::vector<std::string> GameFiles::OdfNames() const {
    return NamesOf(m_addon);
}

std::vector<std::string> GameFiles::SodNames() const {
    return NamesOf(m_sod);
}

std::vector<std::string> GameFiles::AddonDirs() const {
    return DirsOf(m_addon);
}

std::vector<std::string> GameFiles::SodDirs() const {
    return DirsOf(m_sod);
}

} // namespace varko::compiler
