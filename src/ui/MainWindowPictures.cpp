#include "ui/MainWindowPictures.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace quillfen::ui {

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QPixmap drawGermanFlag(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    const int w = size.width();
    const int h = size.height();
    painter.fillRect(0, 0, w, h / 3, QColor(0, 0, 0));
    painter.fillRect(0, h / 3, w, 2 * h / 3 - h / 3, QColor(221, 0, 0));
    painter.fillRect(0, 2 * h / 3, w, h - 2 * h / 3, QColor(255, 206, 0));
    return pixmap;
}

QPixmap drawEnglishFlag(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(1, 33, 105));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const qreal unit = h / 30.0; // the flag is 60 by 30 units
    const QLineF diagonals[] = {QLineF(0, 0, w, h), QLineF(0, h, w, 0)};
    painter.setPen(QPen(Qt::white, 6 * unit));
    for (const auto& line : diagonals) painter.drawLine(line);
    painter.setPen(QPen(QColor(200, 16, 46), 2 * unit));
    for (const auto& line : diagonals) painter.drawLine(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(0, h / 2 - 5 * unit, w, 10 * unit));
    painter.drawRect(QRectF(w / 2 - 5 * unit, 0, 10 * unit, h));
    painter.setBrush(QColor(200, 16, 46));
    painter.drawRect(QRectF(0, h / 2 - 3 * unit, w, 6 * unit));
    painter.drawRect(QRectF(w / 2 - 3 * unit, 0, 6 * unit, h));
    return pixmap;
}

} // namespace quillfen::ui
