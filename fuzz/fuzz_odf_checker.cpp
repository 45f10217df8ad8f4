// The ODF checker over arbitrary documents, declarations and ignore lists. Lines may hold NUL and
// CR bytes; every run must keep the sink's contract and give the same messages when repeated.
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

using varko::textrules::LineList;

const LineList kKnownDeclarations = {"maxHealth=int",      "weaponName?=odf",     "canCloak=bool",
                                     "massKg=real",        "unitName=string",     "geometryName=sod",
                                     "collisionMesh=sodn", "deathExplosion=odfn", "teamColor=arraystring",
                                     "odd=strange"};

LineList ConsumeList(FuzzedDataProvider& data, std::size_t most) {
    LineList list;
    const std::size_t count = data.ConsumeIntegralInRange<std::size_t>(0, most);
    for (std::size_t i = 0; i < count && data.remaining_bytes() > 0; ++i)
        list.push_back(data.ConsumeRandomLengthString(64));
    return list;
}

std::vector<std::string> Check(const LineList& lines, const varko::compiler::DeclarationTable& declarations,
                               const varko::compiler::GameFiles& files) {
    const std::atomic<bool> neverStop{false};
    varko::fuzz::ContractSink sink(lines, 'M', 13, varko::fuzz::ContractSink::Steps::EveryLine);
    varko::compiler::CompileOdf(lines, declarations, files, neverStop, sink);
    varko::fuzz::Expect(sink.Finished(), "run not finished");
    return sink.texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    LineList declarationLines = kKnownDeclarations;
    for (std::string& line : ConsumeList(data, 8))
        declarationLines.push_back(std::move(line));
    const varko::compiler::DeclarationTable declarations(declarationLines);
    const LineList ignore = ConsumeList(data, 4);
    const LineList lines = varko::fuzz::CutAtLineFeeds(data.ConsumeRemainingBytesAsString());

    const varko::compiler::GameFiles files = varko::fuzz::SharedGameDirectory().With(ignore);
    const std::vector<std::string> first = Check(lines, declarations, files);
    varko::fuzz::Expect(Check(lines, declarations, files) == first, "a second run differs");
    return 0;
}
