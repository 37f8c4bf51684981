// DXT blocks decoded to known pixel values, and DXT1 encoding that keeps
// colours and a mask.

#include "support/TestImages.h"

#include "texture/Dxt.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillfen::texture {
namespace {

struct KnownBlock {
    const char* name;
    DxtFormat format;
    std::vector<unsigned char> bytes;
    std::vector<std::pair<std::size_t, Rgba>> pixels; ///< pixel index in the block and its value
};

// Colour halves: red 0xF800 and blue 0x001F; indices 0, 1, 2, 3 for pixels 0..3 (0b11100100 = 0xE4).
constexpr unsigned char kRedBlue[] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00};
constexpr unsigned char kBlueRed[] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0x00, 0x00, 0x00};

std::vector<unsigned char> join(std::vector<unsigned char> alpha, const unsigned char (&colour)[8]) {
    alpha.insert(alpha.end(), colour, colour + 8);
    return alpha;
}

TEST(Dxt, BlocksDecodeToKnownPixels) {
    const Rgba red{255, 0, 0, 255}, blue{0, 0, 255, 255};
    const KnownBlock cases[] = {
        {"dxt1 four colours",
         DxtFormat::Dxt1,
         {kRedBlue, kRedBlue + 8},
         {{0, red}, {1, blue}, {2, {170, 0, 85, 255}}, {3, {85, 0, 170, 255}}, {15, red}}},
        {"dxt1 three colours and transparent",
         DxtFormat::Dxt1,
         {kBlueRed, kBlueRed + 8},
         {{0, blue}, {1, red}, {2, {127, 0, 127, 255}}, {3, {0, 0, 0, 0}}}},
        {"dxt3 explicit alpha",
         DxtFormat::Dxt3,
         join({0x10, 0xF0, 0, 0, 0, 0, 0, 0x5A}, kBlueRed),
         {{0, {0, 0, 255, 0}}, {1, {255, 0, 0, 17}}, {3, {170, 0, 85, 255}}, {15, {0, 0, 255, 5 * 17}}}},
        // Alpha 255 and 0 in eight steps; indices 0, 1, 2, 7 for pixels 0..3: bits 000 001 010 111.
        {"dxt5 eight alphas",
         DxtFormat::Dxt5,
         join({255, 0, 0x88, 0x0E, 0, 0, 0, 0}, kRedBlue),
         {{0, {255, 0, 0, 255}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 218}}, {3, {85, 0, 170, 36}}}},
        // Alpha 0 and 255 in six steps with 0 and 255 at indices 6 and 7: indices 2, 6, 7 for pixels 0..2.
        {"dxt5 six alphas",
         DxtFormat::Dxt5,
         join({0, 255, 0xF2, 0x01, 0, 0, 0, 0}, kRedBlue),
         {{0, {255, 0, 0, 51}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 255}}}},
    };
    for (const auto& [name, format, bytes, pixels] : cases) {
        SCOPED_TRACE(name);
        const Block block = decodeDxtBlock(format, bytes.data());
        for (const auto& [index, expected] : pixels) EXPECT_EQ(block[index], expected) << "pixel " << index;
    }
}

TEST(Dxt, ImagesNeedAllTheirBlocks) {
    EXPECT_EQ(dxtImageBytes(DxtFormat::Dxt1, 5, 4), 16u);
    EXPECT_EQ(dxtImageBytes(DxtFormat::Dxt5, 8, 8), 64u);
    EXPECT_FALSE(decodeDxtImage(DxtFormat::Dxt1, 8, 8, std::string(31, '\0')).ok());
    EXPECT_TRUE(decodeDxtImage(DxtFormat::Dxt1, 8, 8, std::string(32, '\0')).ok());
}

TEST(Dxt, Dxt1EncodingKeepsColoursAndTheMask) {
    for (const bool transparent : {false, true}) {
        const Image image = test::blockColours(12, 8, transparent);
        const auto decoded = decodeDxtImage(DxtFormat::Dxt1, 12, 8, encodeDxt1Image(image));
        ASSERT_TRUE(decoded.ok());
        EXPECT_EQ(*decoded, image);
    }
    const Image smooth = test::gradient(16, 16);
    const auto decoded = decodeDxtImage(DxtFormat::Dxt1, 16, 16, encodeDxt1Image(smooth));
    ASSERT_TRUE(decoded.ok());
    EXPECT_LE(test::largestDifference(*decoded, smooth), 48); // lossy, but close
}

} // namespace
} // namespace quillfen::texture
