// The settings through the window: saved values are moved into the controls
// so that each control's own reaction runs, as a user's choice would; the
// quit moves them back out and hands them to the shared end of a session.

#include "app/Session.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

namespace quillfen::ui {

namespace {

void setCheckValue(QCheckBox* box, int value) {
    box->setCheckState(checkStateOf(value));
}

void setOptionValue(QRadioButton* option, bool selected) {
    if (selected) {
        option->setChecked(true);
    } else if (option->isChecked()) {
        // An exclusive group refuses to clear its checked button; the file may
        // still clear it, leaving no option selected.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

int checkValueOf(const QCheckBox* box) {
    return checkValue(box->checkState());
}

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

} // namespace

int checkValue(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

Qt::CheckState checkStateOf(int value) {
    if (value == 1) return Qt::Checked;
    if (value == 2) return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

void MainWindow::applySavedSettings(const SavedSettings& saved) {
    // In the settings file's order, so that the reactions run as when the file is read line by line.
    const WindowControls& c = m_ui;
    if (saved.cmbLang >= 0 && saved.cmbLang < c.cmbLang->count()) c.cmbLang->setCurrentIndex(saved.cmbLang);
    setOptionValue(c.optNurSommerTextur, saved.optNurSommerTextur);
    setOptionValue(c.optSchneeTextur, saved.optSchneeTextur);
    setOptionValue(c.optSchneeUndNachtTextur, saved.optSchneeUndNachtTextur);
    setOptionValue(c.optJahreszeitenTextur, saved.optJahreszeitenTextur);
    setOptionValue(c.optManuellAlternativTexture, saved.optManuellAlternativTexture);
    c.txtESD_Alter_Tex->setText(QString::fromStdString(saved.txtESD_Alter_Tex));
    c.cmbMipMap->setCurrentText(QString::fromStdString(saved.cmbMipMap));
    setCheckValue(c.chkTestOptionen, saved.chkTestOptionen);
    setCheckValue(c.chkAceUni, saved.chkAceUni);
    setCheckValue(c.chkShaderDiffuse, saved.chkShaderDiffuse);
    setCheckValue(c.chkShaderAddATexDiff, saved.chkShaderAddATexDiff);
    for (std::size_t target = 0; target < kCopyTargetCount; ++target) {
        setCheckValue(c.chkShapeTo[target], saved.chkShapeTo[target]);
        c.lblCopyPfad[target]->setText(QString::fromStdString(saved.lblCopyPfad[target]));
    }
    setCheckValue(c.chkRefEintrag, saved.chkRefEintrag);
    c.txtRefClass->setText(QString::fromStdString(saved.txtRefClass));
    c.txtRefDescription->setText(QString::fromStdString(saved.txtRefDescription));
    m_state.gstrConv3dsPfad = saved.conv3dsPfad;
    setCheckValue(c.chkBoundingBox, saved.chkBoundingBox);
    c.txtBBoxInput->setText(QString::fromStdString(saved.BoundingBoxWerte));
    static const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
    if (saved.WindowState >= 0 && saved.WindowState <= 2) setWindowState(states[saved.WindowState]);
}

SavedSettings MainWindow::savedSettingsFromControls() const {
    const WindowControls& c = m_ui;
    SavedSettings saved;
    saved.cmbLang = std::max(0, c.cmbLang->currentIndex());
    saved.optNurSommerTextur = c.optNurSommerTextur->isChecked();
    saved.optSchneeTextur = c.optSchneeTextur->isChecked();
    saved.optSchneeUndNachtTextur = c.optSchneeUndNachtTextur->isChecked();
    saved.optJahreszeitenTextur = c.optJahreszeitenTextur->isChecked();
    saved.optManuellAlternativTexture = c.optManuellAlternativTexture->isChecked();
    saved.txtESD_Alter_Tex = textOf(c.txtESD_Alter_Tex);
    saved.cmbMipMap = c.cmbMipMap->currentText().toStdString();
    saved.chkTestOptionen = checkValueOf(c.chkTestOptionen);
    saved.chkAceUni = checkValueOf(c.chkAceUni);
    saved.chkShaderDiffuse = checkValueOf(c.chkShaderDiffuse);
    saved.chkShaderAddATexDiff = checkValueOf(c.chkShaderAddATexDiff);
    for (std::size_t target = 0; target < kCopyTargetCount; ++target) {
        saved.chkShapeTo[target] = checkValueOf(c.chkShapeTo[target]);
        saved.lblCopyPfad[target] = c.lblCopyPfad[target]->text().toStdString();
    }
    saved.chkRefEintrag = checkValueOf(c.chkRefEintrag);
    saved.txtRefClass = textOf(c.txtRefClass);
    saved.txtRefDescription = textOf(c.txtRefDescription);
    saved.conv3dsPfad = m_state.gstrConv3dsPfad;
    saved.chkBoundingBox = checkValueOf(c.chkBoundingBox);
    saved.BoundingBoxWerte = textOf(c.txtBBoxInput);
    saved.WindowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);
    return saved;
}

void MainWindow::quit() {
    // A failed start-up ends the program from the load itself, without saving.
    if (m_quitDone || m_loadFailed) return;
    m_quitDone = true;
    dropCommand();
    if (m_loaded) {
        SavedSettings saved = savedSettingsFromControls();
        const Status written = endSession(m_state, saved, *m_fileSystem);
        if (!written)
            m_dialogs->showMessage({},
                                   m_state.text(TextId::MessageSettingsNotSaved) + written.error().message());
    }
    emit quitFinished();
    m_services.exitProgram(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    quit();
    event->accept();
}

} // namespace quillfen::ui
