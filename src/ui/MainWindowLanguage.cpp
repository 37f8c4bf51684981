// The language switch of the main window.

#include "ui/MainWindow.h"
#include "ui/WindowTexts.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

namespace quillfen::ui {

void MainWindow::SetzeSprache(const std::string& language) {
    // The language list holds only the languages the program speaks.
    m_state.gstrSprache = languageNamed(language).value_or(Language::English);
    applyLanguageTexts(m_state.gstrSprache == Language::German);
}

void MainWindow::applyLanguageTexts(bool german) {
    control<QLabel>("lblLODsGefunden")
        ->setText(QString::fromStdString(lodCountCaption(m_state.gintAnzahlLODs, german)));

    for (const auto& text : languageTexts()) {
        auto* widget = qobject_cast<QWidget*>(findControl(QString::fromLatin1(text.control), text.index));
        if (widget == nullptr) continue;
        if (const char* caption = german ? text.captionGerman : text.captionEnglish) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                button->setText(QString::fromUtf8(caption));
            else if (auto* frame = qobject_cast<QGroupBox*>(widget))
                frame->setTitle(QString::fromUtf8(caption));
            else if (auto* label = qobject_cast<QLabel*>(widget))
                label->setText(QString::fromUtf8(caption));
        }
        if (const char* tooltip = german ? text.tooltipGerman : text.tooltipEnglish)
            widget->setToolTip(QString::fromUtf8(tooltip));
    }

    const LanguageLayout place = languageLayout(german);
    TwipRect option = twipGeometry("optManuellAlternativTexture");
    option.width = place.manualOptionWidth;
    setTwipGeometry("optManuellAlternativTexture", -1, option);
    TwipRect numberBox = twipGeometry("txtESD_Alter_Tex");
    numberBox.left = option.left + option.width - place.numberBoxBeforeEnd;
    setTwipGeometry("txtESD_Alter_Tex", -1, numberBox);
}

} // namespace quillfen::ui
