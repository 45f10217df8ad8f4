#include "varko/compiler/check_run.h"

#include <cstdint>
#include <limits>

namespace varko::compiler {

using textrules::LineList;

namespace {

constexpr std::size_t kMaxFileNameLength = 12; // 8.3

class TechTreeCheck {
public:
    TechTreeCheck(const GameFiles& files, CheckSink& sink) : m_files(files), m_sink(sink) {}

    int count() const { return m_count; }

    void CheckLine(const std::string& line, int n) {
        m_line = n;
        if (line.empty() || line == " ")
            return;
        if (line.starts_with("//")) {
            Report("T1");
            return;
        }
        m_sink.ProgressStep();
        if (!CheckEntry(line))
            Report("T6");
    }

private:
    // False when the entry breaks off: the count is missing or not a number, or a requirement is missing.
    bool CheckEntry(const std::string& line) {
        textrules::SplitTokens(m_tokens, m_starts, line, std::numeric_limits<std::size_t>::max());
        if (m_tokens.size() < 2)
            return false;
        std::optional<std::int32_t> count = textrules::ParseInt(m_tokens[1]);
        if (!count)
            return false;
        const std::int64_t expected = static_cast<std::int64_t>(*count) + 2;
        const auto present = static_cast<std::int64_t>(m_tokens.size());
        if (expected > present)
            Report("T2", 1, {std::to_string(expected - present)});
        if (expected < present)
            Report("T3");
        CheckFile(0);
        for (std::int64_t j = 0; j < *count; ++j) {
            if (j + 2 >= present)
                return false;
            CheckFile(static_cast<std::size_t>(j + 2));
        }
        return true;
    }

    void CheckFile(std::size_t index) {
        const std::string& name = m_tokens[index];
        const int column = static_cast<int>(m_starts[index]) + 1;
        if (!m_files.OdfExists(name))
            Report("T4", column, {name});
        if (name.size() > kMaxFileNameLength)
            Report("T5", column, {name});
    }

    void Report(const char* code, int column = 1, std::vector<std::string> parts = {}) {
        ++m_count;
        m_sink.MessageFound(Finding{m_line, column, code, std::move(parts)});
    }

    const GameFiles& m_files;
    CheckSink& m_sink;
    LineList m_tokens;
    std::vector<std::size_t> m_starts;
    int m_line = 0;
    int m_count = 0;
};

} // namespace

void CompileTT(const LineList& lines, const GameFiles& files, const std::atomic<bool>& stop,
               CheckSink& sink) {
    const int lineCount = static_cast<int>(lines.size());
    sink.RunStarted(lineCount);
    TechTreeCheck check(files, sink);
    for (int i = 0; i < lineCount; ++i) {
        if (stop.load(std::memory_order_relaxed))
            break;
        check.CheckLine(lines[static_cast<std::size_t>(i)], i + 1);
    }
    sink.RunFinished(check.count());
}

} // namespace varko::compiler
