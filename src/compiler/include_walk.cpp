#include "include_walk.h"

#include "document_lines.h"
#include "varko/textrules/case_insensitive.h"

#include <unordered_map>
#include <unordered_set>

namespace varko::compiler {

namespace {

class IncludeWalk {
public:
    IncludeWalk(const OdfSource& source, DocumentSites documentSites)
        : m_source(source), m_documentSites(documentSites == DocumentSites::Listed) {}

    IncludeExpansion Run(std::string_view documentName, const textrules::LineList& lines) {
        const std::string name(lines::FileNamePart(documentName));
        m_met.insert(name); // the document is never read again from disk
        Enter(name, lines, nullptr);
        while (!m_frames.empty()) {
            Frame& top = m_frames.back();
            if (top.next == top.lines->size()) {
                m_open.erase(m_result.files[top.file].name);
                m_frames.pop_back();
                continue;
            }
            const std::size_t i = top.next++;
            if (m_frames.size() == 1)
                m_documentLine = static_cast<int>(i + 1);
            Visit((*top.lines)[i], static_cast<int>(i + 1), top.file);
        }
        return std::move(m_result);
    }

private:
    struct Frame {
        const textrules::LineList* lines = nullptr;
        std::size_t next = 0;
        std::size_t file = 0;
    };

    void Enter(const std::string& name, const textrules::LineList& lines, SharedLines held) {
        const std::size_t parent = m_frames.empty() ? kNoFile : m_frames.back().file;
        const int depth = static_cast<int>(m_frames.size());
        m_result.files.push_back({name, parent, depth, std::move(held)});
        m_frames.push_back({&lines, 0, m_result.files.size() - 1});
        m_open.insert(name);
    }

    // May push a frame, so it takes the file index by value.
    void Visit(const std::string& text, int line, std::size_t file) {
        if (std::optional<std::string> included = lines::IncludedName(text))
            Include(*included);
        else if (file == 0 && !m_documentSites)
            return;
        else if (std::optional<PropertyLineView> property = lines::PropertyOf(text))
            m_result.sites.push_back({property->name, property->value, file, line, m_documentLine});
    }

    void Include(const std::string& name) {
        if (m_open.contains(name)) {
            NoteCycle(name);
            return;
        }
        if (!m_met.insert(name).second)
            return;
        if (SharedLines lines = m_source(name))
            Enter(name, *lines, lines);
    }

    void NoteCycle(const std::string& name) {
        if (!m_result.cycles.empty() && m_result.cycles.back().documentLine == m_documentLine)
            return;
        std::string chain;
        for (const Frame& frame : m_frames)
            chain += m_result.files[frame.file].name + " -> ";
        m_result.cycles.push_back({m_documentLine, chain + name});
    }

    using NameSet =
        std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>;

    const OdfSource& m_source;
    const bool m_documentSites;
    NameSet m_met;  // every file named so far, expanded or not
    NameSet m_open; // the files being expanded, from the document down
    std::vector<Frame> m_frames;
    int m_documentLine = 0;
    IncludeExpansion m_result;
};

} // namespace

IncludeExpansion ExpandIncludes(std::string_view documentName, const textrules::LineList& lines,
                                const OdfSource& source, DocumentSites documentSites) {
    return IncludeWalk(source, documentSites).Run(documentName, lines);
}

} // namespace varko::compiler
