#pragma once
// The main window `frmHaupt`: every control under its documented object name
// (members of a control array share the name and carry an "index" property)
// and reached through the typed WindowControls, the window load, the language switch, the progress log, the
// control lock, the busy display, the settings applied through the controls, the resize rules and the quit
// procedure. The choice controls' own reactions are connected by installChoiceHandlers (ui/ChoiceHandlers.h).

#include "app/ConverterSearch.h"
#include "app/RunChoices.h"
#include "bbox/GeometryTables.h"
#include "core/CommandHost.h"
#include "core/ProgramState.h"
#include "core/Task.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "settings/SavedSettings.h"
#include "ui/Layout.h"
#include "ui/WindowControls.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QScrollArea;

namespace quillfen::ui {

/// A check box's value as the program counts it: 0 clear, 1 checked, 2 grey
/// (Qt numbers them 0 clear, 1 grey, 2 checked).
[[nodiscard]] int checkValue(Qt::CheckState state);
/// The check state of a value 0, 1 or 2 (any other value reads as clear).
[[nodiscard]] Qt::CheckState checkStateOf(int value);

class BusyDisplay;
class ChoiceHandlers;
class ControlLock;
class Dialogs;
class ProgressLog;
class WindowHost;

/// What the window needs from the world. Every member may stay empty; the
/// window then uses the machine's own (local files, real clock, desktop
/// dialogs, process start, QCoreApplication::exit).
struct WindowServices {
    FileSystem* fileSystem = nullptr;
    Dialogs* dialogs = nullptr;
    const Clock* clock = nullptr;
    ProcessStarter* processes = nullptr;
    /// Where the converter search looks (the machine's own registry and folders by default).
    std::function<ConverterSearchEnvironment()> converterSearchEnvironment;
    /// When set, a long command's waits pass in this virtual time instead of
    /// real time: the window moves the clock on by each wait the command asks
    /// for and resumes it at once (tests pair it with a ManualClock).
    std::function<void(double seconds)> advanceTime;
    /// Ends the program with an exit code.
    std::function<void(int exitCode)> exitProgram;
    /// The part of the screen the window may take (the available geometry of
    /// the window's screen by default).
    std::function<QRect()> screenArea;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// `workingDirectory` becomes `gstrProgrammPfad` at load.
    explicit MainWindow(std::string workingDirectory, WindowServices services = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// The window load. Returns 0 when the window is ready for work, 1 when a
    /// start-up check failed: its message box was shown, nothing was saved,
    /// and the program is to end with that code.
    int load();

    // --- What the choice handlers and the long commands use ---------------
    [[nodiscard]] ProgramState& state() { return m_state; }
    [[nodiscard]] const ProgramState& state() const { return m_state; }
    [[nodiscard]] FileSystem& fileSystem() { return *m_fileSystem; }
    [[nodiscard]] Dialogs& dialogs() { return *m_dialogs; }
    [[nodiscard]] const Clock& clock() const { return *m_clock; }
    [[nodiscard]] ProgressLog& progressLog() { return *m_log; }
    [[nodiscard]] CommandHost& host();
    [[nodiscard]] BusyDisplay& busyDisplay() { return *m_busy; }

    /// The controls, typed and named as in the design.
    [[nodiscard]] const WindowControls& ui() const { return m_ui; }
    /// Every control (widgets and timers) in the window's enumeration order.
    [[nodiscard]] QList<QObject*> controls() const { return m_controls; }

    // --- Language ----------------------------------------------------------
    /// Stores the language and writes its captions, tooltips, start-up
    /// message texts, the LOD count caption and the two layout values.
    void SetzeSprache(const std::string& language);

    // --- Progress log, control lock, busy display ---------------------------
    void SchreibeAusgabe(const std::string& line);
    void MerkeSteuerelementZustand();
    void SperreSteuerelemente(bool enabled, std::string_view prefixes, std::string_view exceptions);
    void StelleSteuerelementeWiederHer(std::string_view prefixes, std::string_view exceptions);

    // --- Settings -----------------------------------------------------------
    /// Moves saved settings into the controls; each control's own reaction runs, as a user's choice would.
    void applySavedSettings(const SavedSettings& saved);
    /// The saved settings as the controls hold them now.
    [[nodiscard]] SavedSettings savedSettingsFromControls() const;

    // --- Quitting -----------------------------------------------------------
    /// The quit procedure (endSession): validate the box, write the settings
    /// (a failed write shows its message box), remove a converter that was
    /// not there at start, end. Runs once, however the
    /// window is closed.
    void quit();
    [[nodiscard]] bool hasQuit() const { return m_quitDone; }

    // --- Long commands ------------------------------------------------------
    /// Drives `task` from the event loop, resuming it after each requested wait.
    /// Returns false (and drops the task) while another command runs.
    bool startCommand(CommandTask task);
    [[nodiscard]] bool commandRunning() const { return m_task.valid() && !m_task.done(); }
    /// The user's choices as the controls hold them now.
    [[nodiscard]] RunChoices runChoices() const;
    /// Starts the conversion run (the mouse-up of cmdErzeugeShape).
    void startConversion();
    /// Starts the bounding-box command (the click of cmdBBoxAusShape).
    void startBoxCommand();
    /// The bounding-box flag: set only while the bounding-box command runs, so
    /// that the display line txtBBox keeps the messages the command writes there.
    [[nodiscard]] bool boundingBoxFlag() const { return m_boundingBoxFlag; }
    void setBoundingBoxFlag(bool set) { m_boundingBoxFlag = set; }
    /// Starts tmrBBoxLabel, which gives the display line its normal colour back.
    void startBoxLabelTimer(int milliseconds);

    // --- Layout -------------------------------------------------------------
    [[nodiscard]] TwipRect twipGeometry(const std::string& name, int index = -1) const;
    void setTwipGeometry(const std::string& name, int index, const TwipRect& rect);
    [[nodiscard]] LoadSizes loadSizes() const { return m_loadSizes; }
    /// The size the controls are laid out in (twips): the window's client
    /// area, but never less than minimumLayoutSize(); a smaller window
    /// scrolls its content.
    [[nodiscard]] WindowSize twipSize() const;
    /// Set at load: the command row and three lines of the log stay visible.
    [[nodiscard]] WindowSize minimumLayoutSize() const { return m_minimumLayout; }
    void resizeTwips(int width, int height);
    [[nodiscard]] double layoutDpi() const;

    /// Runs at the end of the window load (the blink of ticked test options).
    void addLoadFinishedHook(std::function<void()> hook);

signals:
    /// The quit procedure has run.
    void quitFinished();
    /// A long command has ended.
    void commandFinished();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // MainWindowBuild.cpp
    void buildScrolledContent();
    void buildControls();
    QWidget* buildWidget(const DesignPosition& position, QWidget* parent);
    void registerControl(QObject* control, const char* name, int index);
    void bindControls();
    void applyDesignTexts();
    void connectWindowReactions();
    // MainWindowLayout.cpp
    void applyGeometry();
    void onResize();
    [[nodiscard]] int twipsToPixelsAtLeast(int twips) const;
    [[nodiscard]] QRect screenArea() const;
    [[nodiscard]] int logMinimumHeight() const;
    void setMinimumLayout();
    void fitToScreen();
    void centreOnScreen();
    // MainWindowLanguage.cpp
    void applyLanguageLayout(Language language);
    // MainWindowLoad.cpp
    int failStartup(const std::string& title, const std::string& text);
    void fillLodList();
    void onLodRowChanged(int row);
    bool findConverter();
    // MainWindowCommands.cpp
    void scheduleResume(double seconds);
    void resumeCommand();
    void endCommandAfterFault(const std::string& what);
    void dropCommand();

    ProgramState m_state;
    std::string m_workingDirectory;
    WindowServices m_services;
    std::unique_ptr<FileSystem> m_ownFileSystem;
    std::unique_ptr<Dialogs> m_ownDialogs;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<ProcessStarter> m_ownProcesses;
    FileSystem* m_fileSystem = nullptr;
    Dialogs* m_dialogs = nullptr;
    const Clock* m_clock = nullptr;
    ProcessStarter* m_processes = nullptr;

    /// The controls stand on m_content, which scrolls when the window is
    /// smaller than the minimum layout (a low screen).
    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    WindowSize m_minimumLayout{kDesignWidth, kMinimumHeight};
    bool m_fittedWithFrame = false;

    QList<QObject*> m_controls;
    WindowControls m_ui;
    /// The widget at each place of the layout table.
    std::map<ControlKey, QWidget*> m_placed;
    TwipLayout m_layout;
    LoadSizes m_loadSizes;
    bool m_loaded = false;
    bool m_loadFailed = false;
    bool m_quitDone = false;

    std::unique_ptr<ProgressLog> m_log;
    std::unique_ptr<ControlLock> m_lock;
    BusyDisplay* m_busy = nullptr;
    std::unique_ptr<WindowHost> m_host;
    std::vector<std::function<void()>> m_loadFinishedHooks;
    ChoiceHandlers* m_choiceHandlers = nullptr;

    /// Declared before the task, which refers to them while it runs.
    GeometryTables m_geometryTables;
    bool m_boundingBoxFlag = false;
    CommandTask m_task;
    QTimer m_resumeTimer;
    bool m_resuming = false;
    bool m_dropTaskAfterResume = false;
};

} // namespace quillfen::ui
