#pragma once
// Texture files by their extension: reading any of ACE, DDS, PNG, BMP, TGA and
// JPG into an image, and writing ACE, PNG, BMP, TGA and JPG.

#include "platform/Expected.h"
#include "texture/AceFile.h"
#include "texture/Image.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillfen::texture {

enum class FileFormat { Ace, Dds, Png, Bmp, Tga, Jpg };

/// The format a file name's extension names (letter case ignored), or nothing.
[[nodiscard]] std::optional<FileFormat> formatOfPath(std::string_view path);

/// True for the formats the engines read themselves (ACE, DDS).
[[nodiscard]] constexpr bool isEngineFormat(FileFormat format) {
    return format == FileFormat::Ace || format == FileFormat::Dds;
}

/// The image in the bytes of a file of that format (an ACE file gives its full-size level).
[[nodiscard]] Expected<Image> decodeTexture(std::string_view bytes, FileFormat format);

/// The bytes of a file of that format; `ace` chooses how an ACE file is made.
[[nodiscard]] Expected<std::string> encodeTexture(const Image& image, FileFormat format,
                                                  const AceWriteOptions& ace = {});

} // namespace quillfen::texture
