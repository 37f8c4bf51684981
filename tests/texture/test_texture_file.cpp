// Texture files by extension through stb, damaged ones rejected, and the power-of-two sides.

#include "support/TestImages.h"

#include "texture/Scaling.h"
#include "texture/TextureFile.h"

#include <gtest/gtest.h>

namespace quillfen::texture {
namespace {

TEST(TextureFile, FormatsFollowTheExtensionInAnyCase) {
    // clang-format off
    const std::pair<const char*, std::optional<FileFormat>> cases[] = {
        {"a/wall.ace", FileFormat::Ace}, {"WALL.DDS", FileFormat::Dds}, {"x.Png", FileFormat::Png},
        {"x.bmp", FileFormat::Bmp},      {"x.TGA", FileFormat::Tga},    {"x.jpeg", FileFormat::Jpg},
        {"x.jpg", FileFormat::Jpg},      {"x.gif", std::nullopt},       {"png", std::nullopt},
    };
    // clang-format on
    for (const auto& [path, format] : cases) EXPECT_EQ(formatOfPath(path), format) << path;
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
        {"empty", ""}, {"garbage", std::string(500, '\x89')}, {"header only", png.substr(0, 40)},
        {"cut in the pixels", png.substr(0, png.size() / 2)},
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
    const std::pair<int, int> sides[] = {{1, 1},     {3, 4},       {5, 4},       {6, 8},       {300, 256},
                                         {384, 512}, {1500, 1024}, {1600, 2048}, {3000, 2048}, {2048, 2048}};
    for (const auto& [side, expected] : sides) EXPECT_EQ(nearestPowerOfTwo(side), expected) << side;
    const Image scaled = scaledToPowerOfTwo(test::gradient(300, 64));
    EXPECT_EQ(scaled.width, 256);
    EXPECT_EQ(scaled.height, 64);
    EXPECT_EQ(scaledToPowerOfTwo(Image(4096, 16)).width, 4096); // a power of two is kept
    EXPECT_EQ(scaledToPowerOfTwo(Image(100, 100, Rgba{10, 200, 30, 255})),
              Image(128, 128, Rgba{10, 200, 30, 255}));
}

} // namespace
} // namespace quillfen::texture
