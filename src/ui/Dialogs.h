#pragma once
// What the window asks of the desktop: message boxes, the folder chooser's
// answer and opening a folder or file with the desktop's own program. Tests
// put their own answers in its place, so no modal loop ever runs in a test.

#include "core/Texts.h"

#include <functional>
#include <string>

class QWidget;

namespace quillfen::ui {

/// The folder chooser's task for one copy target.
struct FolderRequest {
    std::string startFolder;
    std::string title;
    int target = 0;
};

/// What the built-in 3D view is to show.
struct ShapeViewRequest {
    std::string path;        ///< the s-file
    std::string modelFolder; ///< where the search for its textures starts
    Language language = Language::English;
};

/// The chooser's answer: the folder chosen (empty for "no folder"), or cancelled.
struct FolderAnswer {
    bool cancelled = true;
    std::string path;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// A message box with an OK button; an empty title shows the program's name.
    /// Lines of `text` are joined by CR.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    /// A message box with Yes and No and a question icon; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
    /// Runs the folder chooser modally.
    virtual FolderAnswer chooseFolder(const FolderRequest& request) = 0;
    /// Opens a folder or file with the desktop's program for it; false when
    /// that program could not be started.
    virtual bool openWithDesktop(const std::string& path) = 0;
    /// Opens the built-in 3D view on a shape; a shape that cannot be read gives
    /// a message instead.
    virtual void showShapeView(const ShapeViewRequest& request) = 0;
};

/// The desktop's own dialogs, owned by the main window.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner);

    void showMessage(const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;
    FolderAnswer chooseFolder(const FolderRequest& request) override;
    bool openWithDesktop(const std::string& path) override;
    void showShapeView(const ShapeViewRequest& request) override;

    /// The folder chooser to run; without one the chooser answers "cancelled".
    void setFolderChooser(std::function<FolderAnswer(const FolderRequest&)> chooser);

private:
    QWidget* m_owner;
    std::function<FolderAnswer(const FolderRequest&)> m_chooser;
};

/// The program's name, the title of boxes that have none of their own.
inline constexpr const char* kProgramName = "Quillfen";

/// A message text as a box shows it: each CR (alone or before LF) breaks the line.
[[nodiscard]] std::string messageBoxText(const std::string& text);

} // namespace quillfen::ui
