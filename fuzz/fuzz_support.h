// Shared by the fuzz targets: a sink that holds the checkers to their contract, the catalogues of
// a small game directory, and the cutting of fuzz bytes into lines that may hold NUL bytes.
#pragma once

#include "varko/compiler/check_run.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// Every run starts once, reports each message on a line of the document in line order,
// names that line first and finishes with the number of messages. The ODF checker steps once for
// every line before checking it; the tech-tree checker skips the step on blank and comment lines.
class ContractSink : public compiler::CheckSink {
public:
    enum class Steps { EveryLine, SomeLines };

    ContractSink(std::size_t lineCount, char codeLetter, int lastCode, Steps steps)
        : m_lineCount(lineCount), m_codeLetter(codeLetter), m_lastCode(lastCode),
          m_everyLine(steps == Steps::EveryLine) {}

    void RunStarted(int lineCount) override {
        Expect(!m_started, "started twice");
        Expect(static_cast<std::size_t>(lineCount) == m_lineCount, "wrong line count");
        m_started = true;
    }
    void MessageFound(const compiler::CheckMessage& message) override {
        Expect(m_started && !m_finished, "message outside the run");
        Expect(message.line >= 1 && static_cast<std::size_t>(message.line) <= m_lineCount,
               "line out of range", message.text);
        Expect(message.line >= m_lastLine, "messages out of line order", message.text);
        Expect(!m_everyLine || message.line <= m_steps, "message ahead of progress", message.text);
        const std::string prefix = "Line " + std::to_string(message.line) + ": ";
        Expect(message.text.compare(0, prefix.size(), prefix) == 0, "text does not name its line",
               message.text);
        Expect(IsKnownCode(message.code), "unknown code", message.code);
        m_lastLine = message.line;
        texts.push_back(message.text);
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
    bool Finished() const { return m_finished; }

    std::vector<std::string> texts;

private:
    bool IsKnownCode(const std::string& code) const {
        if (code.size() < 2 || code[0] != m_codeLetter)
            return false;
        const int number = std::atoi(code.c_str() + 1);
        return number >= 1 && number <= m_lastCode && code == m_codeLetter + std::to_string(number);
    }

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
    std::string path;
    compiler::FileCatalogue odf;
    compiler::FileCatalogue sod;
};

GameDirectory& SharedGameDirectory();

} // namespace varko::fuzz
