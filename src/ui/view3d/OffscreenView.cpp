#include "ui/view3d/OffscreenView.h"

#include <QOpenGLFunctions>

namespace quillfen::view3d {

Expected<std::unique_ptr<OffscreenView>> OffscreenView::create(const ShapeScene& scene, QSize size) {
    std::unique_ptr<OffscreenView> view(new OffscreenView);
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    view->m_context.setFormat(format);
    if (!view->m_context.create())
        return Error{"", "no OpenGL context could be made (without a display, run under xvfb-run)"};
    view->m_surface.setFormat(view->m_context.format());
    view->m_surface.create();
    if (!view->m_context.makeCurrent(&view->m_surface))
        return Error{"", "the OpenGL context could not be used"};
    view->m_frame = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::Depth);
    if (!view->m_frame->isValid()) return Error{"", "no OpenGL framebuffer of that size could be made"};
    view->m_renderer = std::make_unique<ShapeRenderer>(scene);
    if (!view->m_renderer->ready()) return Error{"", view->m_renderer->error().toStdString()};
    return view;
}

OffscreenView::~OffscreenView() {
    // The renderer and the framebuffer free their OpenGL objects in their own context.
    m_context.makeCurrent(&m_surface);
    m_renderer.reset();
    m_frame.reset();
    m_context.doneCurrent();
}

void OffscreenView::draw(const ViewCamera& camera, const FrameOptions& options) {
    m_context.makeCurrent(&m_surface);
    m_frame->bind();
    m_renderer->render(camera, m_frame->size(), options);
    m_context.functions()->glFinish();
}

QImage OffscreenView::picture(const ViewCamera& camera, const FrameOptions& options) {
    draw(camera, options);
    return m_frame->toImage();
}

} // namespace quillfen::view3d
