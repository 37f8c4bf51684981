#include "ui/ChoiceHandlersAltTexture.h"

#include "ui/ChoiceHandlersControls.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace quillfen::ui {
namespace {

struct OptionCode {
    const char* option;
    const char* code;
};

// optManuellAlternativTexture has no entry: choosing it keeps the box's text for the user to edit.
constexpr std::array<OptionCode, 4> kCodes{{
    {"optNurSommerTextur", "0"},
    {"optSchneeTextur", "1"},
    {"optSchneeUndNachtTextur", "257"},
    {"optJahreszeitenTextur", "252"},
}};

} // namespace

AltTextureOptions::AltTextureOptions(QWidget& root) : QObject(&root) {
    for (const OptionCode& entry : kCodes) {
        auto* option = findControl<QRadioButton>(root, entry.option);
        if (option == nullptr) continue;
        const QString code = QString::fromLatin1(entry.code);
        connect(option, &QRadioButton::toggled, this, [&root, code](bool set) {
            if (!set) return;
            if (auto* box = findControl<QLineEdit>(root, "txtESD_Alter_Tex")) box->setText(code);
        });
    }
}

} // namespace quillfen::ui
