// The texture decoder: the texture library reads ACE, DDS, PNG and the other
// formats it knows into RGBA pixels, which become the picture.

#include "texture/TextureFile.h"
#include "ui/view3d/ShapeScene.h"

#include <cstring>

namespace quillfen::view3d {

TextureDecoder libraryTextureDecoder() {
    return [](const FileSystem& fileSystem, const std::string& path) -> std::optional<QImage> {
        const auto format = texture::formatOfPath(path);
        if (!format) return std::nullopt;
        const auto bytes = fileSystem.readBytes(path);
        if (!bytes) return std::nullopt;
        const auto image = texture::decodeTexture(*bytes, *format);
        if (!image || image->width <= 0 || image->height <= 0) return std::nullopt;
        QImage picture(image->width, image->height, QImage::Format_RGBA8888);
        static_assert(sizeof(texture::Rgba) == 4, "pixels are copied row by row as RGBA bytes");
        for (int y = 0; y < image->height; ++y)
            std::memcpy(picture.scanLine(y), &image->at(0, y), static_cast<std::size_t>(image->width) * 4);
        return picture;
    };
}

} // namespace quillfen::view3d
