#include "ui/NameBox.h"

#include "core/ProgramState.h"
#include "sfile/SFileNaming.h"
#include "ui/ChoiceHandlersControls.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace quillfen::ui {

NameBox::NameBox(QWidget& root, ProgramState& state) : QObject(&root), m_root(root), m_state(state) {
    if (auto* name = findControl<QLineEdit>(root, "txtSDateiName"))
        connect(name, &QLineEdit::textChanged, this, [this] { onNameChanged(); });
    if (auto* proposal = findControl<QAbstractButton>(root, "cmdVorschlagUebernehmen"))
        connect(proposal, &QAbstractButton::clicked, this, [this] { takeProposal(); });
    if (auto* reference = findControl<QCheckBox>(root, "chkRefEintrag"))
        connect(reference, &QCheckBox::stateChanged, this, [this] { onReferenceEntryChanged(); });
    // The fields start enabled or locked as the box stands, before any setting arrives.
    onReferenceEntryChanged();
}

void NameBox::onNameChanged() {
    auto* box = findControl<QLineEdit>(m_root, "txtSDateiName");
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
    if (auto* box = findControl<QLineEdit>(m_root, "txtSDateiName"))
        box->setText(toQt(m_state.gstrSDateiVorschlag));
}

void NameBox::onReferenceEntryChanged() {
    auto* reference = findControl<QCheckBox>(m_root, "chkRefEintrag");
    const bool wanted = isTicked(reference);
    auto* frame = findControl<QWidget>(m_root, "fraRef");
    // The switch itself must stay usable even where it sits inside the frame.
    if (!liesInside(reference, frame)) setEnabledIfPresent(frame, wanted);

    const QPalette::ColorRole background = wanted ? QPalette::Base : QPalette::Button;
    for (const char* name : {"txtRefClass", "txtRefDescription"})
        setFieldBackground(findControl<QWidget>(m_root, name), background);
    for (const char* name : {"lblRefClass", "txtRefClass", "lblRefDescription", "txtRefDescription"})
        setEnabledIfPresent(findControl<QWidget>(m_root, name), wanted);
}

} // namespace quillfen::ui
