#pragma once
// The three test options (one texture, shader "Diffuse", shader "AddATexDiff")
// behind the unlocking box chkTestOptionen: at most one is ticked, and the
// frame is locked while the box is clear. A ticked option blinks at start-up,
// so the user notices that the shape will be changed for testing.

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QTimer>

class QCheckBox;

namespace quillfen::ui {

struct WindowControls;

class TestOptions final : public QObject {
public:
    explicit TestOptions(const WindowControls& controls, QObject* parent);

    /// The blink's colour: light yellow.
    static inline const QColor kBlinkColour{255, 255, 192};
    /// Four cycles of 0.3 s yellow and 0.3 s normal.
    static constexpr int kBlinkHalfCycles = 8;
    static constexpr int kHalfCycleMs = 300;

    /// Starts the blink of the ticked option (when chkTestOptionen is ticked
    /// too). Driven by a timer; it begins once the window is on the screen.
    void blinkActiveOption();
    [[nodiscard]] bool blinking() const { return m_blinking != nullptr; }
    /// One half cycle of the blink (the timer's tick).
    void blinkStep();

private:
    void onUnlockChanged();
    void onOptionChanged(QCheckBox* option);
    [[nodiscard]] bool anyOptionTicked() const;
    void showHighlighted(bool highlighted);

    const WindowControls& m_c;
    QTimer m_blinkTimer;
    QCheckBox* m_blinking = nullptr;
    int m_halfCyclesDone = 0;
    QPalette m_normalPalette;
    bool m_normalAutoFill = false;
};

} // namespace quillfen::ui
