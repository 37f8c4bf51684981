#pragma once
// The window's small pictures, drawn by the program itself: the two language
// flags, which answer a click, and the pictures of the busy display.

#include <QLabel>
#include <QPixmap>
#include <QSize>

namespace quillfen::ui {

/// A picture that reports a click of the left mouse button.
class ClickablePicture : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

/// The black, red and gold flag.
[[nodiscard]] QPixmap drawGermanFlag(QSize size);
/// The union flag.
[[nodiscard]] QPixmap drawEnglishFlag(QSize size);

} // namespace quillfen::ui
