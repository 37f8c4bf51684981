#pragma once
// The 3D view window: the shape drawn with its pictures, a list of its
// distance levels (the nearest chosen first, or the automatic choice by
// distance), the wire box switched on and off, a line of facts with missing
// pictures in red, and a button that hands the file to the program the
// desktop associates with shape files.

#include "core/Texts.h"
#include "ui/ShapeViewWidget.h"
#include "ui/view3d/ShapeScene.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace quillfen::ui {

/// The window's texts in the current language.
struct ShapeViewTexts {
    std::string title; ///< "%1" is the file's name
    std::string automaticLevel;
    std::string levelItem; ///< "%1" the level's number, "%2" its distance in metres
    std::string showBox;
    std::string openExternal;
    std::string facts; ///< "%1" points, "%2" triangles, "%3" sub-objects, "%4" textures, "%5" the box's size
    std::string missing; ///< "%1" the missing pictures' names
    std::string mouseHint;
};

/// The texts of the catalogue in that language.
[[nodiscard]] ShapeViewTexts shapeViewTexts(Language language);

class ShapeViewWindow : public QWidget {
    Q_OBJECT

public:
    /// Shows `scene` (the window keeps it). `openExternal` hands the file to the
    /// desktop's program; without it, the button is not shown.
    ShapeViewWindow(std::unique_ptr<view3d::ShapeScene> scene, const std::string& path, ShapeViewTexts texts,
                    std::function<void()> openExternal, QWidget* parent = nullptr);
    ~ShapeViewWindow() override;

    [[nodiscard]] ShapeViewWidget* drawing() const { return m_drawing; }
    [[nodiscard]] QComboBox* levels() const { return m_levels; }
    [[nodiscard]] QCheckBox* boxSwitch() const { return m_box; }
    [[nodiscard]] QPushButton* externalButton() const { return m_external; }
    [[nodiscard]] QLabel* factsLine() const { return m_facts; }

private:
    std::unique_ptr<view3d::ShapeScene> m_scene;
    ShapeViewTexts m_texts;
    ShapeViewWidget* m_drawing = nullptr;
    QComboBox* m_levels = nullptr;
    QCheckBox* m_box = nullptr;
    QPushButton* m_external = nullptr;
    QLabel* m_facts = nullptr;

    void fillLevels();
    void showFacts(std::size_t level);
};

/// The facts line of a level as rich text: the missing pictures in red.
[[nodiscard]] QString factsText(const view3d::ShapeScene& scene, std::size_t level,
                                const ShapeViewTexts& texts);

} // namespace quillfen::ui
