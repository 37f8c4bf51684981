#pragma once
// The alternative-texture option buttons: each fills the code box
// txtESD_Alter_Tex with its code; the manual option leaves the box to the user.

#include <QObject>

namespace quillfen::ui {

struct WindowControls;

class AltTextureOptions final : public QObject {
public:
    AltTextureOptions(const WindowControls& controls, QObject* parent);
};

} // namespace quillfen::ui
