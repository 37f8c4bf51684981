#pragma once
// The main window as the host of a long command: the command's log lines,
// message boxes, mouse pointer, lock, busy display and cancel button all go
// to the window's own services, and so do the box command's s-file name,
// box values and display-line messages.

#include "bbox/BoxCommandView.h"
#include "core/CommandHost.h"
#include "run/RunView.h"

namespace quillfen::ui {

class MainWindow;

class WindowHost final : public CommandHost, public RunView, public BoxCommandView {
public:
    explicit WindowHost(MainWindow& window) : m_window(window) {}
    ~WindowHost() override;
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    void log(const std::string& line) override;
    [[nodiscard]] std::string logText() const override;
    void setLogText(const std::string& text) override;
    void showMessage(const std::string& title, const std::string& text) override;
    bool askYesNo(const std::string& title, const std::string& text) override;
    void setBusyCursor(bool busy) override;
    void lockControls() override;
    void releaseControls() override;
    void setBusyDisplay(bool running) override;
    void setCancelEnabled(bool enabled) override;

    void showBoundingBox(const std::string& input, const std::string& displayLine) override;

    [[nodiscard]] std::string sFileNameText() const override;
    void setBoxInputText(const std::string& text) override;
    void setBoundingBoxFlag(bool running) override;
    void showBoxMessage(const std::string& text, int resetAfterMilliseconds) override;
    [[nodiscard]] char decimalSeparator() const override;

    /// Whether the hourglass is showing.
    [[nodiscard]] bool busyCursor() const { return m_busyCursor; }

private:
    MainWindow& m_window;
    bool m_busyCursor = false;
};

} // namespace quillfen::ui
