#include "ui/StartFolderChoice.h"

#include "app/StartFolder.h"

#include <QDir>
#include <QLocale>

namespace quillfen::ui {

QString startFolderOf(const QStringList& arguments, const StartPlaces& places, const FileSystem& files,
                      Language language, const FolderQuestion& ask) {
    if (arguments.size() > 1) return QDir(arguments.at(1)).absolutePath();
    const StartFolder start =
        chooseStartFolder(files, QDir::toNativeSeparators(places.currentDirectory).toStdString(),
                          QDir::toNativeSeparators(places.programFolder).toStdString());
    if (start.source != StartFolderSource::AskUser)
        return QDir(QString::fromStdString(start.folder)).absolutePath();
    const QString chosen = ask(QString::fromStdString(text(language, TextId::StartupChooseModelFolder)),
                               places.currentDirectory);
    return QDir(chosen.isEmpty() ? places.currentDirectory : chosen).absolutePath();
}

Language desktopLanguage() {
    return QLocale::system().language() == QLocale::German ? Language::German : Language::English;
}

} // namespace quillfen::ui
