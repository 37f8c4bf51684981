#include "ui/TestOptions.h"

#include "platform/Clock.h"
#include "ui/ChoiceHandlersControls.h"

#include <QCheckBox>
#include <QPalette>

#include <array>

namespace quillfen::ui {
namespace {

constexpr std::array<const char*, 3> kOptionNames{"chkAceUni", "chkShaderDiffuse", "chkShaderAddATexDiff"};

constexpr double kBlinkSeconds = 2.0;
constexpr double kHalfCycleSeconds = 0.3;
// A clock that stands still must not hang the window load.
constexpr int kMaxBlinkCycles = 4;

const QColor kBlinkColour(255, 255, 192);

} // namespace

TestOptions::TestOptions(QWidget& root, const Clock& clock, std::function<void(double)> wait)
    : QObject(&root), m_root(root), m_clock(clock), m_wait(std::move(wait)) {
    if (auto* unlock = findControl<QCheckBox>(root, "chkTestOptionen"))
        connect(unlock, &QCheckBox::stateChanged, this, [this] { onUnlockChanged(); });
    for (const char* name : kOptionNames) {
        if (auto* option = findControl<QCheckBox>(root, name))
            connect(option, &QCheckBox::stateChanged, this, [this, option] { onOptionChanged(option); });
    }
    // The frame starts locked or unlocked as the box stands, before any setting arrives.
    onUnlockChanged();
}

void TestOptions::onUnlockChanged() {
    auto* unlock = findControl<QCheckBox>(m_root, "chkTestOptionen");
    const bool unlocked = isTicked(unlock);
    // The unlocking box itself must stay usable even where it sits inside the frame.
    auto* frame = findControl<QWidget>(m_root, "fraTestOptionen");
    if (!liesInside(unlock, frame)) setEnabledIfPresent(frame, unlocked);
    // Disabled options are drawn in the grey-text colour by the toolkit itself.
    for (const char* name : kOptionNames) {
        auto* option = findControl<QCheckBox>(m_root, name);
        setEnabledIfPresent(option, unlocked);
        if (!unlocked) setTicked(option, false);
    }
}

void TestOptions::onOptionChanged(QCheckBox* option) {
    if (!isTicked(option)) return;
    for (const char* name : kOptionNames) {
        auto* other = findControl<QCheckBox>(m_root, name);
        if (other != option) setTicked(other, false);
    }
    setTicked(findControl<QCheckBox>(m_root, "chkTestOptionen"), true);
}

bool TestOptions::anyOptionTicked() const {
    for (const char* name : kOptionNames) {
        if (isTicked(findControl<QCheckBox>(m_root, name))) return true;
    }
    return false;
}

void TestOptions::clearWithoutChoice() {
    if (!anyOptionTicked()) setTicked(findControl<QCheckBox>(m_root, "chkTestOptionen"), false);
}

void TestOptions::blinkActiveOption() {
    if (!isTicked(findControl<QCheckBox>(m_root, "chkTestOptionen")) || !anyOptionTicked()) return;
    for (const char* name : kOptionNames) {
        auto* option = findControl<QCheckBox>(m_root, name);
        if (isTicked(option)) blink(option);
    }
}

void TestOptions::blink(QCheckBox* option) {
    const QPalette normalPalette = option->palette();
    const bool normalAutoFill = option->autoFillBackground();
    QPalette highlighted = normalPalette;
    highlighted.setColor(QPalette::Window, kBlinkColour);

    const double start = m_clock.now();
    for (int cycle = 0; cycle < kMaxBlinkCycles && m_clock.now() - start < kBlinkSeconds; ++cycle) {
        option->setAutoFillBackground(true);
        option->setPalette(highlighted);
        option->repaint();
        m_wait(kHalfCycleSeconds);
        option->setAutoFillBackground(normalAutoFill);
        option->setPalette(normalPalette);
        option->repaint();
        m_wait(kHalfCycleSeconds);
    }
}

} // namespace quillfen::ui
