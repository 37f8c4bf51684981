// The window load: the start-up steps in their order, with the start-up
// checks that end the program before anything is saved.

#include "app/FolderListing.h"
#include "app/LodList.h"
#include "app/LodNameCheck.h"
#include "app/StartupMessages.h"
#include "platform/Paths.h"
#include "ui/BusyDisplay.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#if __has_include("ui/ChoiceHandlers.h")
#include "ui/ChoiceHandlers.h"
#define QUILLFEN_HAS_CHOICE_HANDLERS 1
#endif

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
    // 1. The design sizes the resize rules count from.
    m_loadSizes = {kDesignWidth, kDesignHeight, twipGeometry("txtAusgabe").height};
    m_loaded = true;
    // 2.-4.
    m_state.gstrArrLODDateien = {std::string()};
    m_state.gstrProgrammPfad = withoutTrailingSeparator(m_workingDirectory);
    // 5.-6.
    centreOnScreen();
    show();
    repaint();
    // 7.-9.
    setWindowTitle(QString::fromStdString(versionCaption()));
    control<QComboBox>("cmbMipMap")->setCurrentText(QStringLiteral("0"));
    control<QComboBox>("cmbLang")->setCurrentIndex(0);
    // 10.-11.
    LiesEinstellungen();
    if (control<QCheckBox>("chkAceUni")->checkState() == Qt::Unchecked &&
        control<QCheckBox>("chkShaderDiffuse")->checkState() == Qt::Unchecked &&
        control<QCheckBox>("chkShaderAddATexDiff")->checkState() == Qt::Unchecked)
        control<QCheckBox>("chkTestOptionen")->setCheckState(Qt::Unchecked);
    // 12.-13. A folder that cannot be read holds no usable 3DS file either;
    // the system's reason tells the modeller why.
    const Status listed = LiesDateiFeld(m_state, *m_fileSystem, m_state.gstrProgrammPfad, "");
    if (!listed) {
        StartupMessage message = missing3dsMessage(m_state);
        return failStartup(message.title, message.text + kMessageLineBreak + listed.error().message());
    }
    if (!PruefeDateiTyp(m_state, "*.3ds").empty()) {
        const StartupMessage message = missing3dsMessage(m_state);
        return failStartup(message.title, message.text);
    }
    // 14.-16.
    fillLodList();
    SetzeSprache(control<QComboBox>("cmbLang")->currentText().toStdString());
    if (const auto message = checkLodNames(m_state)) return failStartup(message->title, message->text);
    // 17.
    control<QLineEdit>("txtSDateiName")->setText(QString::fromStdString(m_state.gstrSDateiVorschlag));
    // 18.
    if (!findConverter()) return 1;
    SchreibeAusgabe(converterInUseLine(m_state));
    // 19.-20.
    m_busy->onWatchdogTick();
    setMinimumSize(twipsToPixelsAtLeast(m_loadSizes.width), twipsToPixelsAtLeast(kMinimumHeight));
    onResize();
    repaint();
    // 21.
#ifdef QUILLFEN_HAS_CHOICE_HANDLERS
    BlinkeAktiveTestOptionen(*this);
#endif
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
    auto* list = control<QListWidget>("lstLODListe");
    const QSignalBlocker quiet(list);
    list->clear();
    for (const LodRow& row : FuelleLODListe(m_state)) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.text));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
        list->addItem(item);
    }
}

void MainWindow::onLodRowChanged(int row) {
    auto* list = control<QListWidget>("lstLODListe");
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
    if (const auto message = quillfen::findConverter(m_state, *m_fileSystem, environment)) {
        failStartup(message->title, message->text);
        return false;
    }
    return true;
}

} // namespace quillfen::ui
