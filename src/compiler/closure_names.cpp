#include "closure_names.h"

#include "name_groups.h"
#include "overridden_files.h"

#include <algorithm>

namespace varko::compiler::closure {

namespace {

// A site of the walk, or one name of a block's table, in walk order.
struct Occurrence {
    std::string_view name;
    std::size_t file = 0;
    const WalkSite* site = nullptr;
    const NameEntry* entry = nullptr;
};

Site Named(Site site, const std::string* root) {
    if (!site.file)
        site.file = root;
    return site;
}

class NameComposer {
public:
    NameComposer(ClosureStore& store, const Composition& composition)
        : m_composition(composition),
          m_overridden(SubtreeEnds(
              composition.files, [](const WalkFile& file) { return file.parent; }, kNoFile)) {
        for (const WalkItem& item : composition.items) {
            if (!item.block) {
                const WalkSite& site = composition.sites[item.index];
                m_occurrences.push_back({site.site.name, site.file, &site, nullptr});
                continue;
            }
            for (const NameEntry& entry : store.TableOf(*composition.files[item.index].block))
                m_occurrences.push_back({entry.first.name, item.index, nullptr, &entry});
        }
    }

    NamesAndClashes Run() {
        const NameGroups groups(m_occurrences, [](const Occurrence& o) { return o.name; });
        NamesAndClashes result;
        result.table.reserve(groups.NameCount());
        for (std::size_t name = 0; name < groups.NameCount(); ++name) {
            const std::span<const std::size_t> items = groups.ItemsOf(name);
            MarkOverridden(items);
            result.table.push_back(Scan(items));
            if (result.table.back().clash)
                result.clashes.push_back(*result.table.back().clash);
        }
        return result;
    }

private:
    void MarkOverridden(std::span<const std::size_t> items) {
        std::vector<std::size_t> setters;
        for (std::size_t i : items)
            setters.push_back(m_occurrences[i].file);
        m_overridden.Mark(std::move(setters));
    }

    NameEntry Scan(std::span<const std::size_t> items) const {
        NameEntry entry;
        std::optional<std::size_t> lastFile;
        for (std::size_t i : items) {
            const Occurrence& o = m_occurrences[i];
            if (m_overridden[o.file])
                continue;
            const WalkFile& file = m_composition.files[o.file];
            const Site first = o.site ? o.site->site : Named(o.entry->first, file.name);
            const int rootLine = o.site ? o.site->rootLine : file.rootLine;
            if (!entry.clash && lastFile && *lastFile != o.file &&
                lines::ValueTokens(entry.last.value) != lines::ValueTokens(first.value))
                entry.clash = Clash{entry.last, first, rootLine};
            if (!entry.clash && o.entry && o.entry->clash)
                entry.clash = Clash{Named(o.entry->clash->earlier, file.name),
                                    Named(o.entry->clash->later, file.name), rootLine};
            if (!lastFile)
                entry.first = first;
            entry.last = o.site ? first : Named(o.entry->last, file.name);
            lastFile = o.file;
        }
        return entry;
    }

    const Composition& m_composition;
    std::vector<Occurrence> m_occurrences;
    OverriddenFiles m_overridden; // per file of the walk, for the name in hand
};

} // namespace

NamesAndClashes ComposeNames(ClosureStore& store, const Composition& composition) {
    return NameComposer(store, composition).Run();
}

std::vector<Clash> PathClashes(const Composition& composition) {
    const WalkFile* block = composition.Block();
    if (!block || block->block->summary.clashes.empty())
        return {};
    std::vector<Clash> clashes = block->block->summary.clashes;
    for (Clash& clash : clashes)
        clash.rootLine = block->rootLine;
    for (const WalkFile& file : composition.files) {
        if (file.lines)
            DropNamesSetIn(*file.lines, clashes, [](const Clash& clash) { return clash.later.name; });
    }
    return clashes;
}

} // namespace varko::compiler::closure
