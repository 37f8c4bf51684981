#pragma once
// The reactions of the main window's choice controls: the test options, the
// s-file name box and reference fields, the alternative-texture options, the
// mipmap combo box and its help window, the bounding-box entry and the copy
// targets with their folder chooser.
//
// The handlers reach the controls through WindowControls and listen to
// value-changed signals, so a value set from code (restored settings) raises
// the same reaction as a user's click.

#include "ui/Dialogs.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace quillfen {
struct ProgramState;
class FileSystem;
} // namespace quillfen

namespace quillfen::ui {

class MainWindow;
class MipMapChoice;
class TestOptions;
struct WindowControls;

/// What the handlers need from the world besides the controls. Every member
/// may be left empty; a sensible default (local file system, modal chooser, a
/// plain message box, the desktop's opener) is used then.
struct ChoiceServices {
    ProgramState* state = nullptr;
    FileSystem* fileSystem = nullptr;
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

/// The handlers of one window's controls, owned by `window`.
class ChoiceHandlers final : public QObject {
public:
    /// `controls` must outlive the handlers; `window` owns them and their dialogs.
    ChoiceHandlers(const WindowControls& controls, ChoiceServices services, QWidget& window);
    ~ChoiceHandlers() override;
    ChoiceHandlers(const ChoiceHandlers&) = delete;
    ChoiceHandlers& operator=(const ChoiceHandlers&) = delete;

    /// End of the window load: a ticked test option blinks four times.
    void blinkActiveTestOption();

    [[nodiscard]] TestOptions& testOptions() { return *m_testOptions; }
    [[nodiscard]] MipMapChoice& mipMap() { return *m_mipMap; }

private:
    void fillDefaults(QWidget& window);

    ChoiceServices m_services;
    std::unique_ptr<ProgramState> m_ownState;
    std::unique_ptr<FileSystem> m_ownFileSystem;
    TestOptions* m_testOptions = nullptr;
    MipMapChoice* m_mipMap = nullptr;
};

/// Connects every choice control of the main window. Called once, after the
/// controls exist and before the settings are restored.
ChoiceHandlers* installChoiceHandlers(MainWindow& window);

} // namespace quillfen::ui
