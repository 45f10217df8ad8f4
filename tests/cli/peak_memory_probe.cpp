// peak_memory_probe REPORT PROGRAM ARGS...: runs PROGRAM, passes its output and exit status on, and
// writes its peak resident size in KB to REPORT. A child forked from the test process would count
// the test's own memory, which it inherits at the fork; this process is small when it forks.

#include "child_process.h"

#include <csignal>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: peak_memory_probe REPORT PROGRAM [ARGS...]\n";
        return 125;
    }
    ChildRun run = RunChild(std::vector<std::string>(argv + 2, argv + argc), {});
    std::ofstream(argv[1]) << run.peakRssKb << '\n';
    std::cout << run.out << std::flush;
    std::cerr << run.err << std::flush;
    if (run.signal != 0 || run.timedOut) {
        std::signal(run.signal != 0 ? run.signal : SIGKILL, SIG_DFL);
        std::raise(run.signal != 0 ? run.signal : SIGKILL);
    }
    return run.exitStatus;
}
