#include "run/ConversionRunConsole.h"

#include "platform/Text.h"

namespace quillfen {

namespace {

/// A log or message text as console lines: CR LF and lone CRs become line ends.
std::string consoleText(const std::string& text) {
    return replaceAll(replaceAll(text, "\r\n", "\n"), "\r", "\n");
}

} // namespace

ConsoleHost::ConsoleHost(std::ostream& out, std::ostream& err, bool terminal)
    : m_out(out), m_err(err), m_terminal(terminal) {}

ConsoleHost::~ConsoleHost() {
    finishProgressLine();
}

void ConsoleHost::log(const std::string& line) {
    finishProgressLine();
    m_text = line + "\r\n" + m_text;
    m_out << consoleText(line) << '\n' << std::flush;
}

void ConsoleHost::setLogText(const std::string& text) {
    m_text = text;
    // While the converter is awaited only the top line changes.
    m_progress = text.substr(0, text.find("\r\n"));
    if (m_terminal) m_out << '\r' << *m_progress << "\x1b[K" << std::flush;
}

void ConsoleHost::showMessage(const std::string& title, const std::string& text) {
    finishProgressLine();
    m_err << title << ":\n" << consoleText(text) << '\n' << std::flush;
}

bool ConsoleHost::askYesNo(const std::string& title, const std::string& text) {
    showMessage(title, text);
    m_err << "(no answer possible here: No)\n" << std::flush;
    return false;
}

void ConsoleHost::setBusyDisplay(bool /*running*/) {
    finishProgressLine();
}

void ConsoleHost::finishProgressLine() {
    if (!m_progress) return;
    if (!m_terminal) m_out << *m_progress;
    m_out << '\n' << std::flush;
    m_progress.reset();
}

} // namespace quillfen
