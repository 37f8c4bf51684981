#include "ui/ChoiceHandlers.h"

#include "core/ProgramState.h"
#include "platform/Clock.h"
#include "platform/FileAssociation.h"
#include "platform/FileSystem.h"
#include "ui/BBoxEntry.h"
#include "ui/ChoiceHandlersAltTexture.h"
#include "ui/ChoiceHandlersMipMap.h"
#include "ui/CopyTargets.h"
#include "ui/FolderChooser.h"
#include "ui/NameBox.h"
#include "ui/TestOptions.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <memory>
#include <thread>

namespace quillfen::ui {
namespace {

const QString kHandlersName = QStringLiteral("quillfenChoiceHandlers");

/// Owns the handlers of one window and whatever defaults they use.
class ChoiceHandlers final : public QObject {
public:
    ChoiceHandlers(QWidget& root, ChoiceServices services) : QObject(&root), m_services(std::move(services)) {
        setObjectName(kHandlersName);
        fillDefaults(root);
        // The handlers go with this object, before the services they refer to.
        m_testOptions = adopt(new TestOptions(root, *m_services.clock, m_services.wait));
        adopt(new NameBox(root, *m_services.state));
        adopt(new AltTextureOptions(root));
        adopt(new MipMapChoice(root, *m_services.state));
        m_box =
            adopt(new BBoxEntry(root, m_services.state->gintNachkommastellen, m_services.boxCommandRunning));
        adopt(new CopyTargets(root, m_services));
    }

    TestOptions& testOptions() { return *m_testOptions; }
    BBoxEntry& box() { return *m_box; }

private:
    template <class Handler> Handler* adopt(Handler* handler) {
        handler->setParent(this);
        return handler;
    }

    void fillDefaults(QWidget& root) {
        if (m_services.state == nullptr) {
            m_ownState = std::make_unique<ProgramState>();
            m_services.state = m_ownState.get();
        }
        if (m_services.fileSystem == nullptr) {
            m_ownFileSystem = std::make_unique<LocalFileSystem>();
            m_services.fileSystem = m_ownFileSystem.get();
        }
        if (m_services.clock == nullptr) m_services.clock = &m_steadyClock;
        if (!m_services.wait) {
            // Only the real clock is waited for; a test's clock that stands
            // still lets the blink run through at once.
            const bool realClock = dynamic_cast<const SteadyClock*>(m_services.clock) != nullptr;
            m_services.wait = [realClock](double seconds) {
                if (realClock) sleepFor(seconds);
            };
        }
        if (!m_services.askYesNo)
            m_services.askYesNo = [&root](const std::string& title, const std::string& text) {
                return askWithMessageBox(root, title, text);
            };
        if (!m_services.openWithDesktop)
            m_services.openWithDesktop = [](const std::string& path) {
                QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
            };
        if (!m_services.chooseFolder)
            m_services.chooseFolder = [this, &root](const FolderRequest& request) {
                return runFolderChooser(root.window(), request,
                                        {m_services.state->gstrSprache, request.target, m_services.fileSystem,
                                         m_services.askYesNo, mountedDrives()});
            };
        if (!m_services.boxCommandRunning) m_services.boxCommandRunning = [] { return false; };
        if (!m_services.desktopHasShapeProgram)
            m_services.desktopHasShapeProgram = [] { return desktopHasProgramFor(".s"); };
    }

    /// The blink's pause: the window handles no events meanwhile, as in a busy wait.
    static void sleepFor(double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

    static bool askWithMessageBox(QWidget& root, const std::string& title, const std::string& text) {
        QString shown = QString::fromStdString(text);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        return QMessageBox::question(root.window(), QString::fromStdString(title), shown,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    ChoiceServices m_services;
    std::unique_ptr<ProgramState> m_ownState;
    std::unique_ptr<FileSystem> m_ownFileSystem;
    SteadyClock m_steadyClock;
    TestOptions* m_testOptions = nullptr;
    BBoxEntry* m_box = nullptr;
};

ChoiceHandlers* handlersOf(QWidget& root) {
    return dynamic_cast<ChoiceHandlers*>(root.findChild<QObject*>(kHandlersName, Qt::FindDirectChildrenOnly));
}

} // namespace

void installChoiceHandlers(QWidget& root, ChoiceServices services) {
    if (handlersOf(root) != nullptr) return;
    new ChoiceHandlers(root, std::move(services));
}

void BlinkeAktiveTestOptionen(QWidget& root) {
    if (ChoiceHandlers* handlers = handlersOf(root)) handlers->testOptions().blinkActiveOption();
}

void KlaereTestOptionenOhneAuswahl(QWidget& root) {
    if (ChoiceHandlers* handlers = handlersOf(root)) handlers->testOptions().clearWithoutChoice();
}

void ValidiereBoundingBox(QWidget& root) {
    if (ChoiceHandlers* handlers = handlersOf(root)) handlers->box().validate();
}

} // namespace quillfen::ui
