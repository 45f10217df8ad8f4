// The tech-tree checker over arbitrary documents and ignore lists. Lines may hold NUL and CR
// bytes; every run must keep the sink's contract, and a stop request must end it at once.
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

// A run stopped before its first line checks nothing and reports nothing.
class StoppedSink : public varko::compiler::CheckSink {
public:
    void RunStarted(int) override {}
    void MessageFound(const varko::compiler::Finding&) override { varko::fuzz::Fail("message after stop"); }
    void ProgressStep() override { varko::fuzz::Fail("step after stop"); }
    void RunFinished(int count) override { varko::fuzz::Expect(count == 0, "count after stop"); }
    void RunFailed(const std::string& text) override { varko::fuzz::Fail("run failed", text); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    varko::textrules::LineList ignoreNames;
    const std::size_t ignoreCount = data.ConsumeIntegralInRange<std::size_t>(0, 4);
    for (std::size_t i = 0; i < ignoreCount && data.remaining_bytes() > 0; ++i)
        ignoreNames.push_back(data.ConsumeRandomLengthString(32));
    const varko::textrules::LineList lines =
        varko::fuzz::CutAtLineFeeds(data.ConsumeRemainingBytesAsString());

    const varko::compiler::GameFiles files = varko::fuzz::SharedGameDirectory().With(ignoreNames);
    const std::atomic<bool> neverStop{false};
    varko::fuzz::ContractSink sink(lines, 'T', 6, varko::fuzz::ContractSink::Steps::SomeLines);
    varko::compiler::CompileTT(lines, files, neverStop, sink);
    varko::fuzz::Expect(sink.Finished(), "run not finished");

    const std::atomic<bool> stopped{true};
    StoppedSink stoppedSink;
    varko::compiler::CompileTT(lines, files, stopped, stoppedSink);
    return 0;
}
