#pragma once
// Starting the converter as a process of its own. The program never blocks on
// it: the converter's success shows in its output file appearing. Where the
// system allows, the started process can be looked at (still running? ended
// with which exit code, saying what?), so that a converter that ended without
// output does not keep the run waiting.
//
// On Windows the command interpreter runs it ("cmd.exe /C" hidden, or
// "cmd.exe /T:3F /K" in a console that stays open) with the converter's short
// path. Elsewhere it is started directly from an argument list, never through a
// shell string, so no name or path can inject a command; a Windows program
// (a file starting with "MZ") runs through `wine`, and the visible form runs in
// a terminal window that stays open after the converter ends.

#include "platform/Expected.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillfen {

struct ConverterLaunch {
    std::string converterPath;          ///< full path of the converter
    std::string converterShortPath;     ///< its short form without blanks (used by cmd.exe)
    std::vector<std::string> arguments; ///< output path, then each LOD path, nearest first
    bool visible = false;               ///< in a window that stays open after the end
};

enum class LaunchProblem {
    None,
    WineMissing,     ///< a Windows program, but no `wine` on the PATH
    TerminalMissing, ///< the visible form, but no terminal program found
    StartFailed,     ///< the system refused to start it (see `error`)
    NoWineDrive,     ///< under Wine, a path that no drive of the prefix reaches (see `error`)
};

/// What one look at a started process found.
struct ProcessStatus {
    bool running = true;
    int exitCode = 0; ///< once ended
    /// Once ended: the last lines the process wrote to its error output (and
    /// its standard output, which the same place collects), where they were
    /// captured; empty otherwise.
    std::vector<std::string> lastOutputLines;
};

/// A started process that can be watched. Looking never blocks, so the run
/// looks once per slice of its wait. Letting go of it neither stops nor
/// waits for the process.
class WatchedProcess {
public:
    virtual ~WatchedProcess() = default;
    [[nodiscard]] virtual ProcessStatus look() = 0;
};

/// How many of the last output lines a finished process reports.
inline constexpr std::size_t kKeptOutputLines = 8;

struct LaunchResult {
    LaunchProblem problem = LaunchProblem::None;
    /// What was started, each path in double quotes, for the log.
    std::string shownCommand;
    Error error;
    /// The started process, or nullptr where it cannot be watched: a visible
    /// start in a terminal on Linux (terminal programs may hand the command to
    /// a server and end at once, and the window stays open after the
    /// converter anyway), and starters that do not offer it.
    std::shared_ptr<WatchedProcess> process;

    [[nodiscard]] bool started() const { return problem == LaunchProblem::None; }
};

/// Starts processes; tests and other hosts can put their own in its place.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual LaunchResult startConverter(const ConverterLaunch& launch) = 0;
};

/// Reads an environment variable; "" when it is not set.
using EnvironmentLookup = std::function<std::string(const std::string& name)>;

/// The machine's own process start.
class SystemProcessStarter final : public ProcessStarter {
public:
    /// `environment` answers for PATH and TERMINAL (the process environment by default).
    explicit SystemProcessStarter(EnvironmentLookup environment = {});
    LaunchResult startConverter(const ConverterLaunch& launch) override;

private:
    EnvironmentLookup m_environment;
};

/// The Windows command line of the converter call: "cmd.exe /C " (or
/// "cmd.exe /T:3F /K " when visible), the short path, the quoted output path
/// and the quoted LOD paths, separated by single blanks.
[[nodiscard]] std::string windowsConverterCommand(const ConverterLaunch& launch);

/// The first match of `program` in the folders of `pathVariable` that is an
/// executable file, or "" when there is none. A name with a separator is
/// taken as it is.
[[nodiscard]] std::string findInPath(const std::string& program, const std::string& pathVariable);

/// True when the file starts with the Windows executable signature "MZ".
[[nodiscard]] bool isWindowsExecutable(const std::string& path);

/// True when this program's standard output is a terminal (where a progress
/// line can be rewritten in place), false for a file or a pipe.
[[nodiscard]] bool standardOutputIsTerminal();

} // namespace quillfen
