#pragma once
// DDS, the DirectDraw surface file Open Rails also reads: "DDS ", a 124-byte
// header with the pixel format, then the image (and its mipmaps, not read here)
// as DXT1/DXT3/DXT5 blocks or as packed pixels described by bit masks.

#include "platform/Expected.h"
#include "texture/Image.h"

#include <string_view>

namespace quillfen::texture {

/// The full-size image of a DDS file.
[[nodiscard]] Expected<Image> readDds(std::string_view bytes);

} // namespace quillfen::texture
