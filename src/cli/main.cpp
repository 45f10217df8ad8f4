#include "varko/cli/command_line.h"
#include "varko/textrules/process_setup.h"

#include <iostream>

int main(int argc, char** argv) {
    varko::textrules::UseBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    return varko::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
}
