#pragma once
// The s-file name box txtSDateiName (kept free of characters a file name
// cannot hold), the button that takes over the proposed name, and the
// reference-entry fields switched by chkRefEintrag.

#include <QObject>

namespace quillfen {
struct ProgramState;
}

namespace quillfen::ui {

struct WindowControls;

class NameBox final : public QObject {
public:
    NameBox(const WindowControls& controls, ProgramState& state, QObject* parent);

private:
    void onNameChanged();
    void takeProposal();
    void onReferenceEntryChanged();

    const WindowControls& m_c;
    ProgramState& m_state;
};

} // namespace quillfen::ui
