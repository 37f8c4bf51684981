#include "ui/WindowHost.h"

#include "platform/Numbers.h"

#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgressLog.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace quillfen::ui {

WindowHost::~WindowHost() {
    setBusyCursor(false);
}

void WindowHost::log(const std::string& line) {
    m_window.SchreibeAusgabe(line);
}

std::string WindowHost::logText() const {
    return m_window.progressLog().text();
}

void WindowHost::setLogText(const std::string& text) {
    m_window.progressLog().setText(text);
}

void WindowHost::showMessage(const std::string& title, const std::string& text) {
    m_window.dialogs().showMessage(title, text);
}

bool WindowHost::askYesNo(const std::string& title, const std::string& text) {
    return m_window.dialogs().askYesNo(title, text);
}

void WindowHost::setBusyCursor(bool busy) {
    // On the main window only: the message boxes a command shows keep the normal pointer.
    if (busy == m_busyCursor) return;
    m_busyCursor = busy;
    if (busy)
        m_window.setCursor(Qt::WaitCursor);
    else
        m_window.unsetCursor();
}

void WindowHost::lockControls() {
    m_window.SperreSteuerelemente(false, kLockPrefixes, kLockExceptions);
}

void WindowHost::releaseControls() {
    m_window.StelleSteuerelementeWiederHer(kLockPrefixes, kLockExceptions);
}

void WindowHost::setBusyDisplay(bool running) {
    if (running)
        m_window.busyDisplay().start();
    else
        m_window.busyDisplay().stop();
}

void WindowHost::setCancelEnabled(bool enabled) {
    m_window.ui().cmdAbbruch->setEnabled(enabled);
}

void WindowHost::showBoundingBox(const std::string& input, const std::string& displayLine) {
    m_window.ui().txtBBoxInput->setText(QString::fromStdString(input));
    m_window.ui().txtBBox->setText(QString::fromStdString(displayLine));
}

std::string WindowHost::sFileNameText() const {
    return m_window.ui().txtSDateiName->text().toStdString();
}

void WindowHost::setBoxInputText(const std::string& text) {
    auto* input = m_window.ui().txtBBoxInput;
    const QString values = QString::fromStdString(text);
    // The display line is rebuilt by the input's change handling, which must
    // also run when the values are the ones already there: a message of an
    // earlier command may still stand in the line.
    if (input->text() == values)
        emit input->textChanged(values);
    else
        input->setText(values);
}

void WindowHost::setBoundingBoxFlag(bool running) {
    m_window.setBoundingBoxFlag(running);
}

void WindowHost::showBoxMessage(const std::string& text, int resetAfterMilliseconds) {
    auto* line = m_window.ui().txtBBox;
    line->setText(QString::fromStdString(text));
    QPalette palette = line->palette();
    palette.setColor(QPalette::Text, QColor(255, 0, 0));
    line->setPalette(palette);
    m_window.startBoxLabelTimer(resetAfterMilliseconds);
}

char WindowHost::decimalSeparator() const {
    return userDecimalSeparator();
}

} // namespace quillfen::ui
