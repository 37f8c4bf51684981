// The main window's geometry: twips to pixels, the resize rules, the
// minimum layout that scrolls on a low screen, and the fit and centring at load.

#include "ui/MainWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

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
    return {pixelsToTwips(m_content->width(), dpi), pixelsToTwips(m_content->height(), dpi)};
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The scroll area gives the content the window's size or the minimum
    // layout, whichever is larger; the controls follow the content.
    if (watched == m_content && event->type() == QEvent::Resize) onResize();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager tells the size of its frame only once the window is
    // placed, after the load: the fit to the screen is made again with it.
    if (!m_loaded || m_fittedWithFrame || frameGeometry().size() == size()) return;
    m_fittedWithFrame = true;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
    setMinimumLayout();
    fitToScreen();
    centreOnScreen();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) onResize();
}

void MainWindow::onResize() {
    if (!m_loaded) return;
    if (windowState() & Qt::WindowMinimized) return;
    const WindowSize size = twipSize();
    applyResizeRules(m_layout, size.width, size.height, m_loadSizes);
    applyGeometry();
}

QRect MainWindow::screenArea() const {
    if (m_services.screenArea) return m_services.screenArea();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

int MainWindow::logMinimumHeight() const {
    constexpr int kVisibleLogLines = 3;
    const QPlainTextEdit* log = m_ui.txtAusgabe;
    // The frame, and the scroll bar that a long line brings up.
    const int chrome = 2 * log->frameWidth() + log->horizontalScrollBar()->sizeHint().height();
    const int margins = 2 * static_cast<int>(std::ceil(log->document()->documentMargin()));
    const int pixels = chrome + margins + kVisibleLogLines * log->fontMetrics().lineSpacing();
    return static_cast<int>(std::ceil(pixels * 1440.0 / layoutDpi()));
}

void MainWindow::setMinimumLayout() {
    m_minimumLayout = ui::minimumLayoutSize(m_loadSizes, logMinimumHeight());
    const QSize content(twipsToPixelsAtLeast(m_minimumLayout.width),
                        twipsToPixelsAtLeast(m_minimumLayout.height));
    m_content->setMinimumSize(content);
    // The window itself may be smaller where the screen is: its content then
    // scrolls, and the window is wider by the scroll bar, so that only the
    // height scrolls where the width fits.
    const QRect area = screenArea();
    if (area.isEmpty()) return setMinimumSize(content);
    const QSize room = area.size() - (frameGeometry().size() - size());
    QSize window = content;
    if (content.height() > room.height())
        window.rwidth() += m_scroll->verticalScrollBar()->sizeHint().width();
    setMinimumSize(window.boundedTo(room));
}

void MainWindow::fitToScreen() {
    const QRect area = screenArea();
    if (area.isEmpty()) return;
    const QSize frame = frameGeometry().size() - size();
    const QSize fitting = size().boundedTo(area.size() - frame);
    if (fitting != size()) resize(fitting);
}

void MainWindow::centreOnScreen() {
    const QRect area = screenArea();
    if (area.isEmpty()) return;
    const double left = area.width() / 2.0 - frameGeometry().width() / 2.0;
    const double top = area.height() / 2.0 - frameGeometry().height() / 2.0;
    // A window taller than the screen keeps its title bar on the screen.
    move(area.left() + static_cast<int>(left), area.top() + std::max(0, static_cast<int>(top)));
}

} // namespace quillfen::ui
