// The settings file through the window: each saved value is applied to its
// control so that the control's own reaction runs, as a user's choice would;
// the quit procedure writes them back.

#include "app/Session.h"
#include "platform/Paths.h"
#include "settings/SavedSettings.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsReader.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#if __has_include("ui/ChoiceHandlers.h")
#include "ui/ChoiceHandlers.h"
#define QUILLFEN_HAS_CHOICE_HANDLERS 1
#endif

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

namespace quillfen::ui {

namespace {

bool setCheckValue(QCheckBox* box, const std::string& value) {
    const auto state = settingInteger(value);
    if (!state || *state < 0 || *state > 2) return false;
    box->setCheckState(checkStateOf(*state));
    return true;
}

bool setOptionValue(QRadioButton* option, const std::string& value) {
    const auto selected = settingTruth(value);
    if (!selected) return false;
    if (*selected) {
        option->setChecked(true);
    } else if (option->isChecked()) {
        // An exclusive group refuses to clear its checked button; the file may
        // still clear it, leaving no option selected.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    return true;
}

int checkValue(const QCheckBox* box) {
    return ui::checkValue(box->checkState());
}

std::optional<std::size_t> settingKeyIndex(const std::string& name) {
    for (std::size_t k = 0; k < kSettingKeys.size(); ++k)
        if (kSettingKeys[k].name == name) return k;
    return std::nullopt;
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

void MainWindow::LiesEinstellungen() {
    const auto applications = readSettingsFile(*m_fileSystem, settingsFilePath(m_state.gstrProgrammPfad));
    // A file that cannot be read is treated as missing: every control keeps its
    // design value. A damaged one is kept aside, so the quit does not overwrite it.
    if (!applications) {
        if (isDamagedSettingsFile(applications.error())) {
            const StartupMessage warning = keepDamagedSettingsAside(m_state, *m_fileSystem);
            m_dialogs->showMessage(warning.title, warning.text);
        }
        return;
    }
    for (const auto& application : *applications) applySetting(application.name, application.value);
}

bool MainWindow::applySetting(const std::string& key, const std::string& value) {
    const auto index = settingKeyIndex(key);
    if (!index) return false;
    const QString text = QString::fromStdString(value);
    switch (*index) {
    case setting_key::cmbLang: {
        auto* languages = control<QComboBox>("cmbLang");
        const auto entry = settingInteger(value);
        if (!entry || *entry < 0 || *entry >= languages->count()) return false;
        languages->setCurrentIndex(*entry);
        return true;
    }
    case setting_key::optNurSommerTextur:
    case setting_key::optSchneeTextur:
    case setting_key::optSchneeUndNachtTextur:
    case setting_key::optJahreszeitenTextur:
    case setting_key::optManuellAlternativTexture:
        return setOptionValue(control<QRadioButton>(kSettingKeys[*index].name.data()), value);
    case setting_key::txtESD_Alter_Tex:
    case setting_key::txtRefClass:
    case setting_key::txtRefDescription:
        control<QLineEdit>(kSettingKeys[*index].name.data())->setText(text);
        return true;
    case setting_key::BoundingBoxWerte:
        control<QLineEdit>("txtBBoxInput")->setText(text);
        return true;
    case setting_key::cmbMipMap:
        control<QComboBox>("cmbMipMap")->setCurrentText(text);
        return true;
    case setting_key::conv3dsPfad:
        m_state.gstrConv3dsPfad = value;
        return true;
    case setting_key::WindowState: {
        const auto state = settingInteger(value);
        if (!state || *state < 0 || *state > 2) return false;
        static const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
        setWindowState(states[*state]);
        return true;
    }
    default:
        break;
    }
    if (*index >= setting_key::chkShapeTo0 && *index < setting_key::chkShapeTo0 + 3)
        return setCheckValue(
            control<QCheckBox>("chkShapeTo", static_cast<int>(*index - setting_key::chkShapeTo0)), value);
    if (*index >= setting_key::lblCopyPfad0 && *index < setting_key::lblCopyPfad0 + 3) {
        control<QLabel>("lblCopyPfad", static_cast<int>(*index - setting_key::lblCopyPfad0))->setText(text);
        return true;
    }
    // The remaining keys are the single check boxes, named as their key.
    return setCheckValue(control<QCheckBox>(kSettingKeys[*index].name.data()), value);
}

bool MainWindow::SchreibeEinstellungen() {
    SavedSettings saved;
    saved.cmbLang = std::max(0, control<QComboBox>("cmbLang")->currentIndex());
    saved.optNurSommerTextur = control<QRadioButton>("optNurSommerTextur")->isChecked();
    saved.optSchneeTextur = control<QRadioButton>("optSchneeTextur")->isChecked();
    saved.optSchneeUndNachtTextur = control<QRadioButton>("optSchneeUndNachtTextur")->isChecked();
    saved.optJahreszeitenTextur = control<QRadioButton>("optJahreszeitenTextur")->isChecked();
    saved.optManuellAlternativTexture = control<QRadioButton>("optManuellAlternativTexture")->isChecked();
    saved.txtESD_Alter_Tex = control<QLineEdit>("txtESD_Alter_Tex")->text().toStdString();
    saved.cmbMipMap = control<QComboBox>("cmbMipMap")->currentText().toStdString();
    saved.chkTestOptionen = checkValue(control<QCheckBox>("chkTestOptionen"));
    saved.chkAceUni = checkValue(control<QCheckBox>("chkAceUni"));
    saved.chkShaderDiffuse = checkValue(control<QCheckBox>("chkShaderDiffuse"));
    saved.chkShaderAddATexDiff = checkValue(control<QCheckBox>("chkShaderAddATexDiff"));
    for (int target = 0; target < 3; ++target) {
        saved.chkShapeTo[target] = checkValue(control<QCheckBox>("chkShapeTo", target));
        saved.lblCopyPfad[target] = control<QLabel>("lblCopyPfad", target)->text().toStdString();
    }
    saved.chkRefEintrag = checkValue(control<QCheckBox>("chkRefEintrag"));
    saved.txtRefClass = control<QLineEdit>("txtRefClass")->text().toStdString();
    saved.txtRefDescription = control<QLineEdit>("txtRefDescription")->text().toStdString();
    saved.conv3dsPfad = m_state.gstrConv3dsPfad;
    saved.chkBoundingBox = checkValue(control<QCheckBox>("chkBoundingBox"));
    saved.BoundingBoxWerte = control<QLineEdit>("txtBBoxInput")->text().toStdString();
    saved.WindowState = isMinimized() ? 1 : (isMaximized() ? 2 : 0);

    const std::string path = settingsFilePath(m_state.gstrProgrammPfad);
    const Status written = writeSettingsFile(*m_fileSystem, path, saved);
    if (written) return true;
    const std::string reason = written.error().message();
    m_dialogs->showMessage({}, m_state.text(TextId::MessageSettingsNotSaved) + reason);
    return false;
}

void MainWindow::quit() {
    // A failed start-up ends the program from the load itself, without saving.
    if (m_quitDone || m_loadFailed) return;
    m_quitDone = true;
    dropCommand();
    if (m_loaded && !m_loadFailed) {
#ifdef QUILLFEN_HAS_CHOICE_HANDLERS
        ValidiereBoundingBox(*this);
#endif
        SchreibeEinstellungen();
        const std::string converter = joinPath(m_state.gstrProgrammPfad, "conv3ds.exe");
        if (!m_state.gblnConv3dsBeimProgramm && m_fileSystem->fileExists(converter))
            (void)m_fileSystem->deleteFile(converter);
    }
    emit quitFinished();
    m_services.exitProgram(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    quit();
    event->accept();
}

} // namespace quillfen::ui
