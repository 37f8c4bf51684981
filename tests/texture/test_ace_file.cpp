// ACE files: every variant written and read back with the same pixels, the
// mipmap chain, and damaged files that give an error instead of a crash.

#include "support/TestImages.h"

#include "texture/AceFile.h"
#include "texture/Scaling.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quillfen::texture {
namespace {

using test::blended;
using test::blockColours;
using test::gradient;
using test::masked;

struct RoundTrip {
    const char* name;
    Image image;
    AceWriteOptions options;
    std::size_t levels;
};

TEST(AceFile, EveryVariantReadsBackWithTheSamePixels) {
    const RoundTrip cases[] = {
        {"rgb with mipmaps", gradient(16, 16), {}, 5},
        {"rgb without mipmaps", gradient(16, 16), {false, false, false}, 1},
        {"1-bit mask", masked(8, 8), {}, 4},
        {"8-bit alpha", blended(8, 8), {}, 4},
        {"not square: no mipmaps", gradient(16, 4), {}, 1},
        {"odd size", gradient(5, 3), {}, 1},
        {"zlib-compressed", blended(32, 32), {false, true, true}, 6},
        {"dxt1", blockColours(16, 16, false), {true, true, false}, 5},
        {"dxt1 with mask", blockColours(8, 8, true), {true, true, false}, 4},
        {"dxt1 compressed", blockColours(8, 8, false), {true, false, true}, 1},
    };
    for (const auto& [name, image, options, levels] : cases) {
        SCOPED_TRACE(name);
        const auto texture = readAce(writeAce(image, options));
        ASSERT_TRUE(texture.ok()) << texture.error().message();
        EXPECT_EQ(texture->dxt, options.dxt1);
        EXPECT_EQ(texture->zlib, options.zlib);
        ASSERT_EQ(texture->levels.size(), levels);
        EXPECT_EQ(texture->levels.front(), image);
        for (std::size_t level = 1; level < levels; ++level) {
            const Image& smaller = texture->levels[level];
            EXPECT_EQ(smaller.width, image.width >> level);
            if (!options.dxt1 &&
                image.alphaUse() != AlphaUse::Mask) { // a mask keeps no half-transparent means
                EXPECT_EQ(smaller, halved(texture->levels[level - 1]));
            }
        }
    }
}

TEST(AceFile, MaskAndAlphaAreStoredAsTheImageNeedsThem) {
    // A mask takes one bit per pixel, alpha eight: the files differ by the alpha rows.
    const auto size = [](const Image& image) { return writeAce(image, {false, false, false}).size(); };
    const std::size_t opaque = size(gradient(64, 64)), mask = size(masked(64, 64)),
                      alpha = size(blended(64, 64));
    EXPECT_EQ(mask - opaque, 16u + 64 * 64 / 8);
    EXPECT_EQ(alpha - opaque, 16u + 64 * 64);
    EXPECT_EQ(writeAce(gradient(4, 4)).substr(0, 16), "SIMISA@@@@@@@@@@");
}

/// A file with one little-endian word of its body (after the 16-byte signature) replaced.
std::string withWord(std::string file, std::size_t bodyOffset, std::uint32_t value) {
    std::memcpy(file.data() + 16 + bodyOffset, &value, 4);
    return file;
}

TEST(AceFile, DamagedFilesGiveAnError) {
    const std::string good = writeAce(masked(8, 8));
    const std::string dxt = writeAce(blockColours(8, 8, false), {true, true, false});
    const std::string packed = writeAce(gradient(8, 8), {false, true, true});
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"garbage", std::string(300, 'x')},
        {"wrong version", withWord(good, 0, 2)},
        {"width 0", withWord(good, 8, 0)},
        {"huge width", withWord(good, 8, 1u << 30)},
        {"mipmaps on a rectangle", withWord(good, 12, 4)},
        {"thousands of channels", withWord(good, 20, 100000)},
        {"unknown channel", withWord(good, 152 + 8, 9)},
        {"row offset past the end", withWord(good, 152 + 4 * 16, 0xFFFFFFF0)},
        {"unknown block format", withWord(dxt, 16, 0x99)},
        {"block length past the end", withWord(dxt, 152 + 3 * 16 + 4 * 4, 0x7FFFFFFF)},
        {"compressed size beyond reason",
         [&] {
             std::string f = packed;
             std::memcpy(f.data() + 8, "\xFF\xFF\xFF\x0F", 4);
             return f;
         }()},
        {"compressed size too small",
         [&] {
             std::string f = packed;
             std::memcpy(f.data() + 8, "\x10\x00\x00\x00", 4);
             return f;
         }()},
        {"compressed stream garbage", packed.substr(0, 16) + std::string(200, '\x55')},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const auto texture = readAce(bytes);
        ASSERT_FALSE(texture.ok());
        EXPECT_FALSE(texture.error().reason.empty());
    }
    // The compressed file may lose its last four bytes, zlib's checksum, as Open Rails ignores it too.
    for (const std::string* file : {&good, &dxt, &packed})
        for (std::size_t length = 0; length < file->size() - (file == &packed ? 4 : 0); ++length)
            EXPECT_FALSE(readAce(file->substr(0, length)).ok()) << "cut at " << length;
}

} // namespace
} // namespace quillfen::texture
