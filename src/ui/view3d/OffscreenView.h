#pragma once
// The renderer without a window: an OpenGL context on an offscreen surface,
// drawing into a framebuffer object. Needs a QGuiApplication; on Linux without
// a display, run under xvfb-run (Mesa's software renderer does the drawing).

#include "platform/Expected.h"
#include "ui/view3d/ShapeRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <memory>

namespace quillfen::view3d {

class OffscreenView {
public:
    /// The context, surface and framebuffer for pictures of `size`, with a
    /// renderer for `scene` (which must outlive the view).
    static Expected<std::unique_ptr<OffscreenView>> create(const ShapeScene& scene, QSize size);
    ~OffscreenView();
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    /// Draws one frame and waits until it is finished.
    void draw(const ViewCamera& camera, const FrameOptions& options);
    /// Draws one frame and reads it back.
    [[nodiscard]] QImage picture(const ViewCamera& camera, const FrameOptions& options);

private:
    OffscreenView() = default;

    QOpenGLContext m_context;
    QOffscreenSurface m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_frame;
    std::unique_ptr<ShapeRenderer> m_renderer;
};

} // namespace quillfen::view3d
