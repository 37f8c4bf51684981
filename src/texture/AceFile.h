#pragma once
// ACE, the simulator's texture file: a "SIMISA@@@@@@@@@@" header (or
// "SIMISA@F" with the rest zlib-compressed), then a 152-byte image header, the
// channel list, an offset table and the pixels of each mipmap level, either as
// rows of separate channels (8-bit red, green, blue, alpha; 1-bit mask) or as
// DXT blocks.

#include "platform/Expected.h"
#include "texture/Image.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillfen::texture {

struct AceTexture {
    std::vector<Image> levels; ///< the image, then its mipmap levels, each half the size of the one before
    bool dxt = false;          ///< the levels of 4 x 4 pixels and more are stored as DXT blocks
    bool zlib = false;         ///< the file is the compressed variant
};

struct AceWriteOptions {
    bool dxt1 = false;   ///< DXT1 blocks instead of separate channels (alpha becomes a mask)
    bool mipmaps = true; ///< the whole mipmap chain, where the image is square with a side of a power of two
    bool zlib = false;   ///< the compressed variant
};

[[nodiscard]] Expected<AceTexture> readAce(std::string_view bytes);

/// The ACE file of the image: 8-bit alpha where it has partly transparent
/// pixels, a 1-bit mask where it has only fully transparent ones, no alpha otherwise.
[[nodiscard]] std::string writeAce(const Image& image, const AceWriteOptions& options = {});

} // namespace quillfen::texture
