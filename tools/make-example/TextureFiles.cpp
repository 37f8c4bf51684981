#include "TextureFiles.h"

#include "texture/Scaling.h"

#include <cstdlib>
#include <vector>

namespace quillfen::example {
namespace {

void putU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

/// A small fixed pattern of brightness changes, so the pictures are not flat.
std::uint8_t shade(std::uint8_t value, int x, int y) {
    const int noise = ((x * 7 + y * 13) ^ (x * y)) % 17 - 8;
    const int shaded = value + noise;
    return static_cast<std::uint8_t>(shaded < 0 ? 0 : (shaded > 255 ? 255 : shaded));
}

} // namespace

std::string ddsFile(const Image& image) {
    std::vector<Image> chain{image};
    while (chain.back().width > 1) chain.push_back(texture::halved(chain.back()));
    const auto side = static_cast<std::uint32_t>(image.width);
    std::string out = "DDS ";
    putU32(out, 124); // header size
    putU32(out,
           0x1 | 0x2 | 0x4 | 0x8 | 0x1000 | 0x20000); // caps, height, width, pitch, pixel format, mipmaps
    putU32(out, side);
    putU32(out, side);
    putU32(out, side * 4); // bytes per row
    putU32(out, 0);        // depth
    putU32(out, static_cast<std::uint32_t>(chain.size()));
    for (int i = 0; i < 11; ++i) putU32(out, 0);
    putU32(out, 32);         // pixel format size
    putU32(out, 0x40 | 0x1); // RGB with alpha
    putU32(out, 0);          // no FourCC
    putU32(out, 32);
    putU32(out, 0x00FF0000);
    putU32(out, 0x0000FF00);
    putU32(out, 0x000000FF);
    putU32(out, 0xFF000000);
    putU32(out, 0x1000 | 0x400000 | 0x8); // texture, mipmap, complex
    for (int i = 0; i < 4; ++i) putU32(out, 0);
    for (const auto& level : chain)
        for (const auto& pixel : level.pixels) {
            out += static_cast<char>(pixel.b);
            out += static_cast<char>(pixel.g);
            out += static_cast<char>(pixel.r);
            out += static_cast<char>(pixel.a);
        }
    return out;
}

Image brickWall(int size) {
    Image image(size, size);
    const int course = size / 8; // eight courses of bricks
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int row = y / course;
            const int shifted = x + (row % 2) * course;
            const bool mortar = y % course == 0 || shifted % (2 * course) == 0;
            const texture::Rgba colour =
                mortar ? texture::Rgba{200, 195, 185, 255} : texture::Rgba{165, 80, 55, 255};
            image.at(x, y) = {shade(colour.r, x, y), shade(colour.g, x, y), shade(colour.b, x, y), 255};
        }
    return image;
}

Image roofTiles(int size) {
    Image image(size, size);
    const int tile = size / 8;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool edge = y % tile == tile - 1 || x % tile == 0;
            const std::uint8_t red = edge ? 90 : 150;
            image.at(x, y) = {shade(red, x, y), shade(static_cast<std::uint8_t>(red / 3), x, y), 30, 255};
        }
    return image;
}

Image windowPane(int size) {
    Image image(size, size);
    const int frame = size / 16;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool isFrame = x < frame || y < frame || x >= size - frame || y >= size - frame ||
                                 (x >= size / 2 - frame / 2 && x < size / 2 + frame / 2) ||
                                 (y >= size / 2 - frame / 2 && y < size / 2 + frame / 2);
            image.at(x, y) = isFrame ? texture::Rgba{240, 240, 235, 255} : texture::Rgba{110, 150, 190, 110};
        }
    return image;
}

Image doorPlanks(int width, int height) {
    Image image(width, height);
    const int plank = width / 4;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool gap = x % plank == 0;
            const bool brace = std::abs(y - height / 4) < 2 || std::abs(y - 3 * height / 4) < 2;
            const std::uint8_t brown = gap ? 60 : brace ? 110 : 140;
            image.at(x, y) = {shade(brown, x, y), shade(static_cast<std::uint8_t>(brown * 2 / 3), x, y), 40,
                              255};
        }
    return image;
}

} // namespace quillfen::example
