#include "ui/ProgressLog.h"

#include "platform/Text.h"

#include <QPlainTextEdit>

namespace quillfen::ui {

ProgressLog::ProgressLog(QPlainTextEdit* box, std::function<void()> repaintWindow)
    : m_box(box), m_repaintWindow(std::move(repaintWindow)) {}

void ProgressLog::SchreibeAusgabe(const std::string& line) {
    setText(line + "\r\n" + m_text);
}

void ProgressLog::setText(const std::string& text) {
    m_text = text;
    show();
}

void ProgressLog::show() {
    // The box shows lines broken at LF; the log keeps its CR LF text for
    // whoever reads it back.
    const std::string shown = replaceAll(replaceAll(m_text, "\r\n", "\n"), "\r", "\n");
    m_box->setPlainText(QString::fromStdString(shown));
    if (m_repaintWindow) m_repaintWindow();
}

} // namespace quillfen::ui
