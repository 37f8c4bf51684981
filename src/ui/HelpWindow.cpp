#include "ui/HelpWindow.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
    showExampleLinesFixedPitch();
}

void HelpWindow::showExampleLinesFixedPitch() {
    // The before/after example lines are lined up with blanks, which only a
    // fixed-pitch font keeps in columns.
    QTextCharFormat fixedPitch;
    fixedPitch.setFontFamilies({QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    fixedPitch.setFontFixedPitch(true);
    for (QTextBlock block = m_text->document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        const bool example = line.contains(QStringLiteral("-> texture ( ")) ||
                             line.startsWith(QStringLiteral("           texture ( "));
        if (!example) continue;
        QTextCursor cursor(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.mergeCharFormat(fixedPitch);
    }
}

bool HelpWindow::isFixedPitchLine(int line) const {
    const QTextBlock block = m_text->document()->findBlockByNumber(line);
    if (!block.isValid()) return false;
    // Measured, not asked: a font the font configuration does not mark as
    // monospaced may still be one, and that is what keeps the columns.
    const QFontMetricsF metrics(block.charFormat().font());
    return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

QString HelpWindow::helpText() const {
    return m_text->toPlainText();
}

} // namespace quillfen::ui
