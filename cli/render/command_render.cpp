// quillfen-cli render: a picture of a shape, drawn by the 3D view's renderer
// on an offscreen surface.

#include "Commands.h"

#include "platform/FileSystem.h"
#include "platform/Numbers.h"
#include "ui/view3d/OffscreenView.h"

#include <QGuiApplication>

#include <iostream>
#include <optional>

namespace quillfen::cli {

namespace {

constexpr const char* kRenderUsage =
    "Usage: quillfen-cli render FILE.s -o FILE.png [--size WxH] [--lod N] [--yaw DEG --pitch DEG]\n";

struct RenderArguments {
    std::string shape;
    std::string picture;
    QSize size{800, 600};
    std::optional<long long> level;
    std::optional<double> yaw;
    std::optional<double> pitch;
};

std::optional<QSize> sizeFrom(const std::string& text) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return std::nullopt;
    const auto width = parseInteger(text.substr(0, x));
    const auto height = parseInteger(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 8192 || *height > 8192)
        return std::nullopt;
    return QSize(static_cast<int>(*width), static_cast<int>(*height));
}

std::optional<RenderArguments> parse(const Arguments& args) {
    RenderArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        if (arg == "-o" && hasValue) {
            parsed.picture = value;
        } else if (arg == "--size" && hasValue) {
            const auto size = sizeFrom(value);
            if (!size) return std::nullopt;
            parsed.size = *size;
        } else if (arg == "--lod" && hasValue) {
            parsed.level = parseInteger(value);
            if (!parsed.level) return std::nullopt;
        } else if ((arg == "--yaw" || arg == "--pitch") && hasValue) {
            const auto degrees = parseLocaleNumber(value, '.');
            if (!degrees) return std::nullopt;
            (arg == "--yaw" ? parsed.yaw : parsed.pitch) = degrees;
        } else if (parsed.shape.empty() && !arg.empty() && arg.front() != '-') {
            parsed.shape = arg;
            continue;
        } else {
            return std::nullopt;
        }
        ++i;
    }
    if (parsed.shape.empty() || parsed.picture.empty()) return std::nullopt;
    return parsed;
}

int render(const RenderArguments& args) {
    const LocalFileSystem fileSystem;
    const auto scene = view3d::ShapeScene::load(fileSystem, args.shape);
    if (!scene) {
        std::cerr << "quillfen-cli: " << scene.error().message() << '\n';
        return 1;
    }
    const std::size_t level = static_cast<std::size_t>(args.level.value_or(0));
    if (args.level && (*args.level < 0 || level >= scene->levelCount())) {
        std::cerr << "quillfen-cli: the shape has distance levels 0 to " << scene->levelCount() - 1 << '\n';
        return 2;
    }
    for (const std::string& missing : scene->missingImages())
        std::cerr << "missing texture: " << missing << '\n';
    auto view = view3d::OffscreenView::create(*scene, args.size);
    if (!view) {
        std::cerr << "quillfen-cli: " << view.error().message() << '\n';
        return 1;
    }
    view3d::ViewCamera camera = view3d::ViewCamera::framing(scene->box());
    if (args.yaw) camera.yawDegrees = static_cast<float>(*args.yaw);
    if (args.pitch) camera.pitchDegrees = static_cast<float>(*args.pitch);
    view3d::FrameOptions options;
    options.level = level;
    const QImage picture = (*view)->picture(camera, options);
    if (!picture.save(QString::fromStdString(args.picture), "PNG")) {
        std::cerr << "quillfen-cli: " << args.picture << ": the picture could not be written\n";
        return 1;
    }
    return 0;
}

} // namespace

int runRender(const Arguments& args) {
    const auto parsed = parse(args);
    if (!parsed) {
        std::cerr << kRenderUsage;
        return 2;
    }
    // Without a platform named, Qt would look for a window system and end the
    // program where there is none; the offscreen one still finds OpenGL on a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quillfen-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    return render(*parsed);
}

} // namespace quillfen::cli
