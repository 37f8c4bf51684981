#include "texture/TextureFile.h"

#include "texture/DdsFile.h"
#include "texture/StbLibraries.h"

#include <array>
#include <cctype>
#include <utility>

namespace quillfen::texture {
namespace {

constexpr std::array<std::pair<std::string_view, FileFormat>, 7> kExtensions{{{".ace", FileFormat::Ace},
                                                                              {".dds", FileFormat::Dds},
                                                                              {".png", FileFormat::Png},
                                                                              {".bmp", FileFormat::Bmp},
                                                                              {".tga", FileFormat::Tga},
                                                                              {".jpg", FileFormat::Jpg},
                                                                              {".jpeg", FileFormat::Jpg}}};

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i])
            return false;
    return true;
}

OrdinaryFormat ordinary(FileFormat format) {
    switch (format) {
    case FileFormat::Bmp:
        return OrdinaryFormat::Bmp;
    case FileFormat::Tga:
        return OrdinaryFormat::Tga;
    case FileFormat::Jpg:
        return OrdinaryFormat::Jpg;
    default:
        return OrdinaryFormat::Png;
    }
}

} // namespace

std::optional<FileFormat> formatOfPath(std::string_view path) {
    for (const auto& [extension, format] : kExtensions)
        if (endsWithNoCase(path, extension)) return format;
    return std::nullopt;
}

Expected<Image> decodeTexture(std::string_view bytes, FileFormat format) {
    switch (format) {
    case FileFormat::Ace: {
        auto texture = readAce(bytes);
        if (!texture) return texture.error();
        return std::move(texture->levels.front());
    }
    case FileFormat::Dds:
        return readDds(bytes);
    default:
        return decodeOrdinaryImage(bytes);
    }
}

Expected<std::string> encodeTexture(const Image& image, FileFormat format, const AceWriteOptions& ace) {
    if (format == FileFormat::Ace) return writeAce(image, ace);
    if (format == FileFormat::Dds) return Error{{}, "DDS files are read, not written"};
    return encodeOrdinaryImage(image, ordinary(format));
}

} // namespace quillfen::texture
