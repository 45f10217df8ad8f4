// Feeds arbitrary bytes to the text rules, the profile-file reader and both checkers.
// Build: scripts/fuzz.sh; every input must be handled without a crash or a sanitizer report.
#include "varko/compiler/check_run.h"
#include "varko/textrules/profile_file.h"
#include "varko/textrules/text_rules.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class CountingSink : public varko::compiler::CheckSink {
public:
    void RunStarted(int) override {}
    void MessageFound(const varko::compiler::CheckMessage& message) override {
        if (message.text.rfind("Line ", 0) != 0)
            __builtin_trap(); // every message names its line first
    }
    void ProgressStep() override {}
    void RunFinished(int) override {}
};

void CheckProfile(const std::string& bytes) {
    static const std::string path = "/tmp/varko_fuzz_" + std::to_string(::getpid()) + ".ini";
    std::ofstream(path, std::ios::binary) << bytes;
    varko::textrules::TIniFile ini(path);
    varko::textrules::LineList names;
    ini.ListSections(names);
    for (const std::string& section : names) {
        varko::textrules::LineList keys;
        ini.ListKeys(section, keys);
        for (const std::string& key : keys)
            (void)ini.ReadNumber(section, key, 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    varko::textrules::LineList lines = varko::textrules::SplitLines(bytes);
    for (const std::string& line : lines) {
        (void)varko::textrules::SplitTokens(line);
        (void)varko::textrules::ParseInt(line);
        (void)varko::textrules::FileExtension(line);
    }
    static varko::compiler::FileCatalogue odf, sod;
    static const varko::compiler::NameList ignore;
    static const varko::compiler::DeclarationTable declarations(
        {"a=int", "b?=bool", "c=real", "d=string", "e=odf", "f=sod", "g=sodn", "h=odfn", "=int"});
    varko::compiler::FileLookup files(odf, sod, ignore);
    std::atomic<bool> stop{false};
    CountingSink sink;
    varko::compiler::CompileOdf(lines, declarations, files, stop, sink);
    varko::compiler::CompileTT(lines, files, stop, sink);
    CheckProfile(bytes);
    return 0;
}
