#pragma once
// The drawing area of the 3D view: the renderer in a QOpenGLWidget, turned by
// the mouse (left button orbits, right or middle button pans, the wheel zooms;
// R or Home resets the camera). The level shown is the chosen one, or with
// automatic choice the one the engine would show at the camera's distance.

#include "ui/view3d/ShapeRenderer.h"

#include <QOpenGLWidget>
#include <QPoint>

#include <memory>
#include <optional>

namespace quillfen::ui {

class ShapeViewWidget : public QOpenGLWidget {
    Q_OBJECT

public:
    /// `scene` must outlive the widget.
    explicit ShapeViewWidget(const view3d::ShapeScene& scene, QWidget* parent = nullptr);
    ~ShapeViewWidget() override;

    /// A fixed level, or nothing for the automatic choice by distance.
    void setLevel(std::optional<std::size_t> level);
    void setShowBox(bool show);
    void resetCamera();

    [[nodiscard]] const view3d::ViewCamera& camera() const { return m_camera; }
    /// The level the next frame shows.
    [[nodiscard]] std::size_t shownLevel() const;

signals:
    /// The level shown changed (by the choice or, when automatic, by zooming).
    void levelShown(std::size_t level);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const view3d::ShapeScene& m_scene;
    std::unique_ptr<view3d::ShapeRenderer> m_renderer;
    view3d::ViewCamera m_camera;
    std::optional<std::size_t> m_level{0};
    bool m_showBox = true;
    QPoint m_lastMouse;
    std::size_t m_lastShown = 0;

    void releaseRenderer();
    void cameraChanged();
};

} // namespace quillfen::ui
