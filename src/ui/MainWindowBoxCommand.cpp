// The bounding-box command started from the window: it runs like the
// conversion run, driven from the event loop, with the window's geometry
// tables, and the colour timer of the display line follows the window's time.

#include "bbox/BoxCommand.h"
#include "ui/MainWindow.h"
#include "ui/WindowHost.h"

#include <QTimer>

namespace quillfen::ui {

void MainWindow::startBoxCommand() {
    if (commandRunning()) return;
    startCommand(cmdBBoxAusShape(m_state, m_geometryTables, *m_fileSystem, *m_host, *m_host));
}

void MainWindow::startBoxLabelTimer(int milliseconds) {
    QTimer* timer = m_ui.tmrBBoxLabel;
    if (m_services.advanceTime) {
        // In virtual time the wait passes at once, as a command's waits do.
        m_services.advanceTime(milliseconds / 1000.0);
        timer->start(0);
        return;
    }
    timer->start(milliseconds);
}

} // namespace quillfen::ui
