#pragma once

#include "varko/compiler/check_pipeline.h"

#include <string>
#include <vector>

namespace varko::cli {

struct ModFile {
    std::string display; // the path as the user will read it
    std::string path;    // absolute
    compiler::DocumentKind kind = compiler::DocumentKind::Odf;
    // The path within the directory named on the command line ("sub/a.odf" for "mod/sub/a.odf" in
    // a walk of "mod"); a file named directly: its name.
    std::string walked;
};

struct CollectResult {
    std::vector<ModFile> files;      // sorted by display path
    std::vector<std::string> errors; // in the order the paths were met
};

// Files named directly are checked as the editor would check them (".tt" exactly: tech tree; else
// ODF); directories are walked for ".tt" files and ".odf" files of any case. A path that cannot be
// used (missing, unreadable directory, broken link, pipe or device) gives an error of its own while
// the other paths are still collected. Links to files are followed, links to directories are not.
CollectResult CollectModFiles(const std::vector<std::string>& arguments);

// How a report shows a file that was not named on the command line: relative to the current
// directory when it lies inside it, else absolute.
std::string ShownPath(const std::string& absolute, const std::string& currentDirectory);

} // namespace varko::cli
