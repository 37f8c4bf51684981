#include "ui/Dialogs.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "ui/ShapeViewWindow.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QUrl>

namespace quillfen::ui {

namespace {

QString boxTitle(const std::string& title) {
    return QString::fromStdString(title.empty() ? kProgramName : title);
}

} // namespace

std::string messageBoxText(const std::string& text) {
    return replaceAll(replaceAll(text, "\r\n", "\n"), "\r", "\n");
}

QtDialogs::QtDialogs(QWidget* owner) : m_owner(owner) {}

void QtDialogs::showMessage(const std::string& title, const std::string& text) {
    QMessageBox::information(m_owner, boxTitle(title), QString::fromStdString(messageBoxText(text)));
}

bool QtDialogs::askYesNo(const std::string& title, const std::string& text) {
    return QMessageBox::question(m_owner, boxTitle(title), QString::fromStdString(messageBoxText(text)),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

FolderAnswer QtDialogs::chooseFolder(const FolderRequest& request) {
    return m_chooser ? m_chooser(request) : FolderAnswer{};
}

void QtDialogs::setFolderChooser(std::function<FolderAnswer(const FolderRequest&)> chooser) {
    m_chooser = std::move(chooser);
}

bool QtDialogs::openWithDesktop(const std::string& path) {
    const QString target = QString::fromStdString(path);
    const QString kernel = QSysInfo::kernelType();
    if (kernel == QLatin1String("winnt")) return QDesktopServices::openUrl(QUrl::fromLocalFile(target));
    // The path goes to the opener as one argument of its own, never through a
    // shell, so no character in a folder name can run a command.
    const QString opener =
        kernel == QLatin1String("darwin") ? QStringLiteral("open") : QStringLiteral("xdg-open");
    return QProcess::startDetached(opener, {target});
}

void QtDialogs::showShapeView(const ShapeViewRequest& request) {
    const LocalFileSystem fileSystem;
    auto scene = view3d::ShapeScene::load(fileSystem, request.path, request.modelFolder);
    if (!scene) {
        showMessage("", text(request.language, TextId::ViewCannotShow) + scene.error().message());
        return;
    }
    auto* view = new ShapeViewWindow(
        std::make_unique<view3d::ShapeScene>(std::move(scene.value())), request.path,
        shapeViewTexts(request.language), [this, path = request.path] { openWithDesktop(path); }, m_owner);
    view->show();
}

} // namespace quillfen::ui
