#include "ui/FolderChooserDrives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace quillfen::ui {
namespace {

bool isDriveLetterRoot(const QString& root) {
    return root.size() >= 2 && root[0].isLetter() && root[1] == u':';
}

/// Drive letters ignore letter case; mount paths do not.
Qt::CaseSensitivity caseFor(const QString& root) {
    return isDriveLetterRoot(root) ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

bool rootHolds(const QString& root, const QString& path) {
    const QString cleanRoot = QDir::cleanPath(root);
    const QString cleanPath = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const Qt::CaseSensitivity cs = caseFor(cleanRoot);
    if (cleanPath.compare(cleanRoot, cs) == 0) return true;
    const QString withSeparator = cleanRoot.endsWith(u'/') ? cleanRoot : cleanRoot + u'/';
    return cleanPath.startsWith(withSeparator, cs);
}

} // namespace

QString driveText(const QString& root, const QString& label) {
    if (!isDriveLetterRoot(root)) return QDir::toNativeSeparators(QDir::cleanPath(root));
    QString text = root.left(2).toLower();
    if (!label.isEmpty()) text += QStringLiteral(" [") + label + u']';
    return text;
}

QList<DriveEntry> mountedDrives() {
    QList<DriveEntry> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        // Bind-mounted single files (a container's /etc/hosts) are no drives.
        if (volume.isReady() && !QFileInfo(root).isDir()) continue;
        drives.append(
            {driveText(root, volume.displayName() == root ? QString() : volume.displayName()), root});
    }
    std::sort(drives.begin(), drives.end(), [](const DriveEntry& a, const DriveEntry& b) {
        return QString::compare(a.root, b.root, Qt::CaseInsensitive) < 0;
    });
    return drives;
}

int driveHolding(const QList<DriveEntry>& drives, const QString& path) {
    int best = -1;
    for (int i = 0; i < drives.size(); ++i) {
        if (!rootHolds(drives[i].root, path)) continue;
        if (best < 0 || QDir::cleanPath(drives[i].root).size() > QDir::cleanPath(drives[best].root).size())
            best = i;
    }
    return best;
}

} // namespace quillfen::ui
