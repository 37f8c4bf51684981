#pragma once
// What a long command (the conversion run, the bounding-box command) asks of
// whatever shows it: the main window, the command-line front end or a test.
// The command never touches a widget; it talks to the world through this.

#include "core/LogSink.h"

#include <string>

namespace quillfen {

enum class MessageAnswer { Ok, Yes, No };

class CommandHost : public LogSink {
public:
    /// The whole text of the progress log (lines joined by CR LF, newest first).
    [[nodiscard]] virtual std::string logText() const = 0;
    /// Replaces the whole text of the progress log (the live progress line).
    virtual void setLogText(const std::string& text) = 0;

    /// A message box with an OK button.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;
    /// A message box with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;

    /// Hourglass (true) or arrow (false).
    virtual void setBusyCursor(bool busy) = 0;
    /// Locks every control but the log and the quit button, saving their states.
    virtual void lockControls() = 0;
    /// Gives every locked control its saved state back.
    virtual void releaseControls() = 0;
    /// Starts (true) or stops (false) the busy animation.
    virtual void setBusyDisplay(bool running) = 0;
    /// Enables or disables the cancel button.
    virtual void setCancelEnabled(bool enabled) = 0;
};

} // namespace quillfen
