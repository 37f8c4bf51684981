#include "ui/BusyDisplay.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace quillfen::ui {

namespace {
constexpr int kBlinkMs = 100;
constexpr int kWatchdogMs = 500;
} // namespace

BusyDisplay::BusyDisplay(std::array<QWidget*, 4> pictures, QTimer* tmrBlinken, QTimer* timer1,
                         std::function<void()> repaint, QObject* parent)
    : QObject(parent), m_pictures(pictures), m_blink(tmrBlinken), m_watchdog(timer1),
      m_repaint(std::move(repaint)) {
    m_blink->setInterval(kBlinkMs);
    m_watchdog->setInterval(kWatchdogMs);
    connect(m_blink, &QTimer::timeout, this, &BusyDisplay::onBlinkTick);
    connect(m_watchdog, &QTimer::timeout, this, &BusyDisplay::onWatchdogTick);
    m_watchdog->start();
}

void BusyDisplay::start() {
    if (!m_watchdog->isActive()) m_watchdog->start(kWatchdogMs);
    m_blink->start(kBlinkMs);
}

void BusyDisplay::stop() {
    m_blink->stop();
}

int BusyDisplay::blinkInterval() const {
    return m_blink->isActive() ? m_blink->interval() : 0;
}

void BusyDisplay::onBlinkTick() {
    auto& [first, second, third, fourth] = m_pictures;
    const QPoint place = first->pos();
    bool advance = true;
    // The checks run from the last picture down, so exactly one step happens per tick.
    if (!fourth->isHidden()) {
        fourth->hide();
        first->show();
        advance = false;
    }
    if (!third->isHidden()) {
        third->hide();
        fourth->move(third->pos());
        fourth->show();
        advance = false;
    }
    if (!second->isHidden()) {
        second->hide();
        third->move(second->pos());
        third->show();
        advance = false;
    }
    if (advance) {
        first->hide();
        second->move(place);
        second->show();
    }
    if (m_repaint) m_repaint();
}

void BusyDisplay::onWatchdogTick() {
    if (blinkInterval() != 0) return;
    for (QWidget* picture : m_pictures) picture->hide();
}

QPixmap BusyDisplay::drawPicture(int number, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(size.width(), size.height());
    const int pen = std::max(2, side / 6);
    const QRectF ring((size.width() - side) / 2.0 + pen, (size.height() - side) / 2.0 + pen, side - 2.0 * pen,
                      side - 2.0 * pen);
    painter.setPen(QPen(QColor(200, 200, 200), pen, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(ring);
    painter.setPen(QPen(QColor(30, 110, 200), pen, Qt::SolidLine, Qt::FlatCap));
    // Qt counts angles in 1/16 degree, counter-clockwise from three o'clock;
    // the bright quarter turns clockwise from twelve o'clock.
    const int startDegrees = 90 - (number - 1) * 90;
    painter.drawArc(ring, startDegrees * 16, -90 * 16);
    return pixmap;
}

} // namespace quillfen::ui
