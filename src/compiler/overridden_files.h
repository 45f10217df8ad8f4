#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace varko::compiler {

// Which files of a walk a file above them overrides for one name. Files are numbered in walk order,
// so a file's subtree is the span from it to its last descendant: a file is overridden when it lies
// inside the span of another file that sets the name. Sorting the setters and keeping the spans
// still open costs their count, not the depth of the walk.
class OverriddenFiles {
public:
    // ends[f]: the last file of f's subtree.
    explicit OverriddenFiles(std::vector<std::size_t> ends)
        : m_ends(std::move(ends)), m_flags(m_ends.size(), 0) {}

    // The files that set the name in hand, in any order and repeated; replaces the last name's marks.
    void Mark(std::vector<std::size_t> setters) {
        for (std::size_t file : m_marked)
            m_flags[file] = 0;
        std::sort(setters.begin(), setters.end());
        setters.erase(std::unique(setters.begin(), setters.end()), setters.end());
        m_open.clear();
        for (std::size_t file : setters) {
            while (!m_open.empty() && m_open.back() < file)
                m_open.pop_back();
            m_flags[file] = m_open.empty() ? 0 : 1;
            m_open.push_back(m_ends[file]);
        }
        m_marked = std::move(setters);
    }

    bool operator[](std::size_t file) const { return m_flags[file] != 0; }

private:
    std::vector<std::size_t> m_ends;
    std::vector<char> m_flags;
    std::vector<std::size_t> m_marked;
    std::vector<std::size_t> m_open; // the ends of the setters' spans that hold the file in hand
};

// The last file of each subtree, from each file's parent (a parent comes before its children).
template <class Files, class ParentOf>
std::vector<std::size_t> SubtreeEnds(const Files& files, ParentOf parentOf, std::size_t noParent) {
    std::vector<std::size_t> ends(files.size());
    for (std::size_t f = 0; f < files.size(); ++f)
        ends[f] = f;
    for (std::size_t f = files.size(); f-- > 1;) {
        const std::size_t parent = parentOf(files[f]);
        if (parent != noParent)
            ends[parent] = std::max(ends[parent], ends[f]);
    }
    return ends;
}

} // namespace varko::compiler
