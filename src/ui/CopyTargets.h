#pragma once
// The three copy targets (check box, folder label, chooser button and open
// button per target, the shared texture-copy box) and the two buttons that
// open the finished shape or the local SHAPES folder on the desktop.

#include "ui/ChoiceHandlers.h"

#include <QObject>

class QWidget;

namespace quillfen::ui {

class CopyTargets final : public QObject {
public:
    /// All members of `services` are set (the caller filled the defaults).
    CopyTargets(QWidget& root, const ChoiceServices& services);

    static constexpr int kTargetCount = 3;

    /// The chooser run of cmdShapeCopy(target).
    void chooseFolder(int target);

private:
    void onTargetSwitched(int target);
    void openTargetFolder(int target);
    [[nodiscard]] std::string finishedShapePath() const;
    void openShapesFolder();
    void openShapeFile();

    QWidget& m_root;
    const ChoiceServices& m_services;
};

} // namespace quillfen::ui
