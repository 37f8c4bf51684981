#pragma once
// Texture files the simulator reads: uncompressed ACE (its own format) and
// uncompressed DDS, both with a full chain of mipmaps.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillfen::example {

/// A square RGBA image whose side is a power of two.
struct Image {
    int size = 0;
    std::vector<std::array<std::uint8_t, 4>> rgba; ///< row by row from the top

    [[nodiscard]] std::array<std::uint8_t, 4>& at(int x, int y) {
        return rgba[static_cast<std::size_t>(y * size + x)];
    }
    [[nodiscard]] const std::array<std::uint8_t, 4>& at(int x, int y) const {
        return rgba[static_cast<std::size_t>(y * size + x)];
    }
};

/// The image followed by its halvings down to one pixel.
[[nodiscard]] std::vector<Image> mipChain(const Image& image);

/// An uncompressed ACE file with red, green and blue channels (and an alpha
/// channel when `withAlpha`), every mipmap stored row by row, channel by channel.
[[nodiscard]] std::string aceFile(const Image& image, bool withAlpha);

/// An uncompressed 32-bit DDS file (A8R8G8B8) with all mipmaps.
[[nodiscard]] std::string ddsFile(const Image& image);

/// The example's pictures, drawn by rule.
[[nodiscard]] Image brickWall(int size);
[[nodiscard]] Image roofTiles(int size);
[[nodiscard]] Image windowPane(int size);

} // namespace quillfen::example
