#include "varko/cli/path_filter.h"

#include <algorithm>
#include <cstdint>

namespace varko::cli {

namespace {

// Remembers each (glob position, path position) already tried, so stars never make it exponential.
class GlobMatcher {
public:
    GlobMatcher(std::string_view glob, std::string_view path)
        : m_glob(glob), m_path(path), m_tried((glob.size() + 1) * (path.size() + 1), 0) {}

    bool Match(std::size_t g, std::size_t p) {
        std::uint8_t& tried = m_tried[g * (m_path.size() + 1) + p];
        if (tried == 0)
            tried = MatchFresh(g, p) ? 2 : 1;
        return tried == 2;
    }

private:
    bool MatchFresh(std::size_t g, std::size_t p) {
        if (g == m_glob.size())
            return p == m_path.size();
        if (m_glob.substr(g, 2) == "**")
            return MatchDoubleStar(g, p);
        if (m_glob[g] == '*')
            return Match(g + 1, p) || (p < m_path.size() && m_path[p] != '/' && Match(g, p + 1));
        if (p == m_path.size())
            return false;
        if (m_glob[g] == '?')
            return m_path[p] != '/' && Match(g + 1, p + 1);
        return m_glob[g] == m_path[p] && Match(g + 1, p + 1);
    }

    // "**" takes any run of characters; as a whole "**/" part it may also take no directory.
    bool MatchDoubleStar(std::size_t g, std::size_t p) {
        const bool wholePart = (g == 0 || m_glob[g - 1] == '/') && m_glob.substr(g + 2, 1) == "/";
        if (wholePart && Match(g + 3, p))
            return true;
        return Match(g + 2, p) || (p < m_path.size() && Match(g, p + 1));
    }

    std::string_view m_glob;
    std::string_view m_path;
    std::vector<std::uint8_t> m_tried; // 0 untried, 1 no match, 2 match
};

} // namespace

bool GlobMatches(std::string_view glob, std::string_view path) {
    GlobMatcher matcher(glob, path);
    return matcher.Match(0, 0);
}

PathFilter::PathFilter(std::vector<std::string> globs) : m_globs(std::move(globs)) {}

bool PathFilter::Excludes(std::string_view shownPath, std::string_view pathInWalk) const {
    return std::any_of(m_globs.begin(), m_globs.end(), [&](const std::string& glob) {
        return GlobMatches(glob, shownPath) || GlobMatches(glob, pathInWalk);
    });
}

} // namespace varko::cli
