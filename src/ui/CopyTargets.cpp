#include "ui/CopyTargets.h"

#include "core/ProgramState.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "ui/ChoiceHandlersControls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quillfen::ui {

CopyTargets::CopyTargets(const WindowControls& controls, const ChoiceServices& services, QObject* parent)
    : QObject(parent), m_c(controls), m_services(services) {
    for (int target = 0; target < kCopyTargetCount; ++target) {
        const auto i = static_cast<std::size_t>(target);
        if (m_c.chkShapeTo[i] != nullptr)
            connect(m_c.chkShapeTo[i], &QCheckBox::stateChanged, this,
                    [this, target] { onTargetSwitched(target); });
        if (m_c.cmdShapeCopy[i] != nullptr)
            connect(m_c.cmdShapeCopy[i], &QAbstractButton::clicked, this,
                    [this, target] { chooseFolder(target); });
        if (m_c.cmdPathOpen[i] != nullptr)
            connect(m_c.cmdPathOpen[i], &QAbstractButton::clicked, this,
                    [this, target] { openTargetFolder(target); });
    }
    // Each target's controls start enabled or locked as its box stands, before any setting arrives.
    for (int target = 0; target < kCopyTargetCount; ++target) onTargetSwitched(target);
    if (m_c.cmdShapeToExplorer != nullptr)
        connect(m_c.cmdShapeToExplorer, &QAbstractButton::clicked, this, [this] { openShapesFolder(); });
    if (m_c.cmd3DView != nullptr)
        connect(m_c.cmd3DView, &QAbstractButton::clicked, this, [this] { openShapeFile(); });
}

void CopyTargets::onTargetSwitched(int target) {
    const auto i = static_cast<std::size_t>(target);
    const QCheckBox* box = m_c.chkShapeTo[i];
    // Only a plain check switches a target on; the shared texture box follows the box switched last.
    const bool on = box != nullptr && box->checkState() == Qt::Checked;
    setEnabledIfPresent(m_c.cmdShapeCopy[i], on);
    setEnabledIfPresent(m_c.cmdPathOpen[i], on);
    setEnabledIfPresent(m_c.chkTextureCopy, on);
    setEnabledIfPresent(m_c.lblCopyPfad[i], on);
}

void CopyTargets::chooseFolder(int target) {
    ProgramState& state = *m_services.state;
    QLabel* label = m_c.lblCopyPfad[static_cast<std::size_t>(target)];
    if (label == nullptr) return;
    state.gintKopierZiel = target;

    FolderRequest request;
    request.target = target;
    // A folder that no longer exists is replaced by the program's own.
    const std::string labelled = fromQt(label->text());
    request.startFolder = m_services.fileSystem->folderExists(labelled) ? labelled : state.gstrProgrammPfad;
    request.title = text(state.gstrSprache, TextId::ChooserTitle);
    const FolderAnswer answer = m_services.chooseFolder(request);

    if (answer.cancelled) return;
    label->setText(toQt(answer.path));
    if (answer.path.empty()) setTicked(m_c.chkShapeTo[static_cast<std::size_t>(target)], false);
}

void CopyTargets::openTargetFolder(int target) {
    const QLabel* label = m_c.lblCopyPfad[static_cast<std::size_t>(target)];
    if (label == nullptr) return;
    const std::string path = fromQt(label->text());
    const FileSystem& files = *m_services.fileSystem;
    // A folder or file that is gone opens nothing and shows no message.
    if (path.empty() || !(files.folderExists(path) || files.fileExists(path))) return;
    m_services.openWithDesktop(path);
}

std::string CopyTargets::finishedShapePath() const {
    const QLineEdit* name = m_c.txtSDateiName;
    const std::string shapes = joinPath(m_services.state->gstrProgrammPfad, "SHAPES");
    return joinPath(shapes, trimBlanks(name != nullptr ? fromQt(name->text()) : std::string()));
}

void CopyTargets::openShapesFolder() {
    if (!m_services.fileSystem->fileExists(finishedShapePath())) return;
    m_services.openWithDesktop(joinPath(m_services.state->gstrProgrammPfad, "SHAPES"));
}

void CopyTargets::openShapeFile() {
    const std::string shape = finishedShapePath();
    if (!m_services.fileSystem->fileExists(shape)) return;
    // The program shows the shape itself unless the desktop has a viewer of its own for it.
    if (m_services.openShapeView && !m_services.desktopHasShapeProgram())
        m_services.openShapeView(shape);
    else
        m_services.openWithDesktop(shape);
}

} // namespace quillfen::ui
