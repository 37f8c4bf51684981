#include "ui/ChoiceHandlersAltTexture.h"

#include "ui/WindowControls.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>
#include <utility>

namespace quillfen::ui {

AltTextureOptions::AltTextureOptions(const WindowControls& c, QObject* parent) : QObject(parent) {
    // optManuellAlternativTexture has no code: choosing it keeps the box's text for the user to edit.
    const std::array<std::pair<QRadioButton*, const char*>, 4> codes{{
        {c.optNurSommerTextur, "0"},
        {c.optSchneeTextur, "1"},
        {c.optSchneeUndNachtTextur, "257"},
        {c.optJahreszeitenTextur, "252"},
    }};
    for (const auto& [option, code] : codes) {
        if (option == nullptr || c.txtESD_Alter_Tex == nullptr) continue;
        QLineEdit* box = c.txtESD_Alter_Tex;
        connect(option, &QRadioButton::toggled, this, [box, text = QString::fromLatin1(code)](bool set) {
            if (set) box->setText(text);
        });
    }
}

} // namespace quillfen::ui
