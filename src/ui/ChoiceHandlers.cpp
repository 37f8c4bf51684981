#include "ui/ChoiceHandlers.h"

#include "core/ProgramState.h"
#include "platform/FileAssociation.h"
#include "platform/FileSystem.h"
#include "ui/BBoxEntry.h"
#include "ui/ChoiceHandlersAltTexture.h"
#include "ui/ChoiceHandlersMipMap.h"
#include "ui/CopyTargets.h"
#include "ui/FolderChooser.h"
#include "ui/NameBox.h"
#include "ui/TestOptions.h"
#include "ui/WindowControls.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace quillfen::ui {
namespace {

bool askWithMessageBox(QWidget& window, const std::string& title, const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return QMessageBox::question(&window, QString::fromStdString(title), shown,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

ChoiceHandlers::ChoiceHandlers(const WindowControls& controls, ChoiceServices services, QWidget& window)
    : QObject(&window), m_services(std::move(services)) {
    fillDefaults(window);
    // The handlers are children of this object, so they go before the services they refer to.
    m_testOptions = new TestOptions(controls, this);
    new NameBox(controls, *m_services.state, this);
    new AltTextureOptions(controls, this);
    m_mipMap = new MipMapChoice(controls, *m_services.state, window);
    m_mipMap->setParent(this);
    new BBoxEntry(controls, m_services.state->gintNachkommastellen, m_services.boxCommandRunning, this);
    new CopyTargets(controls, m_services, this);
}

ChoiceHandlers::~ChoiceHandlers() {
    // The children refer to the services and the owned defaults: they go first.
    qDeleteAll(children());
}

void ChoiceHandlers::fillDefaults(QWidget& window) {
    if (m_services.state == nullptr) {
        m_ownState = std::make_unique<ProgramState>();
        m_services.state = m_ownState.get();
    }
    if (m_services.fileSystem == nullptr) {
        m_ownFileSystem = std::make_unique<LocalFileSystem>();
        m_services.fileSystem = m_ownFileSystem.get();
    }
    if (!m_services.askYesNo)
        m_services.askYesNo = [&window](const std::string& title, const std::string& text) {
            return askWithMessageBox(window, title, text);
        };
    if (!m_services.openWithDesktop)
        m_services.openWithDesktop = [](const std::string& path) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
        };
    if (!m_services.chooseFolder)
        m_services.chooseFolder = [this, &window](const FolderRequest& request) {
            return runFolderChooser(&window, request,
                                    {m_services.state->gstrSprache, request.target, m_services.fileSystem,
                                     m_services.askYesNo, mountedDrives()});
        };
    if (!m_services.boxCommandRunning) m_services.boxCommandRunning = [] { return false; };
    if (!m_services.desktopHasShapeProgram)
        m_services.desktopHasShapeProgram = [] { return desktopHasProgramFor(".s"); };
}

void ChoiceHandlers::blinkActiveTestOption() {
    m_testOptions->blinkActiveOption();
}

} // namespace quillfen::ui
