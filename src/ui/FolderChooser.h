#pragma once
// frmFolder: the small modal chooser for a copy target's route folder, with a
// drive list, a folder list, a warning line and three ways out: take the
// folder (cmdOK), take no folder (cmdNoFolder) or change nothing (cmdCancel).

#include "core/Texts.h"
#include "ui/Dialogs.h"
#include "ui/FolderChooserDrives.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quillfen {
class FileSystem;
}

namespace quillfen::ui {

/// The values the caller sets before showing the chooser and reads after it closed.
struct FolderChooserValues {
    /// The start folder; after cmdOK or cmdNoFolder the result (empty for no folder).
    std::string strPfad;
    /// True when the chooser was left with cmdCancel.
    bool blnAbgebrochen = false;
    /// The window caption to show; the design caption stays while it is empty.
    std::string strTitel;
    /// The drive-error text of the current language.
    std::string strLaufwerkFehler;
};

/// A Yes/No question; true for Yes.
using AskYesNo = std::function<bool(const std::string& title, const std::string& text)>;

/// The title and text of the question asked when a SHAPES folder is chosen as
/// a route folder; German for "deutsch", English otherwise.
[[nodiscard]] std::string shapesQuestionTitle(Language language);
[[nodiscard]] std::string shapesQuestionText(Language language, const std::string& path);

class FolderChooser final : public QDialog {
public:
    struct Setup {
        Language language = Language::English;
        /// The copy target the folder is for (0 and 1 are routes, 2 a plain folder).
        int target = 0;
        FileSystem* fileSystem = nullptr;
        AskYesNo askYesNo;
        QList<DriveEntry> drives;
    };

    FolderChooser(QWidget* owner, Setup setup);

    [[nodiscard]] FolderChooserValues& values() { return m_values; }

    /// The folder the list shows (native separators).
    [[nodiscard]] QString folderPath() const { return m_folder; }
    /// Opens `path` in the folder list; false (and nothing changes) when it is
    /// no folder that can be listed.
    bool setFolderPath(const QString& path);
    /// Selects the drive that holds `path` in the drive list.
    void setDrive(const QString& path);
    /// The drive list's current entry, or -1.
    [[nodiscard]] int currentDrive() const;
    /// Selects a drive as the user does (the folder list follows it).
    void chooseDrive(int index);

    void clickOk();
    void clickNoFolder();
    void clickCancel();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void applyLanguage();
    void applyTitle();
    void fillFolderList();
    void onDriveChanged(int index);
    void onFolderActivated(QListWidgetItem* item);

    Setup m_setup;
    FolderChooserValues m_values;
    QString m_folder;
    QComboBox* m_drives = nullptr;
    QListWidget* m_folders = nullptr;
    QLabel* m_warning = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_noFolder = nullptr;
    QPushButton* m_cancel = nullptr;
};

/// Shows the chooser modally, owned by `owner`, for `request` (start folder,
/// caption, target) and returns the user's answer. Closing it by its window
/// frame answers with the start folder.
[[nodiscard]] FolderAnswer runFolderChooser(QWidget* owner, const FolderRequest& request,
                                            FolderChooser::Setup setup);

} // namespace quillfen::ui
