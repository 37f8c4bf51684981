#pragma once
// The reactions of the main window's choice controls: the test options, the
// s-file name box and reference fields, the alternative-texture options, the
// mipmap combo box and its help window, the bounding-box entry and the copy
// targets with their folder chooser.
//
// The handlers find the controls by object name (control arrays share one name
// and carry an "index" property) and listen to value-changed signals, so a value
// set from code (restored settings) raises the same reaction as a user's click.

#include "ui/Dialogs.h"

#include <functional>
#include <string>

class QWidget;

namespace quillfen {
struct ProgramState;
class Clock;
class FileSystem;
} // namespace quillfen

namespace quillfen::ui {

class MainWindow;

/// What the handlers need from the world besides the controls. Every member
/// may be left empty; a sensible default (real clock, local file system,
/// modal chooser, a plain message box, the desktop's opener) is used then.
struct ChoiceServices {
    ProgramState* state = nullptr;
    FileSystem* fileSystem = nullptr;
    const Clock* clock = nullptr;
    /// Blocks for the given seconds without handling window events (the blink).
    std::function<void(double seconds)> wait;
    /// A Yes/No question with a question icon; true for Yes.
    std::function<bool(const std::string& title, const std::string& text)> askYesNo;
    /// Opens a folder, or a file with the program associated with it.
    std::function<void(const std::string& path)> openWithDesktop;
    /// Runs the folder chooser frmFolder modally for one copy target.
    std::function<FolderAnswer(const FolderRequest& request)> chooseFolder;
    /// True while the bounding-box command writes its messages into the display line.
    std::function<bool()> boxCommandRunning;
    /// Opens the built-in 3D view on a shape file; left empty, shapes go to the desktop.
    std::function<void(const std::string& path)> openShapeView;
    /// True when the desktop has a program of its own for shape files (only ever on Windows).
    std::function<bool()> desktopHasShapeProgram;
};

/// Connects every choice control of the main window. Called once, after the
/// controls exist and before the settings are restored.
void installChoiceHandlers(MainWindow& window);
/// The same for any widget tree that holds controls of those names.
void installChoiceHandlers(QWidget& root, ChoiceServices services);

/// End of the window load: a ticked test option blinks four times (2.4 s).
void BlinkeAktiveTestOptionen(QWidget& root);
/// After the settings are restored: clears chkTestOptionen when none of the
/// three options is ticked.
void KlaereTestOptionenOhneAuswahl(QWidget& root);
/// Brings txtBBoxInput into its normal form of six numbers and the display
/// line txtBBox in step with it (the validate button, the run, quitting).
void ValidiereBoundingBox(QWidget& root);

} // namespace quillfen::ui
