#pragma once

#include "varko/compiler/file_catalogue.h"
#include "varko/compiler/property_line.h"
#include "varko/textrules/case_insensitive.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>
#include <string_view>
#include <unordered_set>

namespace varko::compiler {

// One fault: its 1-based line, its kind ("M1".."M13", "T1".."T6") and its full text.
struct CheckMessage {
    int line = 0;
    std::string code;
    std::string text;
};

// Receives what a check produces, in order, on the thread that runs the check.
class CheckSink {
public:
    virtual ~CheckSink() = default;
    // The run begins: the previous messages are void; progress runs from 0 to lineCount.
    virtual void RunStarted(int lineCount) = 0;
    virtual void MessageFound(const CheckMessage& message) = 0;
    virtual void ProgressStep() = 0;
    // The run is over, after the last line or at a stop request.
    virtual void RunFinished(int messageCount) = 0;
};

// "No errors found" or "<k> error(s) found".
std::string SummaryText(int messageCount);

// A list of names searched whole and ignoring case (the lines of ignorefiles.txt).
class NameList {
public:
    NameList() = default;
    explicit NameList(const textrules::LineList& names);
    bool Contains(std::string_view name) const;

private:
    std::unordered_set<std::string, textrules::CaseInsensitiveHash, textrules::CaseInsensitiveEqual> m_names;
};

// The catalogue tests shared by both checkers.
class FileLookup {
public:
    FileLookup(const FileCatalogue& odfCatalogue, FileCatalogue& sodCatalogue, const NameList& ignoreFiles);

    // In the addon directory's "*.odf" files or in the ignore list.
    bool OdfExists(std::string_view name) const;
    // In the SOD directory, listed again when it changed since the last look.
    bool SodExists(std::string_view name) const;

private:
    const FileCatalogue& m_odf;
    FileCatalogue& m_sod;
    const NameList& m_ignore;
};

void CompileOdf(const textrules::LineList& lines, const DeclarationTable& declarations, const FileLookup& files,
                const std::atomic<bool>& stop, CheckSink& sink);

void CompileTT(const textrules::LineList& lines, const FileLookup& files, const std::atomic<bool>& stop,
               CheckSink& sink);

// The text of the error reported when declarations.txt cannot be read.
inline constexpr std::string_view kDeclarationsMissing = "Cannot access the declarations file \"declarations.txt\"!";

} // namespace varko::compiler
