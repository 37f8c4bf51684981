// Driving a long command from the event loop: the window resumes the command
// from a single-shot timer after each wait it asks for, so no event loop is
// ever nested, and closing the window during a wait simply drops the command.

#include "app/Session.h"
#include "run/ConversionRun.h"
#include "ui/BusyDisplay.h"
#include "ui/ControlLock.h"
#include "ui/MainWindow.h"
#include "ui/WindowHost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include <cmath>
#include <exception>

namespace quillfen::ui {

bool MainWindow::startCommand(CommandTask task) {
    if (commandRunning() || m_quitDone) return false;
    m_task = std::move(task);
    scheduleResume(0.0);
    return true;
}

void MainWindow::scheduleResume(double seconds) {
    if (m_services.advanceTime) {
        m_services.advanceTime(seconds);
        m_resumeTimer.start(0);
        return;
    }
    const double milliseconds = std::clamp(seconds * 1000.0, 0.0, 3600.0 * 1000.0);
    m_resumeTimer.start(static_cast<int>(std::lround(milliseconds)));
}

void MainWindow::resumeCommand() {
    if (!m_task.valid()) return;
    bool ended = true;
    m_resuming = true;
    try {
        ended = m_task.resume();
    } catch (const std::exception& fault) {
        endCommandAfterFault(fault.what());
    } catch (...) {
        endCommandAfterFault("unknown fault");
    }
    m_resuming = false;
    if (m_dropTaskAfterResume) {
        m_dropTaskAfterResume = false;
        m_task.reset();
        return;
    }
    if (!ended) {
        scheduleResume(m_task.requestedWait());
        return;
    }
    m_task.reset();
    emit commandFinished();
}

void MainWindow::endCommandAfterFault(const std::string& what) {
    // A command that throws has left its own end sequence behind: give the
    // window back to the user and say what happened.
    SchreibeAusgabe("\xe2\x80\xa2" + what);
    m_host->setCancelEnabled(false);
    m_host->setBusyDisplay(false);
    m_host->setBusyCursor(false);
    m_host->releaseControls();
}

void MainWindow::dropCommand() {
    m_resumeTimer.stop();
    // A command cannot be destroyed from inside itself (a message box it shows
    // runs the event loop); it is dropped as soon as it yields.
    if (m_resuming)
        m_dropTaskAfterResume = true;
    else
        m_task.reset();
    m_host->setBusyCursor(false);
    // A dropped box command no longer writes into the display line.
    m_boundingBoxFlag = false;
}

RunChoices MainWindow::runChoices() const {
    RunOnlyChoices runOnly;
    runOnly.txtSDateiName = m_ui.txtSDateiName->text().toStdString();
    for (int row = 0; row < m_ui.lstLODListe->count(); ++row)
        runOnly.lodRowChecked.push_back(m_ui.lstLODListe->item(row)->checkState() != Qt::Unchecked);
    runOnly.chkCMD_sichtbar = checkValue(m_ui.chkCMD_sichtbar->checkState());
    runOnly.chkTextureCopy = checkValue(m_ui.chkTextureCopy->checkState());
    return runChoicesFrom(savedSettingsFromControls(), std::move(runOnly));
}

void MainWindow::startConversion() {
    if (commandRunning()) return;
    startCommand(runConversion(RunServices{m_state, *m_host, *m_host, *m_fileSystem, *m_clock, *m_processes},
                               runChoices()));
}

} // namespace quillfen::ui
