#include "varko/compiler/check_run.h"

namespace varko::compiler {

std::string SummaryText(int messageCount) {
    if (messageCount == 0)
        return "No errors found";
    return std::to_string(messageCount) + " error(s) found";
}

NameList::NameList(const textrules::LineList& names) {
    for (const std::string& name : names)
        m_names.insert(name);
}

bool NameList::Contains(std::string_view name) const {
    return m_names.contains(name);
}

FileLookup::FileLookup(const FileCatalogue& odfCatalogue, FileCatalogue& sodCatalogue, const NameList& ignoreFiles)
    : m_odf(odfCatalogue), m_sod(sodCatalogue), m_ignore(ignoreFiles) {}

bool FileLookup::OdfExists(std::string_view name) const {
    return m_odf.Contains(name) || m_ignore.Contains(name);
}

bool FileLookup::SodExists(std::string_view name) const {
    m_sod.RefreshIfChanged();
    return m_sod.Contains(name);
}

} // namespace varko::compiler
