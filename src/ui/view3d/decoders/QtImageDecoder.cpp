// The texture decoder of a build without the texture library: Qt's own image
// readers (PNG, BMP, JPG); ACE and DDS files are shown without their picture.

#include "ui/view3d/ShapeScene.h"

namespace quillfen::view3d {

TextureDecoder libraryTextureDecoder() {
    return [](const FileSystem& fileSystem, const std::string& path) -> std::optional<QImage> {
        const auto bytes = fileSystem.readBytes(path);
        if (!bytes) return std::nullopt;
        QImage image =
            QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<int>(bytes->size()));
        if (image.isNull()) return std::nullopt;
        return image.convertToFormat(QImage::Format_RGBA8888);
    };
}

} // namespace quillfen::view3d
