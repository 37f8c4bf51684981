// The main window's side of the choice handlers: its state, files, clock and
// dialogs become the handlers' services, its desktop dialogs get the
// program's own folder chooser, and the bounding-box frame's command button
// starts the window's box command.

#include "ui/ChoiceHandlers.h"

#include "ui/Dialogs.h"
#include "ui/FolderChooser.h"
#include "ui/MainWindow.h"

namespace quillfen::ui {
namespace {

ChoiceServices servicesOf(MainWindow& window) {
    ChoiceServices services;
    services.state = &window.state();
    services.fileSystem = &window.fileSystem();
    Dialogs& dialogs = window.dialogs();
    services.askYesNo = [&dialogs](const std::string& title, const std::string& text) {
        return dialogs.askYesNo(title, text);
    };
    services.openWithDesktop = [&dialogs](const std::string& path) { dialogs.openWithDesktop(path); };
    services.chooseFolder = [&dialogs](const FolderRequest& request) {
        return dialogs.chooseFolder(request);
    };
    // The display line keeps the box command's messages while its flag is set.
    services.boxCommandRunning = [&window] { return window.boundingBoxFlag(); };
    services.openShapeView = [&window](const std::string& path) {
        window.dialogs().showShapeView({path, window.state().gstrProgrammPfad, window.state().gstrSprache});
    };
    return services;
}

/// The desktop's dialogs run this program's own chooser, frmFolder.
void provideFolderChooser(MainWindow& window) {
    auto* desktop = dynamic_cast<QtDialogs*>(&window.dialogs());
    if (desktop == nullptr) return;
    desktop->setFolderChooser([&window](const FolderRequest& request) {
        Dialogs& dialogs = window.dialogs();
        FolderChooser::Setup setup;
        setup.language = window.state().gstrSprache;
        setup.fileSystem = &window.fileSystem();
        setup.askYesNo = [&dialogs](const std::string& title, const std::string& text) {
            return dialogs.askYesNo(title, text);
        };
        setup.drives = mountedDrives();
        return runFolderChooser(&window, request, std::move(setup));
    });
}

} // namespace

ChoiceHandlers* installChoiceHandlers(MainWindow& window) {
    auto* handlers = new ChoiceHandlers(window.ui(), servicesOf(window), window);
    provideFolderChooser(window);
    return handlers;
}

} // namespace quillfen::ui
