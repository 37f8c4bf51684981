#pragma once
// The progress log on a console, for the command line: each line printed as
// it is logged (oldest first), message boxes on the error stream. The wait's
// live progress line is rewritten in place on a terminal; printed to a file or
// a pipe it appears once, at its last value.

#include "core/CommandHost.h"

#include <optional>
#include <ostream>
#include <string>

namespace quillfen {

class ConsoleHost final : public CommandHost {
public:
    /// `terminal`: `out` is a terminal that understands a carriage return.
    ConsoleHost(std::ostream& out, std::ostream& err, bool terminal);
    ~ConsoleHost() override;
    ConsoleHost(const ConsoleHost&) = delete;
    ConsoleHost& operator=(const ConsoleHost&) = delete;

    void log(const std::string& line) override;
    [[nodiscard]] std::string logText() const override { return m_text; }
    void setLogText(const std::string& text) override;
    void showMessage(const std::string& title, const std::string& text) override;
    /// Nobody can answer here: the question is shown and answered No.
    bool askYesNo(const std::string& title, const std::string& text) override;
    void setBusyCursor(bool /*busy*/) override {}
    void lockControls() override {}
    void releaseControls() override {}
    void setBusyDisplay(bool running) override;
    void setCancelEnabled(bool /*enabled*/) override {}

private:
    /// Ends a pending progress line before anything else is printed.
    void finishProgressLine();

    std::ostream& m_out;
    std::ostream& m_err;
    bool m_terminal;
    std::string m_text;
    std::optional<std::string> m_progress;
};

} // namespace quillfen
