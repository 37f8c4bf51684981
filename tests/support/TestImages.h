#pragma once
// Small images with known pixels for the texture tests.

#include "texture/Image.h"

#include <cstdint>

namespace quillfen::texture::test {

/// Every pixel different; alpha as given (255 opaque).
inline Image gradient(int width, int height, std::uint8_t alpha = 255) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at(x, y) =
                Rgba{static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(y * 255 / height),
                     static_cast<std::uint8_t>((x + y) * 7), alpha};
    return image;
}

/// Opaque except for a fully transparent left half.
inline Image masked(int width, int height) {
    Image image = gradient(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width / 2; ++x) image.at(x, y).a = 0;
    return image;
}

/// Alpha running through every level.
inline Image blended(int width, int height) {
    Image image = gradient(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i].a = static_cast<std::uint8_t>(i * 37);
    return image;
}

/// One colour per 4 x 4 block, each exactly representable in DXT1's 5:6:5 (opaque or transparent).
inline Image blockColours(int width, int height, bool withTransparentBlock) {
    static constexpr Rgba kColours[] = {
        {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int block = (x / 4 + y / 4) % 4;
            image.at(x, y) = withTransparentBlock && x < 4 && y < 4 ? Rgba{0, 0, 0, 0} : kColours[block];
        }
    return image;
}

/// The largest difference of any channel of any pixel (images of one size).
inline int largestDifference(const Image& a, const Image& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgba &p = a.pixels[i], &q = b.pixels[i];
        for (const int d : {p.r - q.r, p.g - q.g, p.b - q.b, p.a - q.a})
            largest = d < 0 ? -d > largest ? -d : largest : d > largest ? d : largest;
    }
    return largest;
}

} // namespace quillfen::texture::test
