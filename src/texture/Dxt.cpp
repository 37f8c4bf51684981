#include "texture/Dxt.h"

#include "texture/StbLibraries.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace quillfen::texture {
namespace {

std::uint16_t u16At(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

std::uint32_t u32At(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

/// RGB 5:6:5 widened to 8 bits per channel, the top bits repeated into the bottom ones.
Rgba expand565(std::uint16_t colour) {
    const int r = colour >> 11 & 31, g = colour >> 5 & 63, b = colour & 31;
    return Rgba{static_cast<std::uint8_t>(r << 3 | r >> 2), static_cast<std::uint8_t>(g << 2 | g >> 4),
                static_cast<std::uint8_t>(b << 3 | b >> 2), 255};
}

/// (wa * a + wb * b) / (wa + wb) per colour channel, opaque.
Rgba mix(const Rgba& a, int wa, const Rgba& b, int wb) {
    const auto channel = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>((wa * x + wb * y) / (wa + wb));
    };
    return Rgba{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), 255};
}

/// The four colours of a colour block; DXT1 switches to three colours and
/// transparent black when the first colour is not the greater one.
std::array<Rgba, 4> palette(const unsigned char* bytes, bool allowTransparent) {
    const std::uint16_t c0 = u16At(bytes), c1 = u16At(bytes + 2);
    const Rgba first = expand565(c0), second = expand565(c1);
    if (c0 > c1 || !allowTransparent)
        return {first, second, mix(first, 2, second, 1), mix(first, 1, second, 2)};
    return {first, second, mix(first, 1, second, 1), Rgba{0, 0, 0, 0}};
}

void decodeColours(const unsigned char* bytes, bool allowTransparent, Block& block) {
    const auto colours = palette(bytes, allowTransparent);
    const std::uint32_t indices = u32At(bytes + 4);
    for (std::size_t i = 0; i < 16; ++i) {
        const std::uint8_t alpha = block[i].a;
        block[i] = colours[indices >> (2 * i) & 3];
        if (!allowTransparent) block[i].a = alpha;
    }
}

void decodeExplicitAlpha(const unsigned char* bytes, Block& block) {
    for (std::size_t i = 0; i < 16; ++i) {
        const int nibble = bytes[i / 2] >> (4 * (i % 2)) & 0xF;
        block[i].a = static_cast<std::uint8_t>(nibble * 17);
    }
}

void decodeInterpolatedAlpha(const unsigned char* bytes, Block& block) {
    const int a0 = bytes[0], a1 = bytes[1];
    std::array<std::uint8_t, 8> alphas{static_cast<std::uint8_t>(a0), static_cast<std::uint8_t>(a1)};
    const int steps = a0 > a1 ? 7 : 5;
    for (int i = 1; i < steps; ++i)
        alphas[static_cast<std::size_t>(i + 1)] =
            static_cast<std::uint8_t>(((steps - i) * a0 + i * a1) / steps);
    if (steps == 5) {
        alphas[6] = 0;
        alphas[7] = 255;
    }
    std::uint64_t indices = 0;
    for (int i = 5; i >= 0; --i) indices = indices << 8 | bytes[2 + i];
    for (std::size_t i = 0; i < 16; ++i) block[i].a = alphas[indices >> (3 * i) & 7];
}

Block blockAt(const Image& image, int left, int top) {
    Block block;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) // an edge block repeats the last row and column
            block[static_cast<std::size_t>(y * 4 + x)] =
                image.at(std::min(left + x, image.width - 1), std::min(top + y, image.height - 1));
    return block;
}

/// stb_dxt's block turned into DXT1's three-colour form, index 3 for the transparent pixels.
void makeTransparentBlock(const Block& block, unsigned char* bytes) {
    std::uint16_t c0 = u16At(bytes), c1 = u16At(bytes + 2);
    if (c0 > c1) std::swap(c0, c1);
    bytes[0] = static_cast<unsigned char>(c0 & 0xFF);
    bytes[1] = static_cast<unsigned char>(c0 >> 8);
    bytes[2] = static_cast<unsigned char>(c1 & 0xFF);
    bytes[3] = static_cast<unsigned char>(c1 >> 8);
    const auto colours = palette(bytes, true);
    std::uint32_t indices = 0;
    for (std::size_t i = 0; i < 16; ++i) {
        std::uint32_t best = 3;
        if (block[i].a >= 128) {
            int bestDistance = 1 << 30;
            for (std::uint32_t k = 0; k < 3; ++k) {
                const int dr = block[i].r - colours[k].r, dg = block[i].g - colours[k].g,
                          db = block[i].b - colours[k].b;
                const int distance = dr * dr + dg * dg + db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = k;
                }
            }
        }
        indices |= best << (2 * i);
    }
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<unsigned char>(indices >> (8 * i) & 0xFF);
}

} // namespace

std::size_t dxtImageBytes(DxtFormat format, int width, int height) {
    const auto across = static_cast<std::size_t>((width + 3) / 4),
               down = static_cast<std::size_t>((height + 3) / 4);
    return across * down * dxtBlockBytes(format);
}

Block decodeDxtBlock(DxtFormat format, const unsigned char* bytes) {
    Block block;
    switch (format) {
    case DxtFormat::Dxt1:
        decodeColours(bytes, true, block);
        break;
    case DxtFormat::Dxt3:
        decodeExplicitAlpha(bytes, block);
        decodeColours(bytes + 8, false, block);
        break;
    case DxtFormat::Dxt5:
        decodeInterpolatedAlpha(bytes, block);
        decodeColours(bytes + 8, false, block);
        break;
    }
    return block;
}

Expected<Image> decodeDxtImage(DxtFormat format, int width, int height, std::string_view blocks) {
    if (blocks.size() < dxtImageBytes(format, width, height))
        return Error{{}, "the compressed image data ends early"};
    Image image(width, height);
    const auto* next = reinterpret_cast<const unsigned char*>(blocks.data());
    for (int top = 0; top < height; top += 4)
        for (int left = 0; left < width; left += 4, next += dxtBlockBytes(format)) {
            const Block block = decodeDxtBlock(format, next);
            for (int y = 0; y < 4 && top + y < height; ++y)
                for (int x = 0; x < 4 && left + x < width; ++x)
                    image.at(left + x, top + y) = block[static_cast<std::size_t>(y * 4 + x)];
        }
    return image;
}

std::string encodeDxt1Image(const Image& image) {
    std::string out(dxtImageBytes(DxtFormat::Dxt1, image.width, image.height), '\0');
    auto* next = reinterpret_cast<unsigned char*>(out.data());
    for (int top = 0; top < image.height; top += 4)
        for (int left = 0; left < image.width; left += 4, next += 8) {
            const Block block = blockAt(image, left, top);
            compressDxt1Block(reinterpret_cast<const unsigned char*>(block.data()), next);
            bool transparent = false;
            for (const Rgba& p : block) transparent = transparent || p.a < 128;
            if (transparent) makeTransparentBlock(block, next);
        }
    return out;
}

} // namespace quillfen::texture
