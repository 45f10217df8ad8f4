#include "varko/compiler/include_chain.h"

#include "document_lines.h"
#include "include_walk.h"
#include "varko/textrules/case_insensitive.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace varko::compiler {

namespace {

template <typename T>
using NameMap =
    std::unordered_map<std::string, T, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>;

Finding Conflict(const PropertySite& earlier, const PropertySite& later) {
    return {later.documentLine,
            1,
            "X4",
            {later.name, earlier.file, std::to_string(earlier.line), later.file, std::to_string(later.line)}};
}

// The settings of one property name, in include order. A file that sets a property a file it
// includes (directly or not) also sets overrides it, as the document overrides everything it
// includes; that is never a finding. What is left comes from files none of which includes another,
// so when two of them differ, the value depends on the order of the includes.
class NameSettings {
public:
    NameSettings(const IncludeExpansion& expansion, std::vector<char>& setsIt)
        : m_expansion(expansion), m_setsIt(setsIt) {}

    std::optional<Finding> FirstConflict(const std::vector<std::size_t>& sites) {
        for (std::size_t i : sites)
            m_setsIt[m_expansion.siteFiles[i]] = 1;
        std::optional<Finding> conflict;
        const PropertySite* last = nullptr;
        for (std::size_t i = 0; i < sites.size() && !conflict; ++i) {
            if (Overridden(sites[i]))
                continue;
            const PropertySite& site = m_expansion.sites[sites[i]];
            if (last && !textrules::SameText(last->file, site.file) &&
                lines::ValueTokens(last->value) != lines::ValueTokens(site.value))
                conflict = Conflict(*last, site);
            last = &site;
        }
        for (std::size_t i : sites)
            m_setsIt[m_expansion.siteFiles[i]] = 0;
        return conflict;
    }

private:
    // Every included file descends from the document, so where the document sets the name, only its
    // own lines are left.
    bool Overridden(std::size_t site) const {
        for (std::size_t f = m_expansion.parents[m_expansion.siteFiles[site]]; f != kNoFile;
             f = m_expansion.parents[f]) {
            if (m_setsIt[f])
                return true;
        }
        return false;
    }

    const IncludeExpansion& m_expansion;
    std::vector<char>& m_setsIt; // per expanded file: sets the name in hand
};

std::vector<Finding> Conflicts(const IncludeExpansion& expansion) {
    NameMap<std::vector<std::size_t>> sitesByName;
    std::vector<const std::vector<std::size_t>*> names; // in the order they first appear
    for (std::size_t i = 0; i < expansion.sites.size(); ++i) {
        auto [it, first] = sitesByName.try_emplace(expansion.sites[i].name);
        it->second.push_back(i);
        if (first)
            names.push_back(&it->second);
    }
    std::vector<char> setsIt(expansion.parents.size(), 0);
    NameSettings settings(expansion, setsIt);
    std::vector<Finding> findings;
    for (const std::vector<std::size_t>* sites : names) {
        if (std::optional<Finding> conflict = settings.FirstConflict(*sites))
            findings.push_back(std::move(*conflict));
    }
    return findings;
}

} // namespace

std::vector<PropertySite> PropertySites(std::string_view documentName, const textrules::LineList& lines,
                                        const OdfSource& source) {
    std::vector<PropertySite> sites = ExpandIncludes(documentName, lines, source).sites;
    NameMap<int> count;
    for (const PropertySite& site : sites)
        ++count[site.name];
    for (PropertySite& site : sites)
        site.repeated = count[site.name] > 1;
    return sites;
}

std::vector<Finding> CheckIncludeChain(std::string_view documentName, const textrules::LineList& lines,
                                       const OdfSource& source) {
    const IncludeExpansion expansion = ExpandIncludes(documentName, lines, source);
    std::vector<Finding> findings;
    for (const IncludeCycle& cycle : expansion.cycles)
        findings.push_back({cycle.documentLine, 1, "X3", {cycle.chain}});
    std::vector<Finding> conflicts = Conflicts(expansion);
    findings.insert(findings.end(), conflicts.begin(), conflicts.end());
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

} // namespace varko::compiler
