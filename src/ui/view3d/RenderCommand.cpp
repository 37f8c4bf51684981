#include "ui/view3d/RenderCommand.h"

#include "platform/FileSystem.h"
#include "ui/view3d/OffscreenView.h"

#include <QGuiApplication>

namespace quillfen::view3d {

namespace {

int render(const RenderRequest& request, std::ostream& err) {
    const LocalFileSystem fileSystem;
    const auto scene = ShapeScene::load(fileSystem, request.shape);
    if (!scene) {
        err << "quillfen-cli: " << scene.error().message() << '\n';
        return 1;
    }
    const std::size_t level = request.level.value_or(0);
    if (level >= scene->levelCount()) {
        err << "quillfen-cli: the shape has distance levels 0 to " << scene->levelCount() - 1 << '\n';
        return 2;
    }
    for (const std::string& missing : scene->missingImages()) err << "missing texture: " << missing << '\n';
    auto view = OffscreenView::create(*scene, QSize(request.width, request.height));
    if (!view) {
        err << "quillfen-cli: " << view.error().message() << '\n';
        return 1;
    }
    ViewCamera camera = ViewCamera::framing(scene->box());
    if (request.yawDegrees) camera.yawDegrees = *request.yawDegrees;
    if (request.pitchDegrees) camera.pitchDegrees = *request.pitchDegrees;
    FrameOptions options;
    options.level = level;
    if (!(*view)->picture(camera, options).save(QString::fromStdString(request.picture), "PNG")) {
        err << "quillfen-cli: " << request.picture << ": the picture could not be written\n";
        return 1;
    }
    return 0;
}

} // namespace

int renderShapePicture(const RenderRequest& request, std::ostream& err) {
    // Without a platform named, Qt would look for a window system and end the
    // program where there is none; the offscreen one still finds OpenGL on a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quillfen-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    return render(request, err);
}

} // namespace quillfen::view3d
