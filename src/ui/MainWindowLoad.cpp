// The window load: the start-up steps in their order, with the start-up
// checks that end the program before anything is saved.

#include "app/LodList.h"
#include "app/Session.h"
#include "app/StartupMessages.h"
#include "platform/Paths.h"
#include "ui/BusyDisplay.h"
#include "ui/ChoiceHandlers.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace quillfen::ui {

namespace {

/// The working directory as the program writes it: no trailing separator, except a root.
std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && endsWithSeparator(folder)) {
        if (folder.size() == 3 && folder[1] == ':') break; // "C:\" stays a root
        folder.pop_back();
    }
    return folder;
}

std::string versionCaption() {
    return "Quillfen " + std::to_string(QUILLFEN_VERSION_MAJOR) + "." +
           std::to_string(QUILLFEN_VERSION_MINOR) + "." + std::to_string(QUILLFEN_VERSION_PATCH);
}

} // namespace

int MainWindow::load() {
    // The design sizes the resize rules count from.
    m_loadSizes = {kDesignWidth, kDesignHeight, twipGeometry("txtAusgabe").height};
    m_loaded = true;
    m_state.gstrArrLODDateien = {std::string()};
    m_state.gstrProgrammPfad = withoutTrailingSeparator(m_workingDirectory);
    fitToScreen();
    centreOnScreen();
    show();
    // Shown, the window knows its frame: a low screen may need a smaller start.
    fitToScreen();
    repaint();
    setWindowTitle(QString::fromStdString(versionCaption()));
    m_ui.cmbMipMap->setCurrentText(QStringLiteral("0"));
    m_ui.cmbLang->setCurrentIndex(0);

    // The saved choices reach the controls first, so their reactions run
    // before the folder is looked at, as when the user sets them.
    SavedSettings saved;
    const auto damage = readSavedSettings(*m_fileSystem, m_state.gstrProgrammPfad, saved);
    applySavedSettings(saved);
    if (damage) {
        // The design values are used; the damaged file is kept aside so the quit does not overwrite it.
        const StartupMessage warning = keepDamagedSettingsAside(m_state, *m_fileSystem);
        m_dialogs->showMessage(warning.title, warning.text);
    }
    if (const auto message = discoverModels(m_state, saved, *m_fileSystem))
        return failStartup(message->title, message->text);
    fillLodList();
    SetzeSprache(m_ui.cmbLang->currentText().toStdString());
    m_ui.txtSDateiName->setText(QString::fromStdString(m_state.gstrSDateiVorschlag));
    if (!findConverter()) return 1;
    SchreibeAusgabe(converterInUseLine(m_state));

    // Hide the busy pictures, fit the window, then let a ticked test option blink.
    m_busy->onWatchdogTick();
    setMinimumLayout();
    onResize();
    repaint();
    m_choiceHandlers->blinkActiveTestOption();
    for (const auto& hook : m_loadFinishedHooks) hook();
    return 0;
}

int MainWindow::failStartup(const std::string& title, const std::string& text) {
    m_loadFailed = true;
    m_dialogs->showMessage(title, text);
    hide();
    return 1;
}

void MainWindow::fillLodList() {
    QListWidget* list = m_ui.lstLODListe;
    const QSignalBlocker quiet(list);
    list->clear();
    for (const LodRow& row : lodListRows(m_state)) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.text));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
    }
}

void MainWindow::onLodRowChanged(int row) {
    QListWidget* list = m_ui.lstLODListe;
    if (row < 0) return;
    std::vector<bool> checked;
    for (int r = 0; r < list->count(); ++r) checked.push_back(list->item(r)->checkState() != Qt::Unchecked);
    if (const auto recheck = lodRowToRecheck(checked, static_cast<std::size_t>(row)))
        list->item(static_cast<int>(*recheck))->setCheckState(Qt::Checked);
}

bool MainWindow::findConverter() {
    ConverterSearchEnvironment environment = m_services.converterSearchEnvironment
                                                 ? m_services.converterSearchEnvironment()
                                                 : systemConverterSearchEnvironment();
    if (!environment.showError)
        environment.showError = [this](const StartupMessage& box) {
            m_dialogs->showMessage(box.title, box.text);
        };
    // The box names every place searched, so the modeller sees where to put the converter.
    std::vector<std::string> searched;
    environment.reportSearched = [&searched](const std::vector<std::string>& places) { searched = places; };
    if (const auto message = quillfen::findConverter(m_state, *m_fileSystem, environment)) {
        std::string text = message->text;
        if (!searched.empty()) text += kMessageLineBreak + m_state.text(TextId::StartupSearchedPlaces);
        for (const std::string& place : searched) text += kMessageLineBreak + place;
        failStartup(message->title, text);
        return false;
    }
    return true;
}

} // namespace quillfen::ui
