#include "ui/WindowHost.h"

#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/ProgressLog.h"

#include <QApplication>
#include <QLineEdit>
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

} // namespace quillfen::ui
