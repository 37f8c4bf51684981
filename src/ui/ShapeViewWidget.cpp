#include "ui/ShapeViewWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

#include <cmath>

namespace quillfen::ui {

namespace {

constexpr float kDegreesPerPixel = 0.4F;
constexpr float kPanPerPixel = 0.0015F;

} // namespace

ShapeViewWidget::ShapeViewWidget(const view3d::ShapeScene& scene, QWidget* parent)
    : QOpenGLWidget(parent), m_scene(scene), m_camera(view3d::ViewCamera::framing(scene.box())) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
}

ShapeViewWidget::~ShapeViewWidget() {
    releaseRenderer();
    // QOpenGLWidget's destructor destroys the context, whose signal must no
    // longer reach this half-destroyed widget.
    if (QOpenGLContext* glContext = context()) disconnect(glContext, nullptr, this, nullptr);
}

void ShapeViewWidget::releaseRenderer() {
    if (!m_renderer) return;
    // The renderer frees its OpenGL objects in its own context.
    makeCurrent();
    m_renderer.reset();
    doneCurrent();
}

void ShapeViewWidget::initializeGL() {
    m_renderer = std::make_unique<view3d::ShapeRenderer>(m_scene);
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &ShapeViewWidget::releaseRenderer,
            Qt::UniqueConnection);
}

void ShapeViewWidget::paintGL() {
    if (!m_renderer) return;
    view3d::FrameOptions options;
    options.level = shownLevel();
    options.showBox = m_showBox;
    const qreal ratio = devicePixelRatioF();
    m_renderer->render(m_camera, QSize(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio)),
                       options);
}

std::size_t ShapeViewWidget::shownLevel() const {
    if (m_level) return *m_level;
    // The engine measures from the camera to the shape's origin.
    return shape::levelForDistance(m_scene.shape(), m_camera.eye().length());
}

void ShapeViewWidget::setLevel(std::optional<std::size_t> level) {
    m_level = level;
    cameraChanged();
}

void ShapeViewWidget::setShowBox(bool show) {
    m_showBox = show;
    update();
}

void ShapeViewWidget::resetCamera() {
    m_camera = view3d::ViewCamera::framing(m_scene.box());
    cameraChanged();
}

void ShapeViewWidget::cameraChanged() {
    const std::size_t shown = shownLevel();
    if (shown != m_lastShown) {
        m_lastShown = shown;
        emit levelShown(shown);
    }
    update();
}

void ShapeViewWidget::mousePressEvent(QMouseEvent* event) {
    m_lastMouse = event->position().toPoint();
}

void ShapeViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    const QPoint moved = position - m_lastMouse;
    m_lastMouse = position;
    if (event->buttons() & Qt::LeftButton) {
        m_camera.orbit(-static_cast<float>(moved.x()) * kDegreesPerPixel,
                       static_cast<float>(moved.y()) * kDegreesPerPixel);
    } else if (event->buttons() & (Qt::RightButton | Qt::MiddleButton)) {
        m_camera.pan(-static_cast<float>(moved.x()) * kPanPerPixel,
                     static_cast<float>(moved.y()) * kPanPerPixel);
    } else {
        return;
    }
    cameraChanged();
}

void ShapeViewWidget::wheelEvent(QWheelEvent* event) {
    const float notches = static_cast<float>(event->angleDelta().y()) / 120.0F;
    m_camera.zoom(std::pow(0.85F, notches));
    cameraChanged();
}

void ShapeViewWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_R || event->key() == Qt::Key_Home) {
        resetCamera();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

} // namespace quillfen::ui
