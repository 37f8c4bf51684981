#pragma once
// The busy display: four pictures that take turns at the place of the first
// one while a long command runs (`tmrBlinken`, 100 ms), and a watchdog
// (`Timer1`, 500 ms, running for the window's whole life) that hides them
// whenever the animation is stopped.

#include <QObject>
#include <QPixmap>
#include <QSize>

#include <array>
#include <functional>

class QTimer;
class QWidget;

namespace quillfen::ui {

class BusyDisplay : public QObject {
    Q_OBJECT
public:
    /// `pictures` are imgRunning01..04; `repaint` repaints the window.
    BusyDisplay(std::array<QWidget*, 4> pictures, QTimer* tmrBlinken, QTimer* timer1,
                std::function<void()> repaint, QObject* parent = nullptr);

    /// Starts the animation (and makes sure the watchdog runs).
    void start();
    /// Stops the animation; the watchdog hides the pictures at its next tick.
    void stop();
    /// The animation's interval in ms; 0 while it is stopped.
    [[nodiscard]] int blinkInterval() const;

    /// One step of the animation: the next picture shows at the first one's place.
    void onBlinkTick();
    /// Hides all pictures while the animation is stopped.
    void onWatchdogTick();

    /// Picture `number` (1..4) of the animation, drawn by the program: a ring
    /// whose bright quarter turns a quarter further with each picture.
    [[nodiscard]] static QPixmap drawPicture(int number, QSize size);

private:
    std::array<QWidget*, 4> m_pictures;
    QTimer* m_blink;
    QTimer* m_watchdog;
    std::function<void()> m_repaint;
};

} // namespace quillfen::ui
