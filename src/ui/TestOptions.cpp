#include "ui/TestOptions.h"

#include "ui/ChoiceHandlersControls.h"
#include "ui/WindowControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QWindow>

namespace quillfen::ui {
namespace {

/// Whether the window that holds `widget` is on the screen, so a repaint is seen.
bool isExposed(const QWidget& widget) {
    const QWindow* handle = widget.window()->windowHandle();
    return widget.isVisible() && handle != nullptr && handle->isExposed();
}

} // namespace

TestOptions::TestOptions(const WindowControls& controls, QObject* parent) : QObject(parent), m_c(controls) {
    if (m_c.chkTestOptionen != nullptr)
        connect(m_c.chkTestOptionen, &QCheckBox::stateChanged, this, [this] { onUnlockChanged(); });
    for (QCheckBox* option : m_c.testOptions()) {
        if (option != nullptr)
            connect(option, &QCheckBox::stateChanged, this, [this, option] { onOptionChanged(option); });
    }
    m_blinkTimer.setInterval(kHalfCycleMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &TestOptions::blinkStep);
    // The frame starts locked or unlocked as the box stands, before any setting arrives.
    onUnlockChanged();
}

void TestOptions::onUnlockChanged() {
    const bool unlocked = isTicked(m_c.chkTestOptionen);
    // The unlocking box itself must stay usable even where it sits inside the frame.
    if (!liesInside(m_c.chkTestOptionen, m_c.fraTestOptionen))
        setEnabledIfPresent(m_c.fraTestOptionen, unlocked);
    // Disabled options are drawn in the grey-text colour by the toolkit itself.
    for (QCheckBox* option : m_c.testOptions()) {
        setEnabledIfPresent(option, unlocked);
        if (!unlocked) setTicked(option, false);
    }
}

void TestOptions::onOptionChanged(QCheckBox* option) {
    if (!isTicked(option)) return;
    for (QCheckBox* other : m_c.testOptions()) {
        if (other != option) setTicked(other, false);
    }
    setTicked(m_c.chkTestOptionen, true);
}

bool TestOptions::anyOptionTicked() const {
    for (const QCheckBox* option : m_c.testOptions()) {
        if (isTicked(option)) return true;
    }
    return false;
}

void TestOptions::blinkActiveOption() {
    if (blinking() || !isTicked(m_c.chkTestOptionen) || !anyOptionTicked()) return;
    // At most one option is ticked, so one box blinks.
    for (QCheckBox* option : m_c.testOptions()) {
        if (isTicked(option)) m_blinking = option;
    }
    m_normalPalette = m_blinking->palette();
    m_normalAutoFill = m_blinking->autoFillBackground();
    m_halfCyclesDone = 0;
    m_blinkTimer.start();
    // The first yellow shows at once when the window is already on the screen.
    blinkStep();
}

void TestOptions::blinkStep() {
    if (m_blinking == nullptr) return;
    // Until the window is on the screen a colour change would not be seen: wait for it.
    if (!isExposed(*m_blinking)) return;
    ++m_halfCyclesDone;
    const bool highlighted = m_halfCyclesDone % 2 == 1;
    showHighlighted(highlighted);
    if (m_halfCyclesDone < kBlinkHalfCycles) return;
    m_blinkTimer.stop();
    m_blinking = nullptr;
}

void TestOptions::showHighlighted(bool highlighted) {
    if (!highlighted) {
        m_blinking->setPalette(m_normalPalette);
        m_blinking->setAutoFillBackground(m_normalAutoFill);
    } else {
        // A check box fills its background from its own background role (Button), not from Window.
        QPalette palette = m_normalPalette;
        palette.setColor(m_blinking->backgroundRole(), kBlinkColour);
        m_blinking->setPalette(palette);
        m_blinking->setAutoFillBackground(true);
    }
    m_blinking->update();
}

} // namespace quillfen::ui
