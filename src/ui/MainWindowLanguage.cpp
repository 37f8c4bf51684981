// The language switch of the main window.

#include "ui/MainWindow.h"
#include "ui/WindowTexts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace quillfen::ui {

void MainWindow::SetzeSprache(const std::string& language) {
    // The language list holds only the languages the program speaks.
    m_state.gstrSprache = languageNamed(language).value_or(Language::English);
    m_ui.lblLODsGefunden->setText(
        QString::fromStdString(lodCountCaption(m_state.gintAnzahlLODs, m_state.gstrSprache)));
    applyWindowTexts(m_ui, m_state.gstrSprache);
    applyLanguageLayout(m_state.gstrSprache);
}

void MainWindow::applyLanguageLayout(Language language) {
    const LanguageInfo& place = languageInfo(language);
    const double dpi = layoutDpi();
    QRadioButton* manual = m_ui.optManuellAlternativTexture;
    // The caption must fit whole, also where the machine's font is wider than the design's.
    TwipRect option = twipGeometry("optManuellAlternativTexture");
    option.width = std::max(place.manualOptionWidth, pixelsToTwips(manual->sizeHint().width(), dpi));
    setTwipGeometry("optManuellAlternativTexture", -1, option);

    TwipRect numberBox = twipGeometry("txtESD_Alter_Tex");
    numberBox.left = option.left + option.width - place.numberBoxBeforeEnd;
    numberBox.width = designLayout().at({"txtESD_Alter_Tex"}).width;
    // The box stands between the caption's brackets and never covers them.
    const QString caption = manual->text();
    const QFontMetrics metrics = manual->fontMetrics();
    QStyleOptionButton style;
    style.initFrom(manual);
    style.text = caption;
    const int textStart =
        manual->style()->subElementRect(QStyle::SE_RadioButtonContents, &style, manual).left();
    const auto opening = caption.lastIndexOf(u'(');
    const auto closing = caption.lastIndexOf(u')');
    if (opening >= 0 && closing > opening) {
        const int gapLeft =
            option.left +
            pixelsToTwips(textStart + metrics.horizontalAdvance(caption.left(opening + 1)), dpi);
        const int gapRight =
            option.left + pixelsToTwips(textStart + metrics.horizontalAdvance(caption.left(closing)), dpi);
        numberBox.left = std::clamp(numberBox.left, gapLeft, std::max(gapLeft, gapRight - numberBox.width));
        numberBox.width = std::min(numberBox.width, gapRight - numberBox.left);
    }
    setTwipGeometry("txtESD_Alter_Tex", -1, numberBox);
}

} // namespace quillfen::ui
