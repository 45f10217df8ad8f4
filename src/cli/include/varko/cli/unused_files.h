#pragma once

#include "varko/cli/finding_record.h"
#include "varko/cli/mod_files.h"
#include "varko/cli/path_filter.h"
#include "varko/compiler/check_pipeline.h"
#include "varko/compiler/reference_index.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace varko::cli {

// The ODF files of the addon directories that no other file of the mod names, for --unused: no
// tech-tree entry, include line, or "odf" or "odfn" value. The files checked are added as the
// workers read them (safe from several at once, each worker filling an index of its own); the
// addon directories' ODF and tech-tree files that were not checked are read at the end, so a note
// does not depend on which paths were named.
class UnusedFiles {
public:
    UnusedFiles(const compiler::GameFiles& files,
                std::shared_ptr<const compiler::DeclarationTable> declarations);

    void Add(const ModFile& file, const textrules::LineList& lines);

    // One "U1" note per unused file, on line 0 (the whole file), sorted by the path as shown: a
    // checked file's path as the report shows it, another's as ShownPath gives it. A file the
    // filter leaves out gets no note.
    FindingRecords Notes(const PathFilter& filter, const std::string& currentDirectory);

private:
    struct Shown {
        std::string display; // empty for a file that was not checked
        std::string walked;
    };

    void AddUncheckedAddonFiles(compiler::ReferenceIndex& index);
    void AddFromDisk(const std::string& path, compiler::ReferenceIndex& index);
    compiler::ReferenceIndex& TakeIndex();
    void GiveBack(compiler::ReferenceIndex& index);
    Shown ShownFile(const std::string& path, const std::string& name,
                    const std::string& currentDirectory) const;

    compiler::GameFiles m_files;
    std::shared_ptr<const compiler::DeclarationTable> m_declarations;
    std::mutex m_mutex; // guards the members below
    std::vector<std::unique_ptr<compiler::ReferenceIndex>> m_indexes;
    std::vector<compiler::ReferenceIndex*> m_idle; // indexes no worker is filling now
    std::map<std::string, Shown> m_added;          // by lexically normal absolute path
};

} // namespace varko::cli
