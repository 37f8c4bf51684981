#pragma once
// The conversion run's dealings with the converter: its file arguments, the
// check that it is still there, its start, and the wait for its s-file, which
// is how the run learns of its success (it never talks to the process).

#include "core/CommandHost.h"
#include "core/ProgramState.h"
#include "core/ShapePaths.h"
#include "core/Task.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/PlainNameFolder.h"
#include "platform/Process.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quillfen {

/// The wait counts slices of a tenth of a second, at most this many (2.5 hours).
inline constexpr int kWaitSliceLimit = 90000;
inline constexpr double kWaitSliceSeconds = 0.1;

/// How the wait for the s-file ended.
enum class WaitEnd { FileFound, Cancelled, LimitReached, ConverterEnded };

/// How long after the converter ended its s-file may still appear.
inline constexpr double kConverterEndGraceSeconds = 2.0;

/// The converter's file arguments: the full path of each checked, non-empty
/// LOD row, nearest first. `rowChecked[r]` is the check mark of row r
/// (element r + 1 of `gstrArrLODDateien`).
[[nodiscard]] std::vector<std::string> converterFileArguments(const ProgramState& state,
                                                              const std::vector<bool>& rowChecked);

/// Whether the converter is still where the start-up found it. When it is
/// not, tells the user (message box and log lines naming the working folder's
/// conv3ds.exe) and disables the cancel button.
bool checkConverterPresent(const ProgramState& state, CommandHost& host, const FileSystem& fileSystem);

/// Where a Windows converter works when the model folder's name is outside its
/// code page: copies of the LOD files and its output in a plain-named folder.
struct ConverterWorkplace {
    std::optional<PlainNameFolder> plainFolder; ///< none: the model folder itself
    std::string output;
    std::vector<std::string> lodPaths;
};

/// The workplace for this run, logged when it is a plain-named folder; when
/// none can be made, logs the path the converter could not open and returns
/// std::nullopt.
[[nodiscard]] std::optional<ConverterWorkplace> converterWorkplace(const ProgramState& state,
                                                                   const ShapePaths& paths, CommandHost& host,
                                                                   FileSystem& fileSystem,
                                                                   const std::vector<std::string>& lodPaths);

/// Starts the converter on `lodPaths` writing `output` (hidden, or visible when
/// `visible`; hidden with a warning where no terminal is found) and logs the
/// command line under its caption. When it cannot be started, logs why in the
/// current language and returns std::nullopt; else the process to watch
/// (nullptr where it cannot be watched).
[[nodiscard]] std::optional<std::shared_ptr<WatchedProcess>>
startConverter(const ProgramState& state, const std::string& output, CommandHost& host,
               const FileSystem& fileSystem, ProcessStarter& processes,
               const std::vector<std::string>& lodPaths, bool visible);

/// The live progress line of the wait after `slices` tenths of a second.
[[nodiscard]] std::string waitProgressLine(const ProgramState& state, const std::string& sFileName,
                                           int slices, char decimalSeparator);

/// Waits for the converter's s-file in slices of 0.1 s, keeping one progress
/// line on top of the log, until the file exists, the cancel flag is raised
/// (it is then cleared), the slice limit is reached, or the converter
/// (`converter`, when it can be watched) has ended and no file came within
/// kConverterEndGraceSeconds. Between checks it yields to the event loop with
/// a timeout rather than spinning; the converter is looked at once a slice.
Task<WaitEnd> waitForConverterOutput(ProgramState& state, const ShapePaths& paths, CommandHost& host,
                                     const FileSystem& fileSystem, const Clock& clock, char decimalSeparator,
                                     WatchedProcess* converter = nullptr);

/// The log line of a converter that ended without its s-file: its exit code
/// and the last lines of its output, where they were captured.
void logConverterEnd(const ProgramState& state, CommandHost& host, const ProcessStatus& status);

/// The message shown when the wait ended without an s-file (German only, in
/// both languages).
void showConversionFailure(const ProgramState& state, CommandHost& host);

/// The message shown when the s-file cannot be moved into SHAPES (the
/// converter probably crashed and still holds it).
void showCrashDiagnosis(const ProgramState& state, CommandHost& host);

} // namespace quillfen
