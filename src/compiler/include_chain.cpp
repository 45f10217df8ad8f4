#include "varko/compiler/include_chain.h"

#include "document_lines.h"
#include "include_walk.h"
#include "name_groups.h"
#include "overridden_files.h"
#include "varko/textrules/name_index.h"

#include <algorithm>
#include <optional>
#include <span>

namespace varko::compiler {

namespace {

// The sites of each property name, in include order, the names in the order they first appear.
class SitesByName : public NameGroups {
public:
    explicit SitesByName(const std::vector<SiteRef>& sites)
        : NameGroups(sites, [](const SiteRef& site) { return site.name; }) {}
    std::span<const std::size_t> SitesOf(std::size_t name) const { return ItemsOf(name); }
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
        : m_expansion(expansion),
          m_overridden(SubtreeEnds(
              expansion.files, [](const ExpandedFile& file) { return file.parent; }, kNoFile)) {}

    std::optional<Finding> FirstConflict(std::span<const std::size_t> sites) {
        std::vector<std::size_t> setters;
        for (std::size_t i : sites)
            setters.push_back(m_expansion.sites[i].file);
        m_overridden.Mark(std::move(setters));
        const SiteRef* last = nullptr;
        for (std::size_t i : sites) {
            const SiteRef& site = m_expansion.sites[i];
            if (m_overridden[site.file])
                continue;
            if (last && last->file != site.file &&
                lines::ValueTokens(last->value) != lines::ValueTokens(site.value))
                return Conflict(m_expansion, *last, site);
            last = &site;
        }
        return std::nullopt;
    }

private:
    const IncludeExpansion& m_expansion;
    OverriddenFiles m_overridden; // per expanded file, for the name in hand
};

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

void DropNamesTheDocumentSets(const textrules::LineList& document, std::vector<Finding>& findings) {
    DropNamesSetIn(document, findings,
                   [](const Finding& finding) -> std::string_view { return finding.parts[0]; });
}

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
