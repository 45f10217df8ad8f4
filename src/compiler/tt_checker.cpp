#include "varko/compiler/check_run.h"

#include <cstdint>

namespace varko::compiler {

using textrules::LineList;

namespace {

constexpr std::size_t kMaxFileNameLength = 12; // 8.3

class TechTreeCheck {
public:
    TechTreeCheck(const FileLookup& files, CheckSink& sink) : m_files(files), m_sink(sink) {}

    int count() const { return m_count; }

    void CheckLine(const std::string& line, int n) {
        m_line = n;
        if (line.empty() || line == " ")
            return;
        if (line.starts_with("//")) {
            Report("T1", ": Error - Comments are not allowed in tt files. They may cause the game to freeze during loading.");
            return;
        }
        m_sink.ProgressStep();
        if (!CheckEntry(line))
            Report("T6", ": Error - There are errors on this line. Please remove anything other than Tech file entries.");
    }

private:
    // False when the entry breaks off: the count is missing or not a number, or a requirement is missing.
    bool CheckEntry(const std::string& line) {
        textrules::SplitTokens(m_tokens, line);
        if (m_tokens.size() < 2)
            return false;
        std::optional<std::int32_t> count = textrules::ParseInt(m_tokens[1]);
        if (!count)
            return false;
        const std::int64_t expected = static_cast<std::int64_t>(*count) + 2;
        const auto present = static_cast<std::int64_t>(m_tokens.size());
        if (expected > present)
            Report("T2", ": Error - There is " + std::to_string(expected - present) + " requirement(s) missing.");
        if (expected < present)
            Report("T3", ": Error - too much requirements.");
        CheckFile(m_tokens[0]);
        for (std::int64_t j = 0; j < *count; ++j) {
            if (j + 2 >= present)
                return false;
            CheckFile(m_tokens[static_cast<std::size_t>(j + 2)]);
        }
        return true;
    }

    void CheckFile(const std::string& name) {
        if (!m_files.OdfExists(name))
            Report("T4", ": ODF file \"" + name + "\" not found.");
        if (name.size() > kMaxFileNameLength)
            Report("T5", ": Error - Filename " + name +
                             " is too long. ODF filenames in TT documents have a 8.3 character length limit.");
    }

    void Report(const char* code, const std::string& rest) {
        ++m_count;
        m_sink.MessageFound({m_line, code, "Line " + std::to_string(m_line) + rest});
    }

    const FileLookup& m_files;
    CheckSink& m_sink;
    LineList m_tokens;
    int m_line = 0;
    int m_count = 0;
};

} // namespace

void CompileTT(const LineList& lines, const FileLookup& files, const std::atomic<bool>& stop, CheckSink& sink) {
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
