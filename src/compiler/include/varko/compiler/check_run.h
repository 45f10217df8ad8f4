#pragma once

#include "varko/compiler/finding.h"
#include "varko/compiler/game_files.h"
#include "varko/compiler/property_line.h"
#include "varko/textrules/text_rules.h"

#include <atomic>
#include <string>
#include <string_view>

namespace varko::compiler {

// Receives what a check produces, in order, on the thread that runs the check.
class CheckSink {
public:
    virtual ~CheckSink() = default;
    // The run begins: the previous messages are void; progress runs from 0 to lineCount.
    virtual void RunStarted(int lineCount) = 0;
    virtual void MessageFound(const Finding& finding) = 0;
    virtual void ProgressStep() = 0;
    // The run is over, after the last line or at a stop request.
    virtual void RunFinished(int messageCount) = 0;
    // Nothing could be checked (the run started with 0 lines and has no RunFinished); the text
    // says why.
    virtual void RunFailed(const std::string& text) = 0;
};

// "No errors found" or "<k> error(s) found".
std::string SummaryText(int messageCount);

void CompileOdf(const textrules::LineList& lines, const DeclarationTable& declarations,
                const GameFiles& files, const std::atomic<bool>& stop, CheckSink& sink);

void CompileTT(const textrules::LineList& lines, const GameFiles& files, const std::atomic<bool>& stop,
               CheckSink& sink);

// The text of the error reported when declarations.txt cannot be read.
inline constexpr std::string_view kDeclarationsMissing =
    "Cannot access the declarations file \"declarations.txt\"!";

} // namespace varko::compiler
