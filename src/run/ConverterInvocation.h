#pragma once
// The conversion run's dealings with the converter: its file arguments, the
// check that it is still there, its start, and the wait for its s-file, which
// is how the run learns of its success (it never talks to the process).

#include "app/ProgramState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "run/CommandHost.h"
#include "run/CommandTask.h"

#include <string>
#include <vector>

namespace quillfen {

/// The wait counts slices of a tenth of a second, at most this many (2.5 hours).
inline constexpr int kWaitSliceLimit = 90000;
inline constexpr double kWaitSliceSeconds = 0.1;

/// How the wait for the s-file ended (the result of waitForConverterOutput).
enum class WaitEnd : int { FileFound = 0, Cancelled = 1, LimitReached = 2 };

/// wd + separator + `gstrSDateiName`: where the converter writes the s-file.
[[nodiscard]] std::string converterOutputPath(const ProgramState& state);

/// Writes the converter's file argument text into element 0 of
/// `gstrArrLODDateien` (each checked, non-empty LOD row's full path in double
/// quotes, separated by blanks, nearest first) and returns the same paths
/// unquoted. `rowChecked[r]` is the check mark of row r (element r + 1).
std::vector<std::string> buildConverterFileArguments(ProgramState& state,
                                                     const std::vector<bool>& rowChecked);

/// Whether the converter is still where the start-up found it. When it is
/// not, tells the user (message box and log lines naming wd's conv3ds.exe),
/// disables the cancel button and clears the cancel flag.
bool checkConverterPresent(ProgramState& state, CommandHost& host, const FileSystem& fileSystem);

/// Starts the converter on `lodPaths` (hidden, or visible when `visible`) and
/// logs the command line under its caption. When it cannot be started, logs
/// why in the current language and returns false.
bool startConverter(const ProgramState& state, CommandHost& host, const FileSystem& fileSystem,
                    ProcessStarter& processes, const std::vector<std::string>& lodPaths, bool visible);

/// The live progress line of the wait after `slices` tenths of a second.
[[nodiscard]] std::string waitProgressLine(const ProgramState& state, int slices, char decimalSeparator);

/// Waits for the converter's s-file in slices of 0.1 s, keeping one progress
/// line on top of the log, until the file exists, the cancel flag is raised
/// (it is then cleared) or the slice limit is reached. Between checks it
/// yields to the event loop with a timeout rather than spinning. The result
/// is a WaitEnd.
CommandTask waitForConverterOutput(ProgramState& state, CommandHost& host, const FileSystem& fileSystem,
                                   const Clock& clock, char decimalSeparator);

/// The message shown when the wait ended without an s-file (German only, in
/// both languages).
void showConversionFailure(CommandHost& host);

/// The message shown when the s-file cannot be moved into SHAPES (the
/// converter probably crashed and still holds it).
void showCrashDiagnosis(const ProgramState& state, CommandHost& host);

} // namespace quillfen
