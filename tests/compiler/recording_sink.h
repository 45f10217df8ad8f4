#pragma once

#include "varko/compiler/check_run.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

// Keeps what a check reports; can raise the stop flag after a given number of progress steps.
class RecordingSink : public varko::compiler::CheckSink {
public:
    void RunStarted(int lineCount) override {
        started = lineCount;
        texts.clear();
        codes.clear();
        findings.clear();
    }
    void MessageFound(const varko::compiler::Finding& finding) override {
        texts.push_back(varko::compiler::MessageText(finding));
        codes.push_back(finding.code);
        findings.push_back(finding);
    }
    void ProgressStep() override {
        if (++steps == stopAfterSteps)
            stop.store(true);
    }
    void RunFinished(int messageCount) override { finished = messageCount; }
    void RunFailed(const std::string& text) override { failure = text; }

    std::vector<std::string> texts;
    std::vector<std::string> codes;
    std::vector<varko::compiler::Finding> findings;
    std::optional<std::string> failure;
    int started = -1;
    int steps = 0;
    int finished = -1;
    int stopAfterSteps = -1;
    std::atomic<bool> stop{false};
};
