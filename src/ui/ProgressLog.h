#pragma once
// The progress log `txtAusgabe`: each new line goes on top, and every change
// repaints the window at once, so a line shows while the command that wrote it
// is still running.

#include <functional>
#include <string>

class QPlainTextEdit;

namespace quillfen::ui {

class ProgressLog {
public:
    /// `repaintWindow` repaints the whole window after each change.
    ProgressLog(QPlainTextEdit* box, std::function<void()> repaintWindow);

    /// The log rule: new text = line, CR, LF, old text.
    void SchreibeAusgabe(const std::string& line);
    /// The whole log text, lines joined by CR LF, newest first.
    [[nodiscard]] const std::string& text() const { return m_text; }
    /// Replaces the whole log text (the live progress line rewrites the top line).
    void setText(const std::string& text);

private:
    void show();

    QPlainTextEdit* m_box;
    std::function<void()> m_repaintWindow;
    std::string m_text;
};

} // namespace quillfen::ui
