#pragma once
// frmHelp: the help window beside the main window, one instance for the whole
// program, not modal, reused on every further call.

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace quillfen::ui {

class HelpWindow final : public QWidget {
public:
    /// A window of its own (not a child area of `owner`), closed with it.
    explicit HelpWindow(QWidget* owner);

    /// Shows the window, or brings it to the front when it is already open.
    void showAndRaise();
    /// Puts `text` (lines ending in CR LF) into the text box Text1.
    void setHelpText(const std::string& text);
    /// The text of Text1 as shown (lines end in LF).
    [[nodiscard]] QString helpText() const;
    /// Whether line `line` (from 0) of Text1 is shown in a fixed-pitch font.
    [[nodiscard]] bool isFixedPitchLine(int line) const;

private:
    void showExampleLinesFixedPitch();

    QPlainTextEdit* m_text;
};

} // namespace quillfen::ui
