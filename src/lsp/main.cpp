#include "varko/cli/environment_setup.h"
#include "varko/lsp/message_loop.h"
#include "varko/lsp/server.h"
#include "varko/textrules/process_setup.h"
#include "varko/textrules/program_dirs.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {

constexpr const char* kHelp =
    "varko-lsp - language server for the ODF and tech-tree files of a mod\n"
    "\n"
    "Usage: varko-lsp [--stdio]\n"
    "\n"
    "Speaks the Language Server Protocol 3.17 over standard input and output, for editors such as\n"
    "VS Code, Neovim, Kate, Helix and Emacs: the checks of varko-check as diagnostics, completion,\n"
    "hover, go to file, references, quick fixes, the outline and the command varko.checkMod.\n"
    "A mod's settings come from varko.ini in each workspace folder and from the editor's settings\n"
    "(section \"varko\"). Logs go to standard error.\n"
    "\n"
    "Options:\n"
    "  --stdio      talk over standard input and output (the default and only way)\n"
    "  --version    print the version and exit\n"
    "  --help       print this help and exit\n";

} // namespace

int main(int argc, char** argv) {
    // Content-Length counts bytes: Windows' text mode must not add or drop a '\r'.
    varko::textrules::UseBinaryStandardStreams();
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--version") {
            std::cout << "varko-lsp " << VARKO_LSP_VERSION << '\n';
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (argument != "--stdio") {
            std::cerr << "varko-lsp: unknown option " << argument << "\nRun with --help for usage.\n";
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    // Reading standard input must not flush standard output from the reader thread: only the
    // writer touches it, under its lock.
    std::cin.tie(nullptr);
    varko::lsp::MessageWriter writer(std::cout);
    varko::lsp::Connection connection(writer);
    varko::lsp::Dispatcher dispatcher(connection);
    int status = 0;
    {
        varko::lsp::Server server(
            connection, dispatcher,
            {varko::textrules::FindProgramDirs(varko::cli::ExecutableDirectory()).data});
        status = varko::lsp::RunMessageLoop(std::cin, dispatcher, connection);
    }
    std::cout.flush();
    // The reader thread may still wait for input that will never come.
    std::_Exit(status);
}
