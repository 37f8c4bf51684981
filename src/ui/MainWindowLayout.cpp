// The main window's geometry: twips to pixels, the resize rules and the
// centring at load.

#include "ui/MainWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>

#include <cmath>

namespace quillfen::ui {

double MainWindow::layoutDpi() const {
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

TwipRect MainWindow::twipGeometry(const std::string& name, int index) const {
    const auto found = m_layout.find({name, index});
    return found == m_layout.end() ? TwipRect{} : found->second;
}

void MainWindow::setTwipGeometry(const std::string& name, int index, const TwipRect& rect) {
    m_layout[{name, index}] = rect;
    const auto placed = m_placed.find({name, index});
    if (placed != m_placed.end()) {
        QWidget* widget = placed->second;
        const double dpi = layoutDpi();
        widget->setGeometry(twipsToPixels(rect.left, dpi), twipsToPixels(rect.top, dpi),
                            twipsToPixels(rect.width, dpi), twipsToPixels(rect.height, dpi));
    }
}

void MainWindow::applyGeometry() {
    for (const auto& [key, rect] : m_layout) setTwipGeometry(key.name, key.index, rect);
}

WindowSize MainWindow::twipSize() const {
    const double dpi = layoutDpi();
    return {pixelsToTwips(width(), dpi), pixelsToTwips(height(), dpi)};
}

void MainWindow::resizeTwips(int widthTwips, int heightTwips) {
    const double dpi = layoutDpi();
    resize(twipsToPixels(widthTwips, dpi), twipsToPixels(heightTwips, dpi));
}

int MainWindow::twipsToPixelsAtLeast(int twips) const {
    return static_cast<int>(std::ceil(twips * layoutDpi() / 1440.0));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    onResize();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) onResize();
}

void MainWindow::onResize() {
    if (!m_loaded) return;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) return;
    if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const WindowSize now = twipSize();
        const WindowSize snapped = snapNormalSize(now, m_loadSizes);
        // Rounded up, so that the snapped window is not a fraction of a pixel too small.
        if (snapped != now) resize(twipsToPixelsAtLeast(snapped.width), twipsToPixelsAtLeast(snapped.height));
        // The platform may refuse the new size; the layout follows the size it kept.
    }
    const WindowSize size = twipSize();
    applyResizeRules(m_layout, size.width, size.height, m_loadSizes);
    applyGeometry();
}

void MainWindow::centreOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const double left = area.width() / 2.0 - frameGeometry().width() / 2.0;
    const double top = area.height() / 2.0 - frameGeometry().height() / 2.0;
    // A window taller than the screen keeps its title bar on the screen.
    move(area.left() + static_cast<int>(left), area.top() + std::max(0, static_cast<int>(top)));
}

} // namespace quillfen::ui
