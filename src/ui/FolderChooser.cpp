#include "ui/FolderChooser.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace quillfen::ui {
namespace {

constexpr int kFolderRole = Qt::UserRole;
constexpr int kIndentBlanks = 2;

/// The folders from the root down to `path`, each with "/" separators.
QStringList foldersDownTo(const QString& path) {
    QStringList chain;
    QDir dir(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    chain.prepend(dir.absolutePath());
    while (dir.cdUp()) chain.prepend(dir.absolutePath());
    return chain;
}

QString folderName(const QString& path) {
    const QString name = QDir(path).dirName();
    return name.isEmpty() ? QDir::toNativeSeparators(path) : name;
}

QListWidgetItem* folderItem(const QString& path, int depth) {
    auto* item = new QListWidgetItem(QString(depth * kIndentBlanks, u' ') + folderName(path));
    item->setData(kFolderRole, QDir::toNativeSeparators(path));
    return item;
}

} // namespace

std::string shapesQuestionTitle(Language language) {
    return text(language, TextId::ChooserShapesTitle);
}

std::string shapesQuestionText(Language language, const std::string& path) {
    return text(language, TextId::ChooserShapesQuestion, {path + kSep + "SHAPES"});
}

FolderChooser::FolderChooser(QWidget* owner, Setup setup) : QDialog(owner), m_setup(std::move(setup)) {
    setObjectName(QStringLiteral("frmFolder"));
    setModal(true);
    setWindowTitle(QString::fromStdString(text(m_setup.language, TextId::ChooserDesignTitle)));
    buildControls();
    m_values.blnAbgebrochen = false;
    applyLanguage();
}

void FolderChooser::buildControls() {
    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("drvDrive"));
    for (const DriveEntry& drive : m_setup.drives) m_drives->addItem(drive.text);
    m_drives->setCurrentIndex(-1);
    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("dirDir"));
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("lblWarnung"));
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_noFolder = new QPushButton(this);
    m_noFolder->setObjectName(QStringLiteral("cmdNoFolder"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_noFolder);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_drives);
    layout->addWidget(m_folders, 1);
    layout->addWidget(m_warning);
    layout->addLayout(buttons);

    connect(m_drives, &QComboBox::currentIndexChanged, this, [this](int index) { onDriveChanged(index); });
    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { onFolderActivated(item); });
    connect(m_ok, &QPushButton::clicked, this, [this] { clickOk(); });
    connect(m_noFolder, &QPushButton::clicked, this, [this] { clickNoFolder(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { clickCancel(); });
}

void FolderChooser::applyLanguage() {
    const auto pick = [this](TextId id) { return QString::fromStdString(text(m_setup.language, id)); };
    m_noFolder->setText(pick(TextId::ChooserCaptionNoFolder));
    m_noFolder->setToolTip(pick(TextId::ChooserTooltipNoFolder));
    m_drives->setToolTip(pick(TextId::ChooserTooltipDrive));
    m_folders->setToolTip(pick(TextId::ChooserTooltipFolder));
    m_ok->setText(pick(TextId::ChooserCaptionOk));
    m_ok->setToolTip(pick(TextId::ChooserTooltipOk));
    m_cancel->setText(pick(TextId::ChooserCaptionCancel));
    m_cancel->setToolTip(pick(TextId::ChooserTooltipCancel));
    m_values.strLaufwerkFehler = pick(TextId::ChooserDriveError).toStdString();
}

void FolderChooser::applyTitle() {
    if (!m_values.strTitel.empty()) setWindowTitle(QString::fromStdString(m_values.strTitel));
}

void FolderChooser::resizeEvent(QResizeEvent* event) {
    applyTitle();
    QDialog::resizeEvent(event);
}

void FolderChooser::showEvent(QShowEvent* event) {
    applyTitle();
    QDialog::showEvent(event);
}

bool FolderChooser::setFolderPath(const QString& path) {
    if (path.isEmpty() || m_setup.fileSystem == nullptr) return false;
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
    if (!m_setup.fileSystem->folderExists(native.toStdString())) return false;
    if (!m_setup.fileSystem->listFolders(native.toStdString()).ok()) return false;
    m_folder = native;
    fillFolderList();
    // The drive follows the folder.
    setDrive(m_folder);
    return true;
}

void FolderChooser::fillFolderList() {
    m_folders->clear();
    const QStringList chain = foldersDownTo(m_folder);
    for (int depth = 0; depth < chain.size(); ++depth) m_folders->addItem(folderItem(chain[depth], depth));
    m_folders->setCurrentRow(static_cast<int>(chain.size()) - 1);

    auto subfolders = m_setup.fileSystem->listFolders(m_folder.toStdString());
    if (!subfolders.ok()) return;
    std::vector<std::string>& names = subfolders.value();
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
    });
    const QString parent = QDir::fromNativeSeparators(m_folder);
    for (const std::string& name : names) {
        const QString child = QDir::cleanPath(parent + u'/' + QString::fromStdString(name));
        m_folders->addItem(folderItem(child, static_cast<int>(chain.size())));
    }
}

void FolderChooser::setDrive(const QString& path) {
    const int index = driveHolding(m_setup.drives, path);
    if (index >= 0) m_drives->setCurrentIndex(index);
}

int FolderChooser::currentDrive() const {
    return m_drives->currentIndex();
}

void FolderChooser::chooseDrive(int index) {
    m_drives->setCurrentIndex(index);
}

void FolderChooser::onDriveChanged(int index) {
    m_warning->clear();
    if (index < 0 || index >= m_setup.drives.size()) return;
    // A folder already on the chosen drive stays: the drive only followed it.
    if (!m_folder.isEmpty() && driveHolding(m_setup.drives, m_folder) == index) return;
    if (!setFolderPath(m_setup.drives[index].root))
        m_warning->setText(QString::fromStdString(m_values.strLaufwerkFehler));
}

void FolderChooser::onFolderActivated(QListWidgetItem* item) {
    if (item != nullptr) setFolderPath(item->data(kFolderRole).toString());
}

void FolderChooser::clickOk() {
    const QString path = folderPath();
    // With no folder shown (the start folder could not be opened) there is nothing to take.
    if (path.isEmpty()) return;
    const bool routeTarget = m_setup.target == 0 || m_setup.target == 1;
    if (routeTarget && path.right(6).toUpper() == QStringLiteral("SHAPES") && m_setup.askYesNo) {
        const std::string chosen = path.toStdString();
        // Yes: the user wants to pick another folder, so the chooser stays open.
        if (m_setup.askYesNo(shapesQuestionTitle(m_setup.language),
                             shapesQuestionText(m_setup.language, chosen)))
            return;
    }
    m_values.strPfad = path.toStdString();
    accept();
}

void FolderChooser::clickNoFolder() {
    m_values.strPfad.clear();
    accept();
}

void FolderChooser::clickCancel() {
    m_values.blnAbgebrochen = true;
    reject();
}

FolderAnswer runFolderChooser(QWidget* owner, const FolderRequest& request, FolderChooser::Setup setup) {
    setup.target = request.target;
    FolderChooser chooser(owner, std::move(setup));
    FolderChooserValues& values = chooser.values();
    values.strPfad = request.startFolder;
    if (!values.strPfad.empty()) {
        const QString start = QString::fromStdString(values.strPfad);
        chooser.setFolderPath(start);
        chooser.setDrive(start);
    }
    values.strTitel = request.title;
    chooser.exec();
    return {values.blnAbgebrochen, values.strPfad};
}

} // namespace quillfen::ui
