#pragma once
// A decoded picture: 8-bit red, green, blue and alpha per pixel, rows from the
// top. Every reader of the texture library gives one of these and every writer
// takes one, so a texture goes from any format to any other through it.

#include <cstdint>
#include <vector>

namespace quillfen::texture {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
    bool operator==(const Rgba&) const = default;
};

/// No side of a texture read or made here is longer: both engines stop at 4096
/// and it bounds what a damaged file can make the reader allocate (64 MiB).
inline constexpr int kMaxSide = 4096;

/// How an image uses its alpha channel; decides the channels an ACE file gets.
enum class AlphaUse {
    None, ///< every pixel opaque
    Mask, ///< every pixel fully opaque or fully transparent
    Blend ///< partly transparent pixels
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels; ///< width * height, row by row from the top

    Image() = default;
    Image(int w, int h, Rgba fill = {})
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    [[nodiscard]] Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    [[nodiscard]] const Rgba& at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    [[nodiscard]] AlphaUse alphaUse() const;
    bool operator==(const Image&) const = default;
};

[[nodiscard]] constexpr bool isPowerOfTwo(int side) {
    return side > 0 && (side & (side - 1)) == 0;
}

} // namespace quillfen::texture
