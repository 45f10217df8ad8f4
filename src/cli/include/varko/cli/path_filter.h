#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varko::cli {

// Whole-path glob matching: '*' matches any run of characters within a directory name, '?' one
// such character, '**' any run that may span directories, and a "**/" directory part also matches
// no directory at all ("**/x.odf" matches "x.odf"). Every other character matches itself.
bool GlobMatches(std::string_view glob, std::string_view path);

// The --ignore-path globs. A file is left out when a glob matches its path as shown, or its path
// within the directory given on the command line (e.g. "vendor/**" for files walked under "mod/").
class PathFilter {
public:
    PathFilter() = default;
    explicit PathFilter(std::vector<std::string> globs);

    bool Excludes(std::string_view shownPath, std::string_view pathInWalk) const;
    bool Empty() const { return m_globs.empty(); }

private:
    std::vector<std::string> m_globs;
};

} // namespace varko::cli
