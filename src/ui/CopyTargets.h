#pragma once
// The three copy targets (check box, folder label, chooser button and open
// button per target, the shared texture-copy box) and the two buttons that
// open the finished shape or the local SHAPES folder on the desktop.

#include "ui/ChoiceHandlers.h"
#include "ui/WindowControls.h"

#include <QObject>

namespace quillfen::ui {

class CopyTargets final : public QObject {
public:
    /// All members of `services` are set (the caller filled the defaults).
    CopyTargets(const WindowControls& controls, const ChoiceServices& services, QObject* parent);

    /// The chooser run of cmdShapeCopy(target).
    void chooseFolder(int target);

private:
    void onTargetSwitched(int target);
    void openTargetFolder(int target);
    [[nodiscard]] std::string finishedShapePath() const;
    void openShapesFolder();
    void openShapeFile();

    const WindowControls& m_c;
    const ChoiceServices& m_services;
};

} // namespace quillfen::ui
