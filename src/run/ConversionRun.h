#pragma once
// The conversion run: from the checked 3DS files to the finished shape in
// SHAPES, its sd-file, the s-file edits, the textures, the copies and the
// reference entry, every step reported in the progress log. It is one
// command that yields to whoever drives it (the window's event loop, the
// command line, a test) and touches the world only through its services.

#include "app/RunChoices.h"
#include "core/CommandHost.h"
#include "core/ProgramState.h"
#include "core/Task.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "platform/Process.h"
#include "run/RunView.h"

namespace quillfen {

/// How a run ended: the result of the run's CommandTask.
enum class RunEnd : int {
    Done = 0,            ///< "Fertig!" / "Done!"
    ConverterMissing,    ///< the converter file is gone since start-up
    ConverterNotStarted, ///< the system could not start it (no wine, no terminal, refused)
    Cancelled,           ///< the user cancelled the wait; the converter keeps running
    NoSFile,             ///< the wait ended without an s-file
    MoveFailed,          ///< the s-file could not be moved into SHAPES
    MovedFileNotVisible, ///< the moved s-file did not show up in SHAPES within 10 s
    Failed,              ///< a file operation failed; the log names the file and the reason
    FolderBusy,          ///< another run holds the model folder; nothing was done
};

/// What the run works with. All references must outlive the run's task.
struct RunServices {
    ProgramState& state;
    CommandHost& host;
    RunView& view;
    FileSystem& fileSystem;
    const Clock& clock;
    ProcessStarter& processes;
    /// The user's decimal separator, for the seconds of the wait.
    char decimalSeparator = userDecimalSeparator();
};

/// The run as one command. A host with an event loop drives it so: resume it;
/// unless it is done, resume it again after `requestedWait()` seconds (or on
/// the next turn of the loop when that is 0), handling events meanwhile. To
/// quit during a run, destroy the task.
///
/// `choices` are the controls' values when the run
/// starts. Every end but the cancel end leaves through the end sequence, which
/// unlocks the window; the cancel end unlocks it itself. Destroying the task
/// before its end (the program quits during a wait) calls nothing more on the
/// host. The result is a RunEnd.
CommandTask runConversion(RunServices services, RunChoices choices);

/// Waits, yielding, until `condition()` holds (true) or `limitSeconds` passed
/// on the clock (false).
template <class Condition>
Task<bool> waitUntil(const Clock& clock, double limitSeconds, Condition condition) {
    const double deadline = clock.now() + limitSeconds;
    for (;;) {
        if (condition()) co_return true;
        if (clock.now() >= deadline) co_return false;
        co_await yieldFor(0.05);
    }
}

} // namespace quillfen
