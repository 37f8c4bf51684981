// ACE files: every variant read back with the same pixels and mipmaps; damaged files are errors.

#include "support/TestImages.h"

#include "texture/AceFile.h"
#include "texture/Scaling.h"

#include <gtest/gtest.h>

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
        {"rgb with mipmaps", gradient(16, 16), {}, 5}, {"rgb", gradient(16, 16), {false, false, false}, 1},
        {"1-bit mask", masked(8, 8), {}, 4}, {"8-bit alpha", blended(8, 8), {}, 4},
        {"rectangle: no mipmaps", gradient(16, 4), {}, 1}, {"odd size", gradient(5, 3), {}, 1},
        {"zlib", blended(32, 32), {false, true, true}, 6},
        {"dxt1", blockColours(16, 16, false), {true, true, false}, 5},
        {"dxt1 mask", blockColours(8, 8, true), {true, true, false}, 4},
        {"dxt1 zlib", blockColours(8, 8, false), {true, false, true}, 1},
    };
    // clang-format on
    for (const auto& [name, image, options, levels] : cases) {
        SCOPED_TRACE(name);
        const auto ace = readAce(writeAce(image, options));
        ASSERT_TRUE(ace.ok()) << ace.error().message();
        EXPECT_EQ(ace->dxt, options.dxt1);
        EXPECT_EQ(ace->zlib, options.zlib);
        ASSERT_EQ(ace->levels.size(), levels);
        EXPECT_EQ(ace->levels.front(), image);
        for (std::size_t level = 1; level < levels; ++level) {
            EXPECT_EQ(ace->levels[level].width, image.width >> level);
            // a mask keeps no half-transparent means
            EXPECT_TRUE(options.dxt1 || image.alphaUse() == AlphaUse::Mask ||
                        ace->levels[level] == halved(ace->levels[level - 1]));
        }
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
        {"empty", ""}, {"garbage", std::string(300, 'x')}, {"wrong version", withWord(good, 16, 2)},
        {"width 0", withWord(good, 24, 0)}, {"huge width", withWord(good, 24, 1u << 30)},
        {"mipmaps on a rectangle", withWord(good, 28, 4)},
        {"thousands of channels", withWord(good, 36, 100000)}, {"unknown channel", withWord(good, 176, 9)},
        {"row offset past the end", withWord(good, 232, 0xFFFFFFF0)},
        {"unknown block format", withWord(dxt, 32, 0x99)},
        {"block length past the end", withWord(dxt, 232, 0x7FFFFFFF)},
        {"unpacked size beyond reason", withWord(packed, 8, 0x0FFFFFFF)},
        {"unpacked size too small", withWord(packed, 8, 0x10)},
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

} // namespace
} // namespace quillfen::texture
