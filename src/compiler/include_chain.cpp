#include "varko/compiler/include_chain.h"

#include "document_lines.h"
#include "include_walk.h"
#include "varko/textrules/name_index.h"

#include <algorithm>
#include <optional>
#include <span>

namespace varko::compiler {

namespace {

// The sites of each property name, case ignored as the ODF checker tells duplicates apart; the names
// in the order they first appear, the sites of each in include order.
class SitesByName {
public:
    explicit SitesByName(const std::vector<SiteRef>& sites) : m_group(sites.size()), m_order(sites.size()) {
        textrules::NameIndex ids(sites.size());
        for (std::size_t i = 0; i < sites.size(); ++i) {
            const std::size_t next = ids.size();
            m_group[i] = ids.Insert(sites[i].name, next) ? next : ids.Find(sites[i].name);
        }
        m_start.assign(ids.size() + 1, 0);
        for (std::size_t g : m_group)
            ++m_start[g + 1];
        for (std::size_t g = 0; g < ids.size(); ++g)
            m_start[g + 1] += m_start[g];
        std::vector<std::size_t> fill(m_start.begin(), m_start.end() - 1);
        for (std::size_t i = 0; i < sites.size(); ++i)
            m_order[fill[m_group[i]]++] = i;
    }

    std::size_t NameCount() const { return m_start.size() - 1; }
    std::span<const std::size_t> SitesOf(std::size_t name) const {
        return std::span(m_order).subspan(m_start[name], m_start[name + 1] - m_start[name]);
    }
    std::size_t NameOf(std::size_t site) const { return m_group[site]; }

private:
    std::vector<std::size_t> m_group; // per site, its name
    std::vector<std::size_t> m_start; // per name, where its sites begin in m_order
    std::vector<std::size_t> m_order;
};

Finding Conflict(const IncludeExpansion& expansion, const SiteRef& earlier, const SiteRef& later) {
    return {later.documentLine,
            1,
            "X4",
            {std::string(later.name), expansion.files[earlier.file].name, std::to_string(earlier.line),
             expansion.files[later.file].name, std::to_string(later.line)}};
}

// A file that sets a property a file it includes (directly or not) also sets overrides it, as the
// document overrides everything it includes; that is never a finding. What is left comes from files
// none of which includes another, so when two of them differ, the value depends on the include order.
class NameSettings {
public:
    explicit NameSettings(const IncludeExpansion& expansion)
        : m_expansion(expansion), m_setsIt(expansion.files.size(), 0) {}

    std::optional<Finding> FirstConflict(std::span<const std::size_t> sites) {
        for (std::size_t i : sites)
            m_setsIt[m_expansion.sites[i].file] = 1;
        std::optional<Finding> conflict;
        const SiteRef* last = nullptr;
        for (std::size_t i = 0; i < sites.size() && !conflict; ++i) {
            const SiteRef& site = m_expansion.sites[sites[i]];
            if (Overridden(site))
                continue;
            if (last && last->file != site.file &&
                lines::ValueTokens(last->value) != lines::ValueTokens(site.value))
                conflict = Conflict(m_expansion, *last, site);
            last = &site;
        }
        for (std::size_t i : sites)
            m_setsIt[m_expansion.sites[i].file] = 0;
        return conflict;
    }

private:
    // A site is overridden when a file it descends from sets the name too.
    bool Overridden(const SiteRef& site) const {
        for (std::size_t f = m_expansion.files[site.file].parent; f != kNoFile;
             f = m_expansion.files[f].parent) {
            if (m_setsIt[f])
                return true;
        }
        return false;
    }

    const IncludeExpansion& m_expansion;
    std::vector<char> m_setsIt; // per expanded file: sets the name in hand
};

// Where the document sets a name, its own line overrides every include, so no clash of that name
// is a finding. The clashes are few, so their names are the ones put in a table.
void DropNamesTheDocumentSets(const textrules::LineList& document, std::vector<Finding>& findings) {
    if (findings.empty())
        return;
    textrules::NameIndex names(findings.size());
    for (std::size_t f = 0; f < findings.size(); ++f)
        names.Insert(findings[f].parts[0], f);
    std::vector<char> drop(findings.size(), 0);
    for (const std::string& line : document) {
        if (const std::optional<PropertyLineView> property = lines::PropertyOf(line)) {
            if (const std::size_t f = names.Find(property->name); f != textrules::NameIndex::npos)
                drop[f] = 1;
        }
    }
    // The names differ (one finding per name), so each finding has its own mark.
    std::erase_if(findings, [&](const Finding& finding) { return drop[&finding - findings.data()] != 0; });
}

// The expansion leaves out the document's own sites, since a name the document sets never clashes:
// most of a document's lines are its own, and most of its names are set nowhere else.
std::vector<Finding> Conflicts(const IncludeExpansion& expansion, const textrules::LineList& document) {
    const SitesByName byName(expansion.sites);
    NameSettings settings(expansion);
    std::vector<Finding> findings;
    for (std::size_t name = 0; name < byName.NameCount(); ++name) {
        const std::span<const std::size_t> sites = byName.SitesOf(name);
        if (sites.size() < 2)
            continue;
        if (std::optional<Finding> conflict = settings.FirstConflict(sites))
            findings.push_back(std::move(*conflict));
    }
    DropNamesTheDocumentSets(document, findings);
    return findings;
}

} // namespace

std::vector<PropertySite> PropertySites(std::string_view documentName, const textrules::LineList& lines,
                                        const OdfSource& source) {
    const IncludeExpansion expansion = ExpandIncludes(documentName, lines, source);
    const SitesByName byName(expansion.sites);
    std::vector<PropertySite> sites;
    sites.reserve(expansion.sites.size());
    for (std::size_t i = 0; i < expansion.sites.size(); ++i) {
        const SiteRef& site = expansion.sites[i];
        const ExpandedFile& file = expansion.files[site.file];
        sites.push_back({std::string(site.name), std::string(site.value), file.name, site.line,
                         site.documentLine, file.depth, byName.SitesOf(byName.NameOf(i)).size() > 1});
    }
    return sites;
}

std::vector<Finding> CheckIncludeChain(std::string_view documentName, const textrules::LineList& lines,
                                       const OdfSource& source) {
    const IncludeExpansion expansion = ExpandIncludes(documentName, lines, source, DocumentSites::Left);
    std::vector<Finding> findings;
    for (const IncludeCycle& cycle : expansion.cycles)
        findings.push_back({cycle.documentLine, 1, "X3", {cycle.chain}});
    std::vector<Finding> conflicts = Conflicts(expansion, lines);
    findings.insert(findings.end(), conflicts.begin(), conflicts.end());
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

} // namespace varko::compiler
