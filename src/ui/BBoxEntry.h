#pragma once
// The bounding-box entry of the main window: chkBoundingBox switching the
// frame's controls, the key-by-key filtering of txtBBoxInput, the display
// line txtBBox that undoes every edit, the validate button and the timer that
// gives the display line its normal colour back.

#include <QObject>

#include <functional>

class QLineEdit;
class QTimer;

namespace quillfen::ui {

struct WindowControls;

class BBoxEntry final : public QObject {
public:
    /// `boxCommandRunning` is true while the bounding-box command writes its
    /// messages into the display line (which then keeps them).
    BBoxEntry(const WindowControls& controls, int decimalPlaces, std::function<bool()> boxCommandRunning,
              QObject* parent);

    /// Brings the input text into its normal form of six numbers and the
    /// display line in step with it.
    void validate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSwitched();
    void onInputKeyUp();
    void onInputChanged();
    void onDisplayChanged();
    void onLabelTimer();
    [[nodiscard]] QString fullDisplayLine() const;

    const WindowControls& m_c;
    /// Decimal places of the validated values.
    int m_decimalPlaces;
    std::function<bool()> m_boxCommandRunning;
    QLineEdit* m_input = nullptr;
    QLineEdit* m_display = nullptr;
    /// The character typed last into the input box (0 before the first).
    char32_t m_lastCharacter = 0;
    /// Whether the key pressed last in the display line was Backspace.
    bool m_lastDisplayKeyBackspace = false;
};

} // namespace quillfen::ui
