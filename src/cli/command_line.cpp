#include "varko/cli/command_line.h"

#include "varko/cli/batch_check.h"
#include "varko/cli/environment_setup.h"
#include "varko/cli/report.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <thread>
#include <unistd.h>

namespace varko::cli {

namespace {

struct Arguments {
    std::string appDir;
    std::optional<std::string> addonDir;
    std::optional<std::string> sodDir;
    std::string format = "text";
    int jobs = 0;
    std::vector<std::string> paths;
};

void DefineArguments(CLI::App& app, Arguments& args) {
    app.add_option("--appdir", args.appDir, "Directory of declarations.txt, ignorefiles.txt and prefs.ini");
    app.add_option("--addon", args.addonDir, "Addon directory, where ODF files are looked up");
    app.add_option("--sod", args.sodDir, "SOD directory, where model files are looked up");
    app.add_option("--format", args.format, "Report format")->check(CLI::IsMember({"text", "json"}));
    app.add_option("--jobs", args.jobs, "Number of files checked at once (default: all cores)")
        ->check(CLI::PositiveNumber);
    app.add_option("PATH", args.paths, "ODF or TT file, or a directory to walk")->required();
}

std::string WithSeparator(std::string dir) {
    if (dir.empty())
        return "./";
    if (dir.back() != '/')
        dir.push_back('/');
    return dir;
}

// Shows how far a long run has come, on a terminal only.
ProgressCallback TerminalProgress(std::ostream& err, bool& shown) {
    if (!::isatty(STDERR_FILENO))
        return {};
    auto start = std::chrono::steady_clock::now();
    return [&err, &shown, start](std::size_t done, std::size_t total) {
        if (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(500))
            return;
        err << "\rChecked " << done << " of " << total << " files" << std::flush;
        shown = true;
    };
}

BatchResult CheckFiles(const std::vector<ModFile>& files, const compiler::CheckEnvironment& environment,
                       int jobs, std::ostream& err) {
    bool progressShown = false;
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    BatchResult result = RunBatch(files, environment, jobs > 0 ? jobs : static_cast<int>(cores),
                                  TerminalProgress(err, progressShown));
    if (progressShown)
        err << "\r\033[K" << std::flush;
    return result;
}

void WriteReport(const BatchResult& result, const std::string& format, std::ostream& out, std::ostream& err) {
    if (format == "json")
        WriteJsonReport(result, out);
    else
        WriteTextReport(result, out);
    out.flush();
    for (const FileReport& report : result.reports) {
        if (!report.readable)
            err << "varko-check: Cannot open file " << report.file.display << '\n';
        else if (report.failure)
            err << "varko-check: " << *report.failure << '\n';
    }
    err << compiler::SummaryText(result.messageCount) << '\n';
}

int CheckMod(const Arguments& args, std::ostream& out, std::ostream& err) {
    // A path that cannot be used is reported, and the others are still checked.
    CollectResult collected = CollectModFiles(args.paths);
    for (const std::string& error : collected.errors)
        err << "varko-check: " << error << '\n';

    EnvironmentOptions options{
        WithSeparator(args.appDir.empty() ? ExecutableDirectory() : args.appDir), {}, {}};
    if (args.addonDir)
        options.addonDirs.push_back(*args.addonDir);
    if (args.sodDir)
        options.sodDirs.push_back(*args.sodDir);
    PreparedEnvironment prepared = PrepareEnvironment(options);
    if (!prepared.environment) {
        err << "varko-check: " << prepared.error << '\n';
        return kExitTrouble;
    }

    BatchResult result = CheckFiles(collected.files, *prepared.environment, args.jobs, err);
    WriteReport(result, args.format, out, err);
    if (result.unreadable > 0 || !collected.errors.empty())
        return kExitTrouble;
    return result.messageCount > 0 ? kExitFaults : kExitClean;
}

} // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app("Checks the ODF and tech-tree files of a mod", "varko-check");
    Arguments args;
    DefineArguments(app, args);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitClean;
    } catch (const CLI::ParseError& e) {
        err << "varko-check: " << e.what() << '\n' << "Run with --help for usage.\n";
        return kExitTrouble;
    }
    return CheckMod(args, out, err);
}

} // namespace varko::cli
