#pragma once

#include "varko/compiler/check_run.h"

#include <atomic>
#include <string>
#include <vector>

// Keeps what a check reports; can raise the stop flag after a given number of progress steps.
class RecordingSink : public varko::compiler::CheckSink {
public:
    void RunStarted(int lineCount) override {
        started = lineCount;
        texts.clear();
    }
    void MessageFound(const varko::compiler::CheckMessage& message) override {
        texts.push_back(message.text);
        codes.push_back(message.code);
    }
    void ProgressStep() override {
        if (++steps == stopAfterSteps)
            stop.store(true);
    }
    void RunFinished(int messageCount) override { finished = messageCount; }

    std::vector<std::string> texts;
    std::vector<std::string> codes;
    int started = -1;
    int steps = 0;
    int finished = -1;
    int stopAfterSteps = -1;
    std::atomic<bool> stop{false};
};
