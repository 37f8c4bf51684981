#include "ui/WindowTexts.h"

#include "ui/MainWindowPictures.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace quillfen::ui {

std::vector<ControlTexts> windowTexts(const WindowControls& c) {
    using T = TextId;
    return {
        {c.lblLODsGefunden, std::nullopt, T::TooltipLblLODsGefunden},
        {c.lstLODListe, std::nullopt, T::TooltipLstLODListe},
        {c.cmdVorschlagUebernehmen, T::CaptionCmdVorschlagUebernehmen, T::TooltipCmdVorschlagUebernehmen},
        {c.txtSDateiName, std::nullopt, T::TooltipTxtSDateiName},
        {c.cmbMipMap, std::nullopt, T::TooltipCmbMipMap},
        {c.chkRefEintrag, T::CaptionChkRefEintrag, T::TooltipChkRefEintrag},
        {c.txtRefClass, std::nullopt, T::TooltipTxtRefClass},
        {c.txtRefDescription, std::nullopt, T::TooltipTxtRefDescription},
        {c.fraTexturen, T::CaptionFraTexturen, std::nullopt},
        {c.optNurSommerTextur, T::CaptionOptNurSommerTextur, T::TooltipOptNurSommerTextur},
        {c.optSchneeTextur, T::CaptionOptSchneeTextur, T::TooltipOptSchneeTextur},
        {c.optSchneeUndNachtTextur, T::CaptionOptSchneeUndNachtTextur, T::TooltipOptSchneeUndNachtTextur},
        {c.optJahreszeitenTextur, T::CaptionOptJahreszeitenTextur, T::TooltipOptJahreszeitenTextur},
        {c.optManuellAlternativTexture, T::CaptionOptManuellAlternativTexture,
         T::TooltipOptManuellAlternativTexture},
        {c.txtESD_Alter_Tex, std::nullopt, T::TooltipTxtESD_Alter_Tex},
        {c.chkTestOptionen, T::CaptionChkTestOptionen, T::TooltipChkTestOptionen},
        {c.chkAceUni, T::CaptionChkAceUni, T::TooltipChkAceUni},
        {c.chkShaderDiffuse, T::CaptionChkShaderDiffuse, T::TooltipChkShaderDiffuse},
        {c.chkShaderAddATexDiff, T::CaptionChkShaderAddATexDiff, T::TooltipChkShaderAddATexDiff},
        {c.chkBoundingBox, T::CaptionChkBoundingBox, T::TooltipChkBoundingBox},
        {c.txtBBox, std::nullopt, T::TooltipTxtBBox},
        {c.txtBBoxInput, std::nullopt, T::TooltipTxtBBoxInput},
        {c.cmdBoundingBoxKorr, T::CaptionCmdBoundingBoxKorr, T::TooltipCmdBoundingBoxKorr},
        {c.cmdBBoxAusShape, T::CaptionCmdBBoxAusShape, T::TooltipCmdBBoxAusShape},
        {c.cmdShapeCopy[0], T::CaptionCmdShapeCopy, T::TooltipCmdShapeCopy},
        {c.cmdShapeCopy[1], T::CaptionCmdShapeCopy, T::TooltipCmdShapeCopy},
        {c.cmdShapeCopy[2], T::CaptionCmdShapeCopyOnlySFile, T::TooltipCmdShapeCopyOnlySFile},
        {c.cmdPathOpen[0], T::CaptionCmdPathOpen, T::TooltipCmdPathOpen},
        {c.cmdPathOpen[1], T::CaptionCmdPathOpen, T::TooltipCmdPathOpen},
        {c.cmdPathOpen[2], T::CaptionCmdPathOpen, T::TooltipCmdPathOpen},
        {c.cmdErzeugeShape, T::CaptionCmdErzeugeShape, T::TooltipCmdErzeugeShape},
        {c.chkCMD_sichtbar, T::CaptionChkCMD_sichtbar, T::TooltipChkCMD_sichtbar},
        {c.cmdAbbruch, T::CaptionCmdAbbruch, T::TooltipCmdAbbruch},
        {c.cmdQuit, T::CaptionCmdQuit, T::TooltipCmdQuit},
        {c.cmdMipMapHelp, T::CaptionCmdMipMapHelp, T::TooltipCmdMipMapHelp},
        {c.cmdShapeToExplorer, T::CaptionCmdShapeToExplorer, T::TooltipCmdShapeToExplorer},
        {c.cmd3DView, T::CaptionCmd3DView, T::TooltipCmd3DView},
        {c.lblRefClass, T::CaptionLblRefClass, std::nullopt},
        {c.lblRefDescription, T::CaptionLblRefDescription, std::nullopt},
        {c.fraMipMap, T::CaptionFraMipMap, T::TooltipFraMipMap},
        {c.chkTextureCopy, T::CaptionChkTextureCopy, std::nullopt},
        {c.pctGerman, std::nullopt, T::TooltipPctGerman},
        {c.pctEnglisch, std::nullopt, T::TooltipPctEnglisch},
    };
}

namespace {

void setCaption(QWidget* control, const QString& caption) {
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(control))
        frame->setTitle(caption);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(caption);
}

} // namespace

void applyWindowTexts(const WindowControls& c, Language language) {
    for (const ControlTexts& entry : windowTexts(c)) {
        if (entry.control == nullptr) continue;
        if (entry.caption) setCaption(entry.control, QString::fromStdString(text(language, *entry.caption)));
        if (entry.tooltip) entry.control->setToolTip(QString::fromStdString(text(language, *entry.tooltip)));
    }
}

std::string lodCountCaption(int count, Language language) {
    return std::to_string(count) +
           text(language, count == 1 ? TextId::CaptionLodCountOne : TextId::CaptionLodCountMany);
}

} // namespace quillfen::ui
