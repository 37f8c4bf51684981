#pragma once
// The S3TC block formats of ACE and DDS files: 4x4 pixels per block, 8 bytes
// (DXT1) or 16 bytes (DXT3, DXT5). Decoding is small enough to be done here;
// DXT1 encoding uses stb_dxt.

#include "platform/Expected.h"
#include "texture/Image.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillfen::texture {

enum class DxtFormat { Dxt1, Dxt3, Dxt5 };

using Block = std::array<Rgba, 16>; ///< pixels of one block, row by row

[[nodiscard]] constexpr std::size_t dxtBlockBytes(DxtFormat format) {
    return format == DxtFormat::Dxt1 ? 8 : 16;
}

/// The bytes of a width x height image in blocks (partial blocks at the edges count whole).
[[nodiscard]] std::size_t dxtImageBytes(DxtFormat format, int width, int height);

/// One block's pixels from its bytes (dxtBlockBytes(format) of them).
[[nodiscard]] Block decodeDxtBlock(DxtFormat format, const unsigned char* bytes);

/// The whole image from its blocks; an error when `blocks` is shorter than dxtImageBytes.
[[nodiscard]] Expected<Image> decodeDxtImage(DxtFormat format, int width, int height,
                                             std::string_view blocks);

/// DXT1 blocks of the image. Blocks with pixels below half alpha use DXT1's
/// transparent colour for them, so a mask survives.
[[nodiscard]] std::string encodeDxt1Image(const Image& image);

} // namespace quillfen::texture
