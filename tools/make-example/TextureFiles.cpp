#include "TextureFiles.h"

namespace quillfen::example {
namespace {

// ACE header values: flag 1 = mipmaps present; channel ids red 3, green 4, blue 5, alpha 6.
constexpr std::uint32_t kAceMipmaps = 0x01;
constexpr std::uint32_t kAceSurfaceRgb = 0x0E;
constexpr std::uint32_t kAceSurfaceRgba = 0x11;
// Bytes from the end of "SIMISA@@@@@@@@@@" to the channel table: six numbers and 128 bytes.
constexpr std::uint32_t kAceHeaderBytes = 24 + 128;

void putU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putU64(std::string& out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putPadded(std::string& out, const std::string& text, std::size_t width) {
    std::string field = text.substr(0, width);
    field.resize(width, '\0');
    out += field;
}

Image blank(int size, std::array<std::uint8_t, 4> colour) {
    Image image;
    image.size = size;
    image.rgba.assign(static_cast<std::size_t>(size * size), colour);
    return image;
}

Image halve(const Image& image) {
    Image half = blank(image.size / 2, {0, 0, 0, 0});
    for (int y = 0; y < half.size; ++y)
        for (int x = 0; x < half.size; ++x)
            for (std::size_t c = 0; c < 4; ++c) {
                const int sum = image.at(2 * x, 2 * y)[c] + image.at(2 * x + 1, 2 * y)[c] +
                                image.at(2 * x, 2 * y + 1)[c] + image.at(2 * x + 1, 2 * y + 1)[c];
                half.at(x, y)[c] = static_cast<std::uint8_t>((sum + 2) / 4);
            }
    return half;
}

/// A small fixed pattern of brightness changes, so the pictures are not flat.
std::uint8_t shade(std::uint8_t value, int x, int y) {
    const int noise = ((x * 7 + y * 13) ^ (x * y)) % 17 - 8;
    const int shaded = value + noise;
    return static_cast<std::uint8_t>(shaded < 0 ? 0 : (shaded > 255 ? 255 : shaded));
}

} // namespace

std::vector<Image> mipChain(const Image& image) {
    std::vector<Image> chain{image};
    while (chain.back().size > 1) chain.push_back(halve(chain.back()));
    return chain;
}

std::string aceFile(const Image& image, bool withAlpha) {
    const auto chain = mipChain(image);
    const std::vector<std::uint64_t> channels =
        withAlpha ? std::vector<std::uint64_t>{3, 4, 5, 6} : std::vector<std::uint64_t>{3, 4, 5};
    std::string out = "SIMISA@@@@@@@@@@";
    putU32(out, 1);
    putU32(out, kAceMipmaps);
    putU32(out, static_cast<std::uint32_t>(image.size));
    putU32(out, static_cast<std::uint32_t>(image.size));
    putU32(out, withAlpha ? kAceSurfaceRgba : kAceSurfaceRgb);
    putU32(out, static_cast<std::uint32_t>(channels.size()));
    putU32(out, 0);
    putPadded(out, "", 16);
    putPadded(out, "Quillfen make-example", 64);
    putPadded(out, "", 44);
    for (const auto channel : channels) {
        putU64(out, 8);
        putU64(out, channel);
    }
    // A table with the offset of every row of every mipmap, counted from behind the signature.
    std::uint32_t rows = 0;
    for (const auto& level : chain) rows += static_cast<std::uint32_t>(level.size);
    std::uint32_t offset = kAceHeaderBytes + 16 * static_cast<std::uint32_t>(channels.size()) + 4 * rows;
    for (const auto& level : chain)
        for (int y = 0; y < level.size; ++y) {
            putU32(out, offset);
            offset += static_cast<std::uint32_t>(level.size) * static_cast<std::uint32_t>(channels.size());
        }
    for (const auto& level : chain)
        for (int y = 0; y < level.size; ++y)
            for (const auto channel : channels) {
                const auto component = static_cast<std::size_t>(channel == 6 ? 3 : channel - 3);
                for (int x = 0; x < level.size; ++x) out += static_cast<char>(level.at(x, y)[component]);
            }
    return out;
}

std::string ddsFile(const Image& image) {
    const auto chain = mipChain(image);
    const auto side = static_cast<std::uint32_t>(image.size);
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
        for (const auto& pixel : level.rgba) {
            out += static_cast<char>(pixel[2]);
            out += static_cast<char>(pixel[1]);
            out += static_cast<char>(pixel[0]);
            out += static_cast<char>(pixel[3]);
        }
    return out;
}

Image brickWall(int size) {
    Image image = blank(size, {0, 0, 0, 255});
    const int course = size / 8; // eight courses of bricks
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int row = y / course;
            const int shifted = x + (row % 2) * course;
            const bool mortar = y % course == 0 || shifted % (2 * course) == 0;
            const std::array<std::uint8_t, 4> colour = mortar
                                                           ? std::array<std::uint8_t, 4>{200, 195, 185, 255}
                                                           : std::array<std::uint8_t, 4>{165, 80, 55, 255};
            image.at(x, y) = {shade(colour[0], x, y), shade(colour[1], x, y), shade(colour[2], x, y), 255};
        }
    return image;
}

Image roofTiles(int size) {
    Image image = blank(size, {0, 0, 0, 255});
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
    Image image = blank(size, {0, 0, 0, 255});
    const int frame = size / 16;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool isFrame = x < frame || y < frame || x >= size - frame || y >= size - frame ||
                                 (x >= size / 2 - frame / 2 && x < size / 2 + frame / 2) ||
                                 (y >= size / 2 - frame / 2 && y < size / 2 + frame / 2);
            image.at(x, y) = isFrame ? std::array<std::uint8_t, 4>{240, 240, 235, 255}
                                     : std::array<std::uint8_t, 4>{110, 150, 190, 110};
        }
    return image;
}

} // namespace quillfen::example
