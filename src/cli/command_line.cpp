#include "varko/cli/command_line.h"
#include "varko/textrules/utf8_path.h"

#include "varko/cli/batch_check.h"
#include "varko/cli/check_settings.h"
#include "varko/cli/cross_file_checks.h"
#include "varko/cli/environment_setup.h"
#include "varko/cli/finding_report.h"
#include "varko/cli/path_filter.h"
#include "varko/textrules/process_setup.h"
#include "varko/textrules/program_dirs.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

namespace varko::cli {

namespace {

struct Arguments {
    std::string appDir;
    std::string project;
    std::vector<std::string> addonDirs;
    std::vector<std::string> sodDirs;
    std::string format = "text";
    std::optional<std::string> baseline;
    std::optional<std::string> writeBaseline;
    std::vector<std::string> ignoreCodes;
    std::vector<std::string> ignorePaths;
    int jobs = 0;
    bool extra = false;
    bool unused = false;
    std::vector<std::string> paths;
};

// Options that may be repeated take one value each time, so that a path after them stays a path.
CLI::Option* Repeatable(CLI::App& app, const char* name, std::vector<std::string>& values, const char* help) {
    return app.add_option(name, values, help)->allow_extra_args(false);
}

void DefineArguments(CLI::App& app, Arguments& args) {
    app.add_option("--appdir", args.appDir, "Directory of declarations.txt, ignorefiles.txt and prefs.ini");
    app.add_option("--project", args.project,
                   "Project file (varko.ini) to read instead of the nearest one above the first PATH");
    Repeatable(app, "--addon", args.addonDirs, "Addon directory, where ODF files are looked up (repeatable)");
    Repeatable(app, "--sod", args.sodDirs, "SOD directory, where model files are looked up (repeatable)");
    app.add_option("--format", args.format, "Report format")->check(CLI::IsMember(ReportFormatNames()));
    CLI::Option* baseline =
        app.add_option("--baseline", args.baseline, "Report only the findings this baseline file lacks");
    app.add_option("--write-baseline", args.writeBaseline, "Write the findings to this baseline file")
        ->excludes(baseline);
    Repeatable(app, "--ignore", args.ignoreCodes, "Leave out these codes, e.g. M1,T4 (repeatable)");
    Repeatable(app, "--ignore-path", args.ignorePaths, "Leave out the files this glob matches (repeatable)");
    app.add_option("--jobs", args.jobs, "Number of files checked at once (default: all cores)")
        ->check(CLI::PositiveNumber);
    CLI::Option* extra =
        app.add_flag("--extra", args.extra,
                     "Also check across files: tech-tree circles and repeats, include cycles, "
                     "values that included files set differently (X1-X4)");
    app.add_flag("--unused", args.unused, "With --extra: note the addon ODF files nothing names (U1)")
        ->needs(extra);
    app.add_option("PATH", args.paths, "ODF or TT file, or a directory to walk")->required();
}

// Shows how far a long run has come, on a terminal only.
ProgressCallback TerminalProgress(std::ostream& err, bool& shown) {
    if (!textrules::StandardErrorIsTerminal())
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
                       const Arguments& args, CrossFileChecks* cross, std::ostream& err) {
    bool progressShown = false;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const bool needLineTexts = args.baseline || args.writeBaseline || args.format == "sarif";
    BatchOptions options{args.jobs > 0 ? args.jobs : static_cast<int>(cores),
                         TerminalProgress(err, progressShown),
                         needLineTexts ? LineTexts::Keep : LineTexts::Drop,
                         {},
                         {}};
    if (cross)
        options.followUp = [cross](const ModFile& file, const textrules::LineList& lines,
                                   std::vector<compiler::Finding>& findings) {
            cross->Check(file, lines, findings);
        };
    if (cross)
        options.linesRead = [cross](const ModFile& file) { return cross->LinesRead(file.path); };
    BatchResult result = RunBatch(files, environment, options);
    if (progressShown)
        err << "\r\033[K" << std::flush;
    return result;
}

// What the checks across files leave after the batch. An included file that is also a checked
// one is named once, as a checked file that cannot be opened.
void FinishCrossChecks(CrossFileChecks& cross, const BatchResult& result, const PathFilter& filter,
                       const std::string& currentDirectory, RunExtras& extras) {
    std::set<std::string> unopened;
    for (const FileReport& report : result.reports) {
        if (!report.readable)
            unopened.insert(ShownPath(report.file.path, currentDirectory));
    }
    for (std::string& path : cross.UnreadableIncludes(currentDirectory)) {
        if (!unopened.contains(path))
            extras.unreadableIncludes.push_back(std::move(path));
    }
    extras.notes = cross.UnusedNotes(filter, currentDirectory);
}

// What the options ask of the report; the baseline is read before anything is checked, so a bad
// one stops the run at once. Empty error: ready.
std::string PrepareReport(const Arguments& args, const CheckSettings& check, ReportSettings& settings) {
    settings.format = *ReportFormatNamed(args.format);
    settings.codes = ParseIgnoredCodes(check.ignoreCodes);
    if (!settings.codes.unknown.empty())
        return "Unknown code in --ignore: " + settings.codes.unknown;
    if (args.baseline) {
        BaselineRead read = ReadBaseline(*args.baseline);
        if (!read.error.empty())
            return "Cannot read baseline " + *args.baseline + ": " + read.error;
        settings.baseline = std::move(read.entries);
    }
    settings.writeBaseline = args.writeBaseline;
    std::error_code ec;
    settings.sarif = {VARKO_CHECK_VERSION, textrules::Utf8FromPath(std::filesystem::current_path(ec))};
    return {};
}

// A path that cannot be used is reported, and the others are still checked.
CollectResult CollectFiles(const Arguments& args, const PathFilter& filter, std::ostream& err) {
    CollectResult collected = CollectModFiles(args.paths);
    for (const std::string& error : collected.errors)
        err << "varko-check: " << error << '\n';
    std::erase_if(collected.files,
                  [&](const ModFile& file) { return filter.Excludes(file.display, file.walked); });
    return collected;
}

// The project file --project names, else the nearest one at or above the first path. Empty error: none
// or a good one.
std::string ReadProject(const Arguments& args, std::optional<compiler::ProjectFile>& project) {
    std::optional<std::string> path =
        args.project.empty() ? compiler::FindProjectFile(args.paths.front()) : std::optional(args.project);
    if (!path)
        return {};
    compiler::ProjectRead read = compiler::ReadProjectFile(*path);
    project = std::move(read.project);
    return read.error;
}

// Options first, then the project file, then prefs.ini for the game directories neither names.
std::string ResolveSettings(const Arguments& args, CheckSettings& settings) {
    std::optional<compiler::ProjectFile> project;
    if (std::string error = ReadProject(args, project); !error.empty())
        return error;
    SettingsOverrides overrides{{}, args.addonDirs, args.sodDirs, {}, args.ignoreCodes, args.ignorePaths};
    if (!args.appDir.empty())
        overrides.appDir = args.appDir;
    if (args.extra)
        overrides.extraChecks = true;
    const textrules::ProgramDirs program = textrules::FindProgramDirs(ExecutableDirectory());
    settings = ResolveCheckSettings(overrides, project ? &*project : nullptr, program.data);
    // An installed program keeps prefs.ini in the user's folder; a data folder that was named holds its own.
    if (settings.environment.appDir == program.data)
        settings.environment.settingsDir = program.settings;
    return {};
}

int CheckMod(const Arguments& args, std::ostream& out, std::ostream& err) {
    CheckSettings check;
    ReportSettings settings;
    std::string error = ResolveSettings(args, check);
    if (error.empty())
        error = PrepareReport(args, check, settings);
    if (!error.empty()) {
        err << "varko-check: " << error << '\n';
        return kExitTrouble;
    }
    const PathFilter filter(check.ignorePaths);
    const CollectResult collected = CollectFiles(args, filter, err);
    PreparedEnvironment prepared = PrepareEnvironment(check.environment);
    if (!prepared.environment) {
        err << "varko-check: " << prepared.error << '\n';
        return kExitTrouble;
    }
    std::optional<CrossFileChecks> cross;
    if (check.extraChecks)
        cross.emplace(*prepared.environment, args.unused);
    BatchResult result =
        CheckFiles(collected.files, *prepared.environment, args, cross ? &*cross : nullptr, err);
    RunExtras extras{!collected.errors.empty(), {}, {}};
    if (cross)
        FinishCrossChecks(*cross, result, filter, settings.sarif.rootDirectory, extras);
    return ReportFindings(result, std::move(extras), settings, out, err);
}

} // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app("Checks the ODF and tech-tree files of a mod", "varko-check");
    Arguments args;
    DefineArguments(app, args);
    // A path such as /tmp/mod must stay a path on Windows too.
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", "varko-check " VARKO_CHECK_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitClean;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return kExitClean;
    } catch (const CLI::ParseError& e) {
        err << "varko-check: " << e.what() << '\n' << "Run with --help for usage.\n";
        return kExitTrouble;
    }
    return CheckMod(args, out, err);
}

} // namespace varko::cli
