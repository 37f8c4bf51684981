#include "ui/BBoxEntry.h"

#include "bbox/BoxInputFilter.h"
#include "bbox/BoxValidation.h"
#include "ui/ChoiceHandlersControls.h"
#include "ui/WindowControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <string>

namespace quillfen::ui {
namespace {

/// A caret in UTF-16 units as a count of characters (code points).
int codePointCaret(const QString& text, int caret) {
    return static_cast<int>(text.left(caret).toUcs4().size());
}

/// A count of characters (code points) as a caret in UTF-16 units.
int utf16Caret(const QString& text, int codePoints) {
    int position = 0;
    for (int counted = 0; counted < codePoints && position < text.size(); ++counted)
        position += text[position].isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    return position;
}

} // namespace

BBoxEntry::BBoxEntry(const WindowControls& controls, int decimalPlaces,
                     std::function<bool()> boxCommandRunning, QObject* parent)
    : QObject(parent), m_c(controls), m_decimalPlaces(decimalPlaces),
      m_boxCommandRunning(std::move(boxCommandRunning)), m_input(controls.txtBBoxInput),
      m_display(controls.txtBBox) {
    if (m_c.chkBoundingBox != nullptr)
        connect(m_c.chkBoundingBox, &QCheckBox::stateChanged, this, [this] { onSwitched(); });
    if (m_c.cmdBoundingBoxKorr != nullptr)
        connect(m_c.cmdBoundingBoxKorr, &QAbstractButton::clicked, this, [this] { validate(); });
    if (m_input != nullptr) {
        m_input->installEventFilter(this);
        connect(m_input, &QLineEdit::textChanged, this, [this] { onInputChanged(); });
    }
    if (m_display != nullptr) {
        m_display->installEventFilter(this);
        connect(m_display, &QLineEdit::textChanged, this, [this] { onDisplayChanged(); });
    }
    // The box command starts tmrBBoxLabel after showing a message in the display line.
    if (m_c.tmrBBoxLabel != nullptr)
        connect(m_c.tmrBBoxLabel, &QTimer::timeout, this, [this] { onLabelTimer(); });
    // The frame's controls start enabled or locked as the box stands, before any setting arrives.
    onSwitched();
}

bool BBoxEntry::eventFilter(QObject* watched, QEvent* event) {
    const bool keyPress = event->type() == QEvent::KeyPress;
    const bool keyRelease = event->type() == QEvent::KeyRelease;
    if (!keyPress && !keyRelease) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_input) {
        // Keys that type nothing (arrows, Shift) leave the remembered character as it was.
        if (keyPress && !key->text().isEmpty()) m_lastCharacter = key->text().toUcs4().value(0);
        if (keyRelease) onInputKeyUp();
    } else if (watched == m_display && keyPress) {
        m_lastDisplayKeyBackspace = key->key() == Qt::Key_Backspace;
    }
    return false;
}

void BBoxEntry::onSwitched() {
    const bool on = isTicked(m_c.chkBoundingBox);
    setEnabledIfPresent(m_c.cmdBoundingBoxKorr, on);
    setEnabledIfPresent(m_c.cmdBBoxAusShape, on);
    const QPalette::ColorRole background = on ? QPalette::Base : QPalette::Button;
    setFieldBackground(m_input, background);
    setEnabledIfPresent(m_input, on);
    if (m_display == nullptr) return;
    if (!on) setFieldBackground(m_display, background);
    m_display->setEnabled(on);
    m_display->setVisible(on);
    if (on && !m_display->text().startsWith(toQt(std::string(kBoxLinePrefix))))
        m_display->setText(fullDisplayLine());
}

void BBoxEntry::onInputKeyUp() {
    const QString typed = m_input->text();
    const BoxInputEdit filtered =
        filterBoxInputKeyUp(fromQt(typed), codePointCaret(typed, m_input->cursorPosition()), m_lastCharacter);
    const QString result = toQt(filtered.text);
    if (result == typed) return;
    m_input->setText(result);
    m_input->setCursorPosition(utf16Caret(result, filtered.caret));
}

void BBoxEntry::onInputChanged() {
    if (m_display == nullptr) return;
    // The display line's own reaction then settles it (and keeps the box command's
    // messages); it runs also when the text stays the same, so that a blank
    // typed at the end shows.
    const QString line = toQt(boxDisplayAfterInputChange(fromQt(m_input->text())));
    if (m_display->text() == line)
        onDisplayChanged();
    else
        m_display->setText(line);
}

QString BBoxEntry::fullDisplayLine() const {
    return toQt(boxDisplayLine(m_input != nullptr ? fromQt(m_input->text()) : std::string()));
}

void BBoxEntry::onDisplayChanged() {
    if (m_boxCommandRunning()) return;
    // After Backspace the caret has moved left; undoing the edit puts it back.
    const int caret = m_display->cursorPosition() + (m_lastDisplayKeyBackspace ? 1 : 0);
    const QString line = fullDisplayLine();
    if (m_display->text() == line) return;
    m_display->setText(line);
    m_display->setCursorPosition(qMin(caret, static_cast<int>(line.size())));
}

void BBoxEntry::onLabelTimer() {
    if (m_display != nullptr) {
        QPalette palette = m_display->palette();
        palette.setColor(QPalette::Text, QApplication::palette(m_display).color(QPalette::Text));
        m_display->setPalette(palette);
    }
    m_c.tmrBBoxLabel->stop();
}

void BBoxEntry::validate() {
    if (m_input == nullptr) return;
    m_input->setText(toQt(validiereBoundingBox(fromQt(m_input->text()), m_decimalPlaces)));
    // Set directly: the run validates while a command counts as running, and
    // the sd-file takes the line only when it starts with its keyword.
    if (m_display != nullptr && m_display->text() != fullDisplayLine()) m_display->setText(fullDisplayLine());
}

} // namespace quillfen::ui
