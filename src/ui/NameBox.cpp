#include "ui/NameBox.h"

#include "core/ProgramState.h"
#include "sfile/SFileNaming.h"
#include "ui/ChoiceHandlersControls.h"
#include "ui/WindowControls.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillfen::ui {

NameBox::NameBox(const WindowControls& controls, ProgramState& state, QObject* parent)
    : QObject(parent), m_c(controls), m_state(state) {
    if (m_c.txtSDateiName != nullptr)
        connect(m_c.txtSDateiName, &QLineEdit::textChanged, this, [this] { onNameChanged(); });
    if (m_c.cmdVorschlagUebernehmen != nullptr)
        connect(m_c.cmdVorschlagUebernehmen, &QAbstractButton::clicked, this, [this] { takeProposal(); });
    if (m_c.chkRefEintrag != nullptr)
        connect(m_c.chkRefEintrag, &QCheckBox::stateChanged, this, [this] { onReferenceEntryChanged(); });
    // The fields start enabled or locked as the box stands, before any setting arrives.
    onReferenceEntryChanged();
}

void NameBox::onNameChanged() {
    QLineEdit* box = m_c.txtSDateiName;
    const QString typed = box->text();
    const CleanedFileName cleaned =
        BereinigeDateiName(fromQt(typed), static_cast<std::size_t>(box->cursorPosition()));
    const QString text = toQt(cleaned.text);
    if (text == typed) return;
    // Rewriting the text raises this reaction once more; that pass finds nothing to change.
    box->setText(text);
    box->setCursorPosition(static_cast<int>(qMin(cleaned.caret, static_cast<std::size_t>(text.size()))));
}

void NameBox::takeProposal() {
    m_c.txtSDateiName->setText(toQt(m_state.gstrSDateiVorschlag));
}

void NameBox::onReferenceEntryChanged() {
    const bool wanted = isTicked(m_c.chkRefEintrag);
    // The switch itself must stay usable even where it sits inside the frame.
    if (!liesInside(m_c.chkRefEintrag, m_c.fraRef)) setEnabledIfPresent(m_c.fraRef, wanted);

    const QPalette::ColorRole background = wanted ? QPalette::Base : QPalette::Button;
    for (QWidget* field :
         {static_cast<QWidget*>(m_c.txtRefClass), static_cast<QWidget*>(m_c.txtRefDescription)})
        setFieldBackground(field, background);
    for (QWidget* control :
         {static_cast<QWidget*>(m_c.lblRefClass), static_cast<QWidget*>(m_c.txtRefClass),
          static_cast<QWidget*>(m_c.lblRefDescription), static_cast<QWidget*>(m_c.txtRefDescription)})
        setEnabledIfPresent(control, wanted);
}

} // namespace quillfen::ui
