#pragma once
// The s-file name box txtSDateiName (kept free of characters a file name
// cannot hold), the button that takes over the proposed name, and the
// reference-entry fields switched by chkRefEintrag.

#include <QObject>

class QWidget;

namespace quillfen {
struct ProgramState;
}

namespace quillfen::ui {

class NameBox final : public QObject {
public:
    NameBox(QWidget& root, ProgramState& state);

private:
    void onNameChanged();
    void takeProposal();
    void onReferenceEntryChanged();

    QWidget& m_root;
    ProgramState& m_state;
};

} // namespace quillfen::ui
