#include "varko/assist/environment_sources.h"

#include "varko/compiler/check_pipeline.h"

#include <filesystem>

namespace varko::assist {

namespace {

class CollectingSink : public compiler::CheckSink {
public:
    explicit CollectingSink(CheckOutcome& outcome) : m_outcome(outcome) {}
    void RunStarted(int) override {}
    void MessageFound(const compiler::Finding& finding) override { m_outcome.findings.push_back(finding); }
    void ProgressStep() override {}
    void RunFinished(int) override {}
    void RunFailed(const std::string& text) override { m_outcome.failure = text; }

private:
    CheckOutcome& m_outcome;
};

// The first SOD directory's file of that name, as the ODF finder does for the addon directories.
std::optional<std::string> FindSodPath(const compiler::CheckEnvironment& environment, std::string_view name) {
    if (!IsPlainFileName(name))
        return std::nullopt;
    const compiler::GameFiles files = environment.Files();
    for (const auto& catalogue : files.Sod()) {
        if (std::optional<std::string> found = catalogue->Find(name))
            return (std::filesystem::path(catalogue->Directory()) / *found).string();
    }
    return std::nullopt;
}

} // namespace

FileSources FileSourcesOf(const compiler::CheckEnvironment& environment) {
    const compiler::CheckEnvironment* env = &environment;
    return {
        [env] { return env->OdfNames(); },
        [env] { return env->SodNames(); },
        [env](std::string_view name) {
            return IsPlainFileName(name) ? env->FindOdfPath(name) : std::nullopt;
        },
        [env](std::string_view name) { return FindSodPath(*env, name); },
        [env](std::string_view name) {
            const compiler::GameFiles files = env->Files();
            return files.Ignore() && files.Ignore()->Contains(name);
        },
    };
}

CheckOutcome CheckLines(const textrules::LineList& lines, const std::string& path,
                        const compiler::CheckEnvironment& environment, const std::atomic<bool>& stop) {
    CheckOutcome outcome;
    CollectingSink sink(outcome);
    compiler::CheckDocument(lines, compiler::KindOfPath(path), environment, stop, sink);
    return outcome;
}

} // namespace varko::assist
