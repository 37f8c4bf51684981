// ACE, DDS and other texture files: every variant read back, known DXT pixels, damaged files refused.

#include "support/TestImages.h"
#include "texture/AceFile.h"
#include "texture/DdsFile.h"
#include "texture/Dxt.h"
#include "texture/Scaling.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

namespace quillfen::texture {
namespace {

using namespace test;

TEST(AceFile, EveryVariantReadsBackWithTheSamePixels) {
    // clang-format off
    const struct {
        const char* name;
        Image image;
        AceWriteOptions options;
        std::size_t levels;
    } cases[] = {
        {"rgb with mipmaps", gradient(16, 16), {}, 5}, {"1-bit mask", masked(8, 8), {}, 4},
        {"8-bit alpha", blended(8, 8), {}, 4}, {"rectangle: no mipmaps", gradient(16, 4), {}, 1},
        {"odd size", gradient(5, 3), {}, 1}, {"zlib", blended(32, 32), {false, true, true}, 6},
        {"dxt1", blockColours(16, 16, false), {true, true, false}, 5},
        {"dxt1 mask", blockColours(8, 8, true), {true, true, false}, 4},
    };
    // clang-format on
    for (const auto& [name, image, options, levels] : cases) {
        SCOPED_TRACE(name);
        const auto ace = readAce(writeAce(image, options));
        ASSERT_TRUE(ace.ok()) << ace.error().message();
        EXPECT_EQ(std::pair(ace->dxt, ace->zlib), std::pair(options.dxt1, options.zlib));
        ASSERT_EQ(ace->levels.size(), levels);
        EXPECT_EQ(ace->levels.front(), image);
        EXPECT_EQ(ace->levels.back().width, image.width >> (levels - 1));
    }
    // A mask takes one bit per pixel, alpha eight: the files differ by the alpha rows.
    const auto size = [](const Image& image) { return writeAce(image, {false, false, false}).size(); };
    EXPECT_EQ(size(masked(64, 64)) - size(gradient(64, 64)), 16u + 64 * 64 / 8);
    EXPECT_EQ(size(blended(64, 64)) - size(gradient(64, 64)), 16u + 64 * 64);
    EXPECT_EQ(writeAce(gradient(4, 4)).substr(0, 16), "SIMISA@@@@@@@@@@");
}

/// The file with the little-endian word at `offset` replaced.
std::string withWord(std::string file, std::size_t offset, std::uint32_t value) {
    std::memcpy(file.data() + offset, &value, 4);
    return file;
}

TEST(AceFile, DamagedFilesGiveAnError) {
    const std::string good = writeAce(masked(8, 8));
    const std::string dxt = writeAce(blockColours(8, 8, false), {true, true, false});
    const std::string packed = writeAce(gradient(8, 8), {false, true, true});
    // Offsets from the file's start, the 16-byte signature included.
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""}, {"width 0", withWord(good, 24, 0)}, {"huge width", withWord(good, 24, 1u << 30)},
        {"mipmaps on a rectangle", withWord(good, 28, 4)}, {"unknown channel", withWord(good, 176, 9)},
        {"row offset past the end", withWord(good, 232, 0xFFFFFFF0)},
        {"unknown block format", withWord(dxt, 32, 0x99)},
        {"block length past the end", withWord(dxt, 232, 0x7FFFFFFF)},
        {"unpacked size beyond reason", withWord(packed, 8, 0x0FFFFFFF)},
        {"compressed stream garbage", packed.substr(0, 16) + std::string(200, '\x55')},
    };
    // clang-format on
    for (const auto& [name, bytes] : cases) {
        const auto ace = readAce(bytes);
        ASSERT_FALSE(ace.ok()) << name;
        EXPECT_FALSE(ace.error().reason.empty()) << name;
    }
    // The compressed file may lose its last four bytes, zlib's checksum, as Open Rails ignores it too.
    for (const std::string* file : {&good, &dxt, &packed})
        for (std::size_t length = 0; length < file->size() - (file == &packed ? 4 : 0); ++length)
            EXPECT_FALSE(readAce(file->substr(0, length)).ok()) << "cut at " << length;
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
        out = withWord(out, offset, value);
    std::memcpy(out.data() + 84, fourCc, 4);
    for (std::size_t i = 0; i < 4; ++i) out = withWord(out, 92 + 4 * i, masks[i]);
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
        {"16-bit 5:6:5", ddsHeader(1, 1, 0x40, "\0\0\0\0", 16, {0xF800, 0x07E0, 0x001F, 0}) + "\x1F\xF8",
         Image(1, 1, Rgba{255, 0, 255, 255})},
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
    const std::string huge = withWord(good, 16, 1u << 31);
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""}, {"huge width", huge},
        {"unknown four-cc", ddsHeader(4, 4, 4, "DX10", 0, {}) + std::string(64, '\0')},
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
    // clang-format off
    using Pixels = std::vector<std::pair<std::size_t, Rgba>>;
    const std::tuple<const char*, DxtFormat, std::vector<unsigned char>, Pixels> cases[] = {
            {"dxt1 four colours", DxtFormat::Dxt1, kRedBlue,
             {{0, red}, {1, blue}, {2, {170, 0, 85, 255}}, {3, {85, 0, 170, 255}}, {15, red}}},
            {"dxt1 three colours and transparent", DxtFormat::Dxt1, kBlueRed,
             {{0, blue}, {1, red}, {2, {127, 0, 127, 255}}, {3, {0, 0, 0, 0}}}},
            {"dxt3 explicit alpha", DxtFormat::Dxt3, join({0x10, 0xF0, 0, 0, 0, 0, 0, 0x5A}, kBlueRed),
             {{0, {0, 0, 255, 0}}, {1, {255, 0, 0, 17}}, {3, {170, 0, 85, 255}}, {15, {0, 0, 255, 5 * 17}}}},
            // Alpha 255 and 0 in eight steps; indices 0, 1, 2, 7 for pixels 0..3: bits 000 001 010 111.
            {"dxt5 eight alphas", DxtFormat::Dxt5, join({255, 0, 0x88, 0x0E, 0, 0, 0, 0}, kRedBlue),
             {{0, {255, 0, 0, 255}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 218}}, {3, {85, 0, 170, 36}}}},
            // Alpha 0 and 255 in six steps, 0 and 255 at indices 6 and 7: indices 2, 6, 7 for pixels 0..2.
            {"dxt5 six alphas", DxtFormat::Dxt5, join({0, 255, 0xF2, 0x01, 0, 0, 0, 0}, kRedBlue),
             {{0, {255, 0, 0, 51}}, {1, {0, 0, 255, 0}}, {2, {170, 0, 85, 255}}}},
        };
    // clang-format on
    for (const auto& [name, format, bytes, pixels] : cases) {
        const Block block = decodeDxtBlock(format, bytes.data());
        for (const auto& [index, expected] : pixels)
            EXPECT_EQ(block[index], expected) << name << " " << index;
    }
    EXPECT_FALSE(decodeDxtImage(DxtFormat::Dxt1, 8, 8, std::string(31, '\0')).ok());
    // Exact colours and the mask survive DXT1 (the ACE and DDS tests above); a smooth image comes close.
    const Image smooth = test::gradient(16, 16);
    const auto decoded = decodeDxtImage(DxtFormat::Dxt1, 16, 16, encodeDxt1Image(smooth));
    ASSERT_TRUE(decoded.ok());
    EXPECT_LE(test::largestDifference(*decoded, smooth), 48);
}

