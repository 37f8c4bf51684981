#pragma once
// The drives the folder chooser's drive list offers: on Windows the drive
// letters, elsewhere the root and the mounted volumes.

#include <QList>
#include <QString>

namespace quillfen::ui {

struct DriveEntry {
    /// As the list shows it: "c: [label]" for a drive letter, else the mount path.
    QString text;
    /// The volume's top folder, with "/" separators ("C:/", "/", "/media/usb").
    QString root;
};

/// The machine's volumes, the root first.
[[nodiscard]] QList<DriveEntry> mountedDrives();

/// The list text of a volume: a drive letter in lower case with its colon and
/// label, any other root as its path.
[[nodiscard]] QString driveText(const QString& root, const QString& label);

/// The entry whose root holds `path` (the longest such root), or -1.
[[nodiscard]] int driveHolding(const QList<DriveEntry>& drives, const QString& path);

} // namespace quillfen::ui
