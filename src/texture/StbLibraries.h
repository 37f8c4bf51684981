#pragma once
// The texture library's use of the stb single-file libraries (Debian's
// libstb-dev), compiled in one place so the Windows build needs only their
// headers: decoding PNG, BMP, TGA and JPG, writing PNG, BMP, TGA and JPG,
// zlib, DXT1 blocks and scaling.

#include "platform/Expected.h"
#include "texture/Image.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quillfen::texture {

enum class OrdinaryFormat { Png, Bmp, Tga, Jpg };

/// A PNG, BMP, TGA or JPG image from its bytes (the format is recognised from them).
[[nodiscard]] Expected<Image> decodeOrdinaryImage(std::string_view bytes);

[[nodiscard]] Expected<std::string> encodeOrdinaryImage(const Image& image, OrdinaryFormat format);

/// The zlib stream inflated, when it inflates to at most `limit` bytes.
[[nodiscard]] Expected<std::string> inflateZlib(std::string_view stream, std::size_t limit);
[[nodiscard]] std::string deflateZlib(std::string_view bytes);

/// Eight bytes of DXT1 for sixteen RGBA pixels (stb_dxt's four-colour form).
void compressDxt1Block(const unsigned char* rgba, unsigned char* out);

/// The image resampled to the given size (alpha weighted, sRGB aware).
[[nodiscard]] Image resized(const Image& image, int width, int height);

} // namespace quillfen::texture