TEST(TextureFile, EveryWrittenFormatReadsBack) {
    const Image image = test::blended(7, 5), opaque = test::gradient(16, 16);
    for (const auto format : {FileFormat::Png, FileFormat::Bmp, FileFormat::Tga, FileFormat::Ace}) {
        const auto back = decodeTexture(*encodeTexture(image, format), format);
        ASSERT_TRUE(back.ok()) << back.error().message();
        EXPECT_EQ(*back, image);
    }
    const auto jpg = decodeTexture(*encodeTexture(opaque, FileFormat::Jpg), FileFormat::Jpg);
    ASSERT_TRUE(jpg.ok());
    EXPECT_LE(test::largestDifference(*jpg, opaque), 40); // lossy
    EXPECT_FALSE(encodeTexture(image, FileFormat::Dds).ok());
}

TEST(TextureFile, DamagedOrOversizedImagesGiveAnError) {
    const std::string png = *encodeTexture(test::gradient(16, 16), FileFormat::Png);
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""}, {"cut in the pixels", png.substr(0, png.size() / 2)},
        {"wider than a texture can be", *encodeTexture(Image(kMaxSide + 1, 1), FileFormat::Png)},
    };
    // clang-format on
    for (const auto& [name, bytes] : cases) {
        const auto image = decodeTexture(bytes, FileFormat::Png);
        ASSERT_FALSE(image.ok()) << name;
        EXPECT_FALSE(image.error().reason.empty());
    }
}

TEST(Scaling, SidesGoToTheNearestPowerOfTwoUpTo2048) {
    const std::pair<int, int> sides[] = {{1, 1}, {5, 4}, {384, 512}, {3000, 2048}, {2048, 2048}};
    for (const auto& [side, expected] : sides) EXPECT_EQ(nearestPowerOfTwo(side), expected) << side;
    EXPECT_EQ(scaledToPowerOfTwo(Image(4096, 16)).width, 4096); // a power of two is kept
    EXPECT_EQ(scaledToPowerOfTwo(Image(100, 100, Rgba{10, 200, 30, 255})),
              Image(128, 128, Rgba{10, 200, 30, 255}));
}

} // namespace
} // namespace quillfen::texture
