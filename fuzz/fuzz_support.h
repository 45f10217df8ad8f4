// Shared by the fuzz targets: a sink that holds the checkers to their contract, the catalogues of
// a small game directory, and the cutting of fuzz bytes into lines that may hold NUL bytes.
#pragma once

#include "varko/compiler/check_run.h"
#include "varko/compiler/game_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varko::fuzz {

// Stops the run with a message; libFuzzer keeps the input that caused it.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "contract broken: %s %s\n", what, detail.c_str());
    std::abort();
}

inline void Expect(bool holds, const char* what, const std::string& detail = {}) {
    if (!holds)
        Fail(what, detail);
}

// Every run starts once, reports each finding on a line of the document in line order, with a
// column inside that line (or just past its end), a text that names the line first, and finishes
// with the number of findings. The ODF checker steps once for
// every line before checking it; the tech-tree checker skips the step on blank and comment lines.
class ContractSink : public compiler::CheckSink {
public:
    enum class Steps { EveryLine, SomeLines };

    ContractSink(const textrules::LineList& lines, char codeLetter, int lastCode, Steps steps)
        : m_lines(lines), m_lineCount(lines.size()), m_codeLetter(codeLetter), m_lastCode(lastCode),
          m_everyLine(steps == Steps::EveryLine) {}

    void RunStarted(int lineCount) override {
        Expect(!m_started, "started twice");
        Expect(static_cast<std::size_t>(lineCount) == m_lineCount, "wrong line count");
        m_started = true;
    }
    void MessageFound(const compiler::Finding& finding) override {
        const std::string text = compiler::MessageText(finding);
        Expect(m_started && !m_finished, "message outside the run");
        Expect(finding.line >= 1 && static_cast<std::size_t>(finding.line) <= m_lineCount,
               "line out of range", text);
        Expect(finding.column >= 1 && static_cast<std::size_t>(finding.column) <=
                                          m_lines[static_cast<std::size_t>(finding.line) - 1].size() + 1,
               "column out of range", text);
        Expect(finding.line >= m_lastLine, "messages out of line order", text);
        Expect(!m_everyLine || finding.line <= m_steps, "message ahead of progress", text);
        const std::string prefix = "Line " + std::to_string(finding.line) + ": ";
        Expect(text == prefix + compiler::MessageDetail(finding), "text does not name its line", text);
        Expect(IsKnownCode(finding.code) && compiler::IsKnownCode(finding.code), "unknown code",
               finding.code);
        m_lastLine = finding.line;
        texts.push_back(text);
    }
    void ProgressStep() override {
        Expect(m_started && !m_finished, "step outside the run");
        ++m_steps;
        Expect(static_cast<std::size_t>(m_steps) <= m_lineCount, "more steps than lines");
    }
    void RunFinished(int messageCount) override {
        Expect(m_started && !m_finished, "finished twice");
        Expect(static_cast<std::size_t>(messageCount) == texts.size(), "wrong message count");
        Expect(!m_everyLine || static_cast<std::size_t>(m_steps) == m_lineCount, "not every line stepped");
        m_finished = true;
    }
    void RunFailed(const std::string& text) override { Fail("run failed", text); }
    bool Finished() const { return m_finished; }

    std::vector<std::string> texts;

private:
    bool IsKnownCode(const std::string& code) const {
        if (code.size() < 2 || code[0] != m_codeLetter)
            return false;
        const int number = std::atoi(code.c_str() + 1);
        return number >= 1 && number <= m_lastCode && code == m_codeLetter + std::to_string(number);
    }

    const textrules::LineList& m_lines;
    std::size_t m_lineCount;
    char m_codeLetter;
    int m_lastCode;
    bool m_everyLine;
    bool m_started = false;
    bool m_finished = false;
    int m_steps = 0;
    int m_lastLine = 1;
};

// LF alone cuts, so CR and NUL bytes stay inside the lines the checkers see.
inline textrules::LineList CutAtLineFeeds(std::string_view bytes) {
    textrules::LineList lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t stop = bytes.find('\n', pos);
        if (stop == std::string_view::npos)
            stop = bytes.size();
        lines.emplace_back(bytes.substr(pos, stop - pos));
        pos = stop + 1;
    }
    return lines;
}

// A game directory with a few ODF files and models, listed once per process.
struct GameDirectory {
    GameDirectory();
    ~GameDirectory();
    // The game's files with an ignore list of the fuzzer's.
    compiler::GameFiles With(const textrules::LineList& ignoreNames) const;

    std::string path;
    std::shared_ptr<compiler::FileCatalogue> odf;
    std::shared_ptr<compiler::FileCatalogue> sod;
};

GameDirectory& SharedGameDirectory();

} // namespace varko::fuzz
