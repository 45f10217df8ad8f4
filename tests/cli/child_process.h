#pragma once

#include <chrono>
#include <string>
#include <vector>

// What a finished child process left behind.
struct ChildRun {
    int exitStatus = -1; // -1 unless the child exited normally
    int signal = 0;      // the signal that ended it, 0 if none
    bool timedOut = false;
    long peakRssKb =
        0; // the child's peak resident size, counting what it shared with this process at the fork
    std::string out;
    std::string err;
};

struct ChildOptions {
    std::string workingDirectory;
    std::vector<std::string> environment; // "NAME=value" entries set on top of this process's own
    std::chrono::seconds timeout{60};
};

// Runs argv[0] (a path, not searched) with stdin on /dev/null, collects its stdout and stderr and
// waits for it; a child still running at the timeout is killed with the processes it started, and
// reported as timed out.
ChildRun RunChild(const std::vector<std::string>& argv, const ChildOptions& options);

// The full path of a program found on PATH, or empty.
std::string FindOnPath(const std::string& program);
