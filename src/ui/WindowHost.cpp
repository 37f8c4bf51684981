#include "ui/WindowHost.h"

#include "platform/Numbers.h"

#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgressLog.h"

#include <QApplication>
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
    // The override cursor stacks; keep exactly one while busy.
    if (busy == m_busyCursor) return;
    m_busyCursor = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
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
    m_window.control<QPushButton>("cmdAbbruch")->setEnabled(enabled);
}

void WindowHost::showBoundingBox(const std::string& input, const std::string& displayLine) {
    m_window.control<QLineEdit>("txtBBoxInput")->setText(QString::fromStdString(input));
    m_window.control<QLineEdit>("txtBBox")->setText(QString::fromStdString(displayLine));
}

std::string WindowHost::sFileNameText() const {
    return m_window.control<QLineEdit>("txtSDateiName")->text().toStdString();
}

void WindowHost::setBoxInputText(const std::string& text) {
    auto* input = m_window.control<QLineEdit>("txtBBoxInput");
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
    auto* line = m_window.control<QLineEdit>("txtBBox");
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
