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

namespace quillfen::ui {

CopyTargets::CopyTargets(QWidget& root, const ChoiceServices& services)
    : QObject(&root), m_root(root), m_services(services) {
    for (int target = 0; target < kTargetCount; ++target) {
        if (auto* box = findControl<QCheckBox>(root, "chkShapeTo", target))
            connect(box, &QCheckBox::stateChanged, this, [this, target] { onTargetSwitched(target); });
        if (auto* choose = findControl<QAbstractButton>(root, "cmdShapeCopy", target))
            connect(choose, &QAbstractButton::clicked, this, [this, target] { chooseFolder(target); });
        if (auto* open = findControl<QAbstractButton>(root, "cmdPathOpen", target))
            connect(open, &QAbstractButton::clicked, this, [this, target] { openTargetFolder(target); });
    }
    // Each target's controls start enabled or locked as its box stands, before any setting arrives.
    for (int target = 0; target < kTargetCount; ++target) onTargetSwitched(target);
    if (auto* shapes = findControl<QAbstractButton>(root, "cmdShapeToExplorer"))
        connect(shapes, &QAbstractButton::clicked, this, [this] { openShapesFolder(); });
    if (auto* view = findControl<QAbstractButton>(root, "cmd3DView"))
        connect(view, &QAbstractButton::clicked, this, [this] { openShapeFile(); });
}

void CopyTargets::onTargetSwitched(int target) {
    const auto* box = findControl<QCheckBox>(m_root, "chkShapeTo", target);
    // Only a plain check switches a target on; the shared texture box follows the box switched last.
    const bool on = box != nullptr && box->checkState() == Qt::Checked;
    setEnabledIfPresent(findControl<QWidget>(m_root, "cmdShapeCopy", target), on);
    setEnabledIfPresent(findControl<QWidget>(m_root, "cmdPathOpen", target), on);
    setEnabledIfPresent(findControl<QWidget>(m_root, "chkTextureCopy"), on);
    setEnabledIfPresent(findControl<QWidget>(m_root, "lblCopyPfad", target), on);
}

void CopyTargets::chooseFolder(int target) {
    ProgramState& state = *m_services.state;
    auto* label = findControl<QLabel>(m_root, "lblCopyPfad", target);
    if (label == nullptr) return;
    state.gintKopierZiel = target;

    FolderRequest request;
    request.target = target;
    // A folder that no longer exists is replaced by the program's own.
    const std::string labelled = fromQt(label->text());
    request.startFolder = m_services.fileSystem->folderExists(labelled) ? labelled : state.gstrProgrammPfad;
    request.title = state.gstrSprache == Language::German ? "Wähle das Strecken-Verzeichnis"
                                                          : "Select the route directory";
    const FolderAnswer answer = m_services.chooseFolder(request);

    if (answer.cancelled) return;
    label->setText(toQt(answer.path));
    if (answer.path.empty()) setTicked(findControl<QCheckBox>(m_root, "chkShapeTo", target), false);
}

void CopyTargets::openTargetFolder(int target) {
    const auto* label = findControl<QLabel>(m_root, "lblCopyPfad", target);
    if (label == nullptr) return;
    const std::string path = fromQt(label->text());
    const FileSystem& files = *m_services.fileSystem;
    // A folder or file that is gone opens nothing and shows no message.
    if (path.empty() || !(files.folderExists(path) || files.fileExists(path))) return;
    m_services.openWithDesktop(path);
}

std::string CopyTargets::finishedShapePath() const {
    const auto* name = findControl<QLineEdit>(m_root, "txtSDateiName");
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
