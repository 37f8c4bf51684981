// DDS files and their DXT blocks: known pixels decoded, damaged or unknown files rejected.

#include "support/TestImages.h"

#include "texture/DdsFile.h"
#include "texture/Dxt.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace quillfen::texture {
namespace {

void put(std::string& out, std::size_t offset, std::uint32_t value) {
    std::memcpy(out.data() + offset, &value, 4);
}

/// A DDS header for a width x height image with the given pixel-format flags, four-cc, bit count and masks.
std::string ddsHeader(int width, int height, std::uint32_t flags, const char* fourCc, std::uint32_t bits,
                      std::array<std::uint32_t, 4> masks) {
    std::string out(128, '\0');
    std::memcpy(out.data(), "DDS ", 4);
    for (const auto& [offset, value] : {std::pair{4, 124u},
                                        {12, static_cast<std::uint32_t>(height)},
                                        {16, static_cast<std::uint32_t>(width)},
                                        {76, 32u},
                                        {80, flags},
                                        {88, bits}})
        put(out, offset, value);
    std::memcpy(out.data() + 84, fourCc, 4);
    for (std::size_t i = 0; i < 4; ++i) put(out, 92 + 4 * i, masks[i]);
    return out;
}

std::string packed(const Image& image, std::size_t bytesPerPixel) {
    std::string out;
    for (const Rgba& p : image.pixels)
        out.append(std::string{char(p.b), char(p.g), char(p.r), char(p.a)}, 0, bytesPerPixel);
    return out;
}

constexpr std::array<std::uint32_t, 4> kBgra{0xFF0000, 0xFF00, 0xFF, 0xFF000000};

TEST(DdsFile, BlockAndPackedImagesDecode) {
    const Image blocks = test::blockColours(8, 4, true), alpha = test::blended(3, 5),
                opaque = test::gradient(4, 2);
    // clang-format off
    const std::tuple<const char*, std::string, Image> cases[] = {
        {"dxt1", ddsHeader(8, 4, 4, "DXT1", 0, {}) + encodeDxt1Image(blocks), blocks},
        {"32-bit with alpha", ddsHeader(3, 5, 0x41, "\0\0\0\0", 32, kBgra) + packed(alpha, 4), alpha},
        {"24-bit", ddsHeader(4, 2, 0x40, "\0\0\0\0", 24, kBgra) + packed(opaque, 3), opaque},
        {"16-bit 5:6:5", ddsHeader(1, 1, 0x40, "\0\0\0\0", 16, {0xF800, 0x07E0, 0x001F, 0}) + "\x1F\xF8", Image(1, 1, Rgba{255, 0, 255, 255})},
    };
    // clang-format on
    for (const auto& [name, bytes, expected] : cases) {
        const auto image = readDds(bytes);
        ASSERT_TRUE(image.ok()) << name << ": " << image.error().message();
        EXPECT_EQ(*image, expected) << name;
    }
}

TEST(DdsFile, DamagedOrUnknownFilesGiveAnError) {
    const std::string good = ddsHeader(8, 8, 4, "DXT5", 0, {}) + std::string(64, '\0');
    std::string wrongSize = good, huge = good;
    put(wrongSize, 4, 100);
    put(huge, 16, 1u << 31);
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""}, {"garbage", std::string(200, 'D')}, {"header size", wrongSize}, {"huge width", huge},
        {"unknown four-cc", ddsHeader(4, 4, 4, "DX10", 0, {}) + std::string(64, '\0')},
        {"luminance", ddsHeader(4, 4, 0x20000, "\0\0\0\0", 8, {0xFF, 0, 0, 0}) + std::string(16, '\0')},
        {"12 bits per pixel", ddsHeader(4, 4, 0x40, "\0\0\0\0", 12, kBgra) + std::string(64, '\0')},
        {"packed pixels missing", ddsHeader(4, 4, 0x40, "\0\0\0\0", 32, kBgra) + std::string(63, '\0')},
    };
    // clang-format on
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(readDds(bytes).ok()) << name;
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(readDds(good.substr(0, length)).ok()) << "cut at " << length;
}

// Colour halves: red 0xF800 and blue 0x001F; indices 0, 1, 2, 3 for pixels 0..3 (0b11100100 = 0xE4).
const std::vector<unsigned char> kRedBlue{0x00, 0xF8, 0x1F, 0x00, 0xE4, 0, 0, 0},
    kBlueRed{0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};

std::vector<unsigned char> join(std::vector<unsigned char> alpha, const std::vector<unsigned char>& colour) {
    alpha.insert(alpha.end(), colour.begin(), colour.end());
    return alpha;
}

TEST(Dxt, BlocksDecodeToKnownPixels) {
    const Rgba red{255, 0, 0, 255}, blue{0, 0, 255, 255};
    const std::tuple<const char*, DxtFormat, std::vector<unsigned char>,
                     std::vector<std::pair<std::size_t, Rgba>>>
        // clang-format off
        cases[] = {
            {"dxt1 four colours", DxtFormat::Dxt1, kRedBlue, {{0, red}, {1, blue}, {2, {170, 0, 85, 255}}, {3, {85, 0, 170, 255}}, {15, red}}},
            {"dxt1 three colours and transparent", DxtFormat::Dxt1, kBlueRed, {{0, blue}, {1, red}, {2, {127, 0, 127, 255}}, {3, {0, 0, 0, 0}}}},
            {"dxt3 explicit alpha", DxtFormat::Dxt3, join({0x10, 0xF0, 0, 0, 0, 0, 0, 0x5A}, kBlueRed), {{0, {0, 0, 255, 0}}, {1, {255, 0, 0, 17}}, {3, {170, 0, 85, 255}}, {15, {0, 0, 255, 5 * 17}}}},
            // Alpha 255 and 0 in eight steps; indices 0, 1, 2, 7 for pixels 0..3: bits 000 001 010 111.
            {"dxt5 eight alphas", DxtFormat::Dxt5, join({255, 0, 0x88, 0x0E, 0, 0, 0, 0}, kRedBlue), {{0, {255, 0, 0, 255}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 218}}, {3, {85, 0, 170, 36}}}},
            // Alpha 0 and 255 in six steps with 0 and 255 at indices 6 and 7: indices 2, 6, 7 for pixels
            // 0..2.
            {"dxt5 six alphas", DxtFormat::Dxt5, join({0, 255, 0xF2, 0x01, 0, 0, 0, 0}, kRedBlue), {{0, {255, 0, 0, 51}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 255}}}},
        };
    // clang-format on
    for (const auto& [name, format, bytes, pixels] : cases) {
        const Block block = decodeDxtBlock(format, bytes.data());
        for (const auto& [index, expected] : pixels)
            EXPECT_EQ(block[index], expected) << name << " " << index;
    }
    // An image needs all its blocks, partial ones included.
    EXPECT_EQ(dxtImageBytes(DxtFormat::Dxt1, 5, 4), 16u);
    EXPECT_EQ(dxtImageBytes(DxtFormat::Dxt5, 8, 8), 64u);
    EXPECT_FALSE(decodeDxtImage(DxtFormat::Dxt1, 8, 8, std::string(31, '\0')).ok());
    // Exact colours and the mask survive DXT1 (the ACE and DDS tests above); a smooth image comes close.
    const Image smooth = test::gradient(16, 16);
    const auto decoded = decodeDxtImage(DxtFormat::Dxt1, 16, 16, encodeDxt1Image(smooth));
    ASSERT_TRUE(decoded.ok());
    EXPECT_LE(test::largestDifference(*decoded, smooth), 48);
}

} // namespace
} // namespace quillfen::texture
