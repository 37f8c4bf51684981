#pragma once
// Starting the converter as a process of its own. The program never waits on
// it and keeps no handle: it learns of the converter's success only from the
// output file appearing.
//
// On Windows the command interpreter runs it ("cmd.exe /C" hidden, or
// "cmd.exe /T:3F /K" in a console that stays open) with the converter's short
// path. Elsewhere it is started directly from an argument list, never through a
// shell string, so no name or path can inject a command; a Windows program
// (a file starting with "MZ") runs through `wine`, and the visible form runs in
// a terminal window that stays open after the converter ends.

#include "platform/Expected.h"

#include <functional>
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
};

struct LaunchResult {
    LaunchProblem problem = LaunchProblem::None;
    /// What was started, each path in double quotes, for the log.
    std::string shownCommand;
    Error error;

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

/// A path as a Windows program under Wine sees it: the Linux root is drive Z:
/// ("/home/a b/x.s" gives "Z:\home\a b\x.s"), as `winepath -w` writes it.
[[nodiscard]] std::string toWineDrivePath(const std::string& unixPath);

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
