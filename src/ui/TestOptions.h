#pragma once
// The three test options (one texture, shader "Diffuse", shader "AddATexDiff")
// behind the unlocking box chkTestOptionen: at most one is ticked, and the
// frame is locked while the box is clear.

#include <QObject>

#include <functional>

class QCheckBox;
class QWidget;

namespace quillfen {
class Clock;
}

namespace quillfen::ui {

class TestOptions final : public QObject {
public:
    /// `wait` blocks for the given seconds without handling window events.
    TestOptions(QWidget& root, const Clock& clock, std::function<void(double seconds)> wait);

    /// After the settings are restored: clears chkTestOptionen when none of
    /// the three options is ticked (which also locks the frame).
    void clearWithoutChoice();
    /// Lets the ticked option blink four times, 2.4 s in all, so the user
    /// notices that the shape will be changed for testing.
    void blinkActiveOption();

private:
    void onUnlockChanged();
    void onOptionChanged(QCheckBox* option);
    void blink(QCheckBox* option);
    [[nodiscard]] bool anyOptionTicked() const;

    QWidget& m_root;
    const Clock& m_clock;
    std::function<void(double)> m_wait;
};

} // namespace quillfen::ui
