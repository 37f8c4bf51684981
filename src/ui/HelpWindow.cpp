#include "ui/HelpWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quillfen::ui {
namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), m_text(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    resize(kWidth, kHeight);
}

void HelpWindow::showAndRaise() {
    show();
    raise();
    activateWindow();
}

void HelpWindow::setHelpText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(shown);
}

QString HelpWindow::helpText() const {
    return m_text->toPlainText();
}

} // namespace quillfen::ui
