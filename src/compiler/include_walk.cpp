#include "include_walk.h"

#include "document_lines.h"
#include "varko/textrules/case_insensitive.h"

#include <unordered_map>
#include <unordered_set>

namespace varko::compiler {

namespace {

class IncludeWalk {
public:
    explicit IncludeWalk(const OdfSource& source) : m_source(source) {}

    IncludeExpansion Run(std::string_view documentName, const textrules::LineList& lines) {
        const std::string name(lines::FileNamePart(documentName));
        m_loaded.try_emplace(name, std::nullopt); // the document is never read again from disk
        Enter(name, lines);
        while (!m_frames.empty()) {
            Frame& top = m_frames.back();
            if (top.next == top.lines->size()) {
                m_open.erase(top.name);
                m_frames.pop_back();
                continue;
            }
            const std::size_t i = top.next++;
            if (m_frames.size() == 1)
                m_documentLine = static_cast<int>(i + 1);
            Visit((*top.lines)[i], static_cast<int>(i + 1));
        }
        return std::move(m_result);
    }

private:
    struct Frame {
        std::string name;
        const textrules::LineList* lines = nullptr;
        std::size_t next = 0;
        std::size_t file = 0;
    };

    void Enter(const std::string& name, const textrules::LineList& lines) {
        m_result.parents.push_back(m_frames.empty() ? kNoFile : m_frames.back().file);
        m_frames.push_back({name, &lines, 0, m_result.parents.size() - 1});
        m_open.insert(name);
    }

    // Called with the line of the top frame; may push a frame, so it takes what it needs first.
    void Visit(const std::string& text, int line) {
        if (std::optional<std::string> included = lines::IncludedName(text)) {
            Include(*included);
            return;
        }
        if (std::optional<PropertyLine> property = lines::PropertyOf(text)) {
            const int depth = static_cast<int>(m_frames.size()) - 1;
            m_result.sites.push_back({std::move(property->name), std::move(property->value),
                                      m_frames.back().name, line, m_documentLine, depth, false});
            m_result.siteFiles.push_back(m_frames.back().file);
        }
    }

    void Include(const std::string& name) {
        if (m_open.contains(name)) {
            NoteCycle(name);
            return;
        }
        auto [it, first] = m_loaded.try_emplace(name, std::nullopt);
        if (!first)
            return;
        it->second = m_source(name);
        if (it->second)
            Enter(name, *it->second);
    }

    void NoteCycle(const std::string& name) {
        if (!m_result.cycles.empty() && m_result.cycles.back().documentLine == m_documentLine)
            return;
        std::string chain;
        for (const Frame& frame : m_frames)
            chain += frame.name + " -> ";
        m_result.cycles.push_back({m_documentLine, chain + name});
    }

    using NameSet =
        std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual>;

    const OdfSource& m_source;
    // The files met so far, expanded or not; node-based, so the frames may point into it.
    std::unordered_map<std::string, std::optional<textrules::LineList>, textrules::CaseInsensitiveHash,
                       textrules::CaseInsensitiveEqual>
        m_loaded;
    NameSet m_open;
    std::vector<Frame> m_frames;
    int m_documentLine = 0;
    IncludeExpansion m_result;
};

} // namespace

IncludeExpansion ExpandIncludes(std::string_view documentName, const textrules::LineList& lines,
                                const OdfSource& source) {
    return IncludeWalk(source).Run(documentName, lines);
}

} // namespace varko::compiler
