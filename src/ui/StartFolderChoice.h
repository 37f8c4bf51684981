#pragma once
// The folder the window starts in, from its command line: the one folder
// named there, or, without one, the folder the models are in.

#include "core/Texts.h"
#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quillfen::ui {

/// The places a start without an argument looks at.
struct StartPlaces {
    QString currentDirectory;
    QString programFolder;
};

/// Asks the modeller for a folder: the dialog's title and the folder it opens
/// in; an empty answer means the dialog was cancelled.
using FolderQuestion = std::function<QString(const QString& title, const QString& startFolder)>;

/// The start folder, absolute. `arguments` are the program's own (the program
/// first). Without a folder argument: the current directory when it holds 3DS
/// files, else the program's folder when it does, else the folder the
/// modeller chooses; a cancelled dialog gives the current directory, whose
/// start-up then names it in the missing-files message.
[[nodiscard]] QString startFolderOf(const QStringList& arguments, const StartPlaces& places,
                                    const FileSystem& files, Language language, const FolderQuestion& ask);

/// The language of the desktop, for what is shown before a folder's settings are read.
[[nodiscard]] Language desktopLanguage();

} // namespace quillfen::ui
