// DDS files: block and packed formats decoded, damaged files rejected.

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
    put(out, 4, 124);
    put(out, 12, static_cast<std::uint32_t>(height));
    put(out, 16, static_cast<std::uint32_t>(width));
    put(out, 76, 32);
    put(out, 80, flags);
    std::memcpy(out.data() + 84, fourCc, 4);
    put(out, 88, bits);
    for (std::size_t i = 0; i < 4; ++i) put(out, 92 + 4 * i, masks[i]);
    return out;
}

std::string packed(const Image& image, int bytesPerPixel) {
    std::string out;
    for (const Rgba& p : image.pixels) {
        const unsigned char bgra[] = {p.b, p.g, p.r, p.a};
        out.append(reinterpret_cast<const char*>(bgra), static_cast<std::size_t>(bytesPerPixel));
    }
    return out;
}

constexpr std::array<std::uint32_t, 4> kBgra{0xFF0000, 0xFF00, 0xFF, 0xFF000000};

TEST(DdsFile, BlockAndPackedImagesDecode) {
    const Image blocks = test::blockColours(8, 4, true);
    const Image alpha = test::blended(3, 5);
    Image opaque = test::gradient(4, 2);
    const struct {
        const char* name;
        std::string bytes;
        Image expected;
    } cases[] = {
        {"dxt1", ddsHeader(8, 4, 4, "DXT1", 0, {}) + encodeDxt1Image(blocks), blocks},
        {"32-bit with alpha", ddsHeader(3, 5, 0x41, "\0\0\0\0", 32, kBgra) + packed(alpha, 4), alpha},
        {"24-bit", ddsHeader(4, 2, 0x40, "\0\0\0\0", 24, kBgra) + packed(opaque, 3), opaque},
        {"16-bit 5:6:5", ddsHeader(1, 1, 0x40, "\0\0\0\0", 16, {0xF800, 0x07E0, 0x001F, 0}) + "\x1F\xF8",
         Image(1, 1, Rgba{255, 0, 255, 255})},
    };
    for (const auto& [name, bytes, expected] : cases) {
        SCOPED_TRACE(name);
        const auto image = readDds(bytes);
        ASSERT_TRUE(image.ok()) << image.error().message();
        EXPECT_EQ(*image, expected);
    }
}

TEST(DdsFile, DamagedOrUnknownFilesGiveAnError) {
    const std::string good = ddsHeader(8, 8, 4, "DXT5", 0, {}) + std::string(64, '\0');
    std::string wrongSize = good, huge = good;
    put(wrongSize, 4, 100);
    put(huge, 16, 1u << 31);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"garbage", std::string(200, 'D')},
        {"header size", wrongSize},
        {"huge width", huge},
        {"unknown four-cc", ddsHeader(4, 4, 4, "DX10", 0, {}) + std::string(64, '\0')},
        {"luminance", ddsHeader(4, 4, 0x20000, "\0\0\0\0", 8, {0xFF, 0, 0, 0}) + std::string(16, '\0')},
        {"12 bits per pixel", ddsHeader(4, 4, 0x40, "\0\0\0\0", 12, kBgra) + std::string(64, '\0')},
        {"packed pixels missing", ddsHeader(4, 4, 0x40, "\0\0\0\0", 32, kBgra) + std::string(63, '\0')},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(readDds(bytes).ok()) << name;
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(readDds(good.substr(0, length)).ok()) << "cut at " << length;
}

} // namespace
} // namespace quillfen::texture
