#pragma once
// The alternative-texture option buttons: each fills the code box
// txtESD_Alter_Tex with its code; the manual option leaves the box to the user.

#include <QObject>

class QWidget;

namespace quillfen::ui {

class AltTextureOptions final : public QObject {
public:
    explicit AltTextureOptions(QWidget& root);
};

} // namespace quillfen::ui
