#include "texture/AceFile.h"

#include "texture/ByteReader.h"
#include "texture/Dxt.h"
#include "texture/Scaling.h"
#include "texture/StbLibraries.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace quillfen::texture {
namespace {

constexpr std::string_view kPlainSignature = "SIMISA@@@@@@@@@@";
constexpr std::string_view kZlibSignature = "SIMISA@F";
constexpr std::size_t kSignatureBytes = 16;
constexpr std::size_t kHeaderBytes = 152;  // from the version word to the channel list
constexpr std::size_t kCreatorOffset = 44; // within the header: 64 bytes naming the program that wrote it
constexpr std::size_t kMaxChannels = 8;
constexpr std::uint32_t kMipmapsFlag = 0x01;
constexpr std::uint32_t kBlocksFlag = 0x10;
// The largest body a 4096 x 4096 texture with 8-bit alpha and mipmaps can have, with room for the tables.
constexpr std::size_t kMaxBodyBytes = std::size_t{4} * kMaxSide * kMaxSide * 4 / 3 + 65536;
// Deflate cannot shrink data by more than about this factor; a header claiming more is lying.
constexpr std::size_t kMaxDeflateRatio = 1032;

enum ChannelType : std::uint64_t { Mask = 2, Red = 3, Green = 4, Blue = 5, Alpha = 6 };

enum SurfaceFormat : std::uint32_t {
    Rgb565 = 0x0E,
    Rgba5551 = 0x10,
    Rgba4444 = 0x11,
    Dxt1 = 0x12,
    Dxt3 = 0x14,
    Dxt5 = 0x16
};

struct Channel {
    std::uint64_t bits = 8;
    std::uint64_t type = Red;
};

std::size_t rowBytes(const std::vector<Channel>& channels, int width) {
    std::size_t bytes = 0;
    for (const Channel& channel : channels) bytes += (channel.bits * static_cast<std::size_t>(width) + 7) / 8;
    return bytes;
}

struct Layout {
    int width = 0;
    int height = 0;
    std::uint32_t flags = 0;
    std::uint32_t surface = 0;
    std::vector<Channel> channels;

    [[nodiscard]] int levelCount() const {
        int count = 1;
        if (flags & kMipmapsFlag)
            for (int side = width; side > 1; side /= 2) ++count;
        return count;
    }
    [[nodiscard]] static int side(int full, int level) { return std::max(1, full >> level); }
    [[nodiscard]] bool blocks(int level) const {
        return (flags & kBlocksFlag) && side(width, level) >= 4 && side(height, level) >= 4;
    }
};

Error damaged(const std::string& what) {
    return Error{{}, "damaged ACE file: " + what};
}

std::optional<DxtFormat> dxtFormatOf(std::uint32_t surface) {
    switch (surface) {
    case Dxt1:
        return DxtFormat::Dxt1;
    case Dxt3:
        return DxtFormat::Dxt3;
    case Dxt5:
        return DxtFormat::Dxt5;
    default:
        return std::nullopt;
    }
}

Expected<Layout> readLayout(ByteReader& in) {
    Layout layout;
    const std::uint32_t version = in.u32();
    layout.flags = in.u32();
    const std::uint32_t width = in.u32(), height = in.u32();
    layout.surface = in.u32();
    const std::uint32_t channelCount = in.u32();
    in.skip(kHeaderBytes - 24);
    if (!in.ok()) return damaged("the header ends early");
    if (version != 1) return damaged("unknown version " + std::to_string(version));
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return damaged("size " + std::to_string(width) + " x " + std::to_string(height) + " is not 1 to " +
                       std::to_string(kMaxSide) + " pixels");
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    if ((layout.flags & kMipmapsFlag) && (width != height || !isPowerOfTwo(layout.width)))
        return damaged("mipmaps need a square with a side of a power of two");
    if ((layout.flags & kBlocksFlag) && !dxtFormatOf(layout.surface))
        return damaged("unknown block format " + std::to_string(layout.surface));
    if (channelCount == 0 || channelCount > kMaxChannels)
        return damaged(std::to_string(channelCount) + " colour channels");
    for (std::uint32_t i = 0; i < channelCount; ++i) {
        Channel channel{in.u64(), in.u64()};
        if (!in.ok()) return damaged("the channel list ends early");
        if ((channel.bits != 1 && channel.bits != 8) || channel.type < Mask || channel.type > Alpha)
            return damaged("unknown colour channel");
        layout.channels.push_back(channel);
    }
    return layout;
}

/// One row of separate channels; alpha wins over a mask, and without either the row is opaque.
void readRow(ByteReader& in, const std::vector<Channel>& channels, Rgba* row, int width) {
    const bool hasAlpha =
        std::any_of(channels.begin(), channels.end(), [](const Channel& c) { return c.type == Alpha; });
    for (const Channel& channel : channels) {
        const std::string_view bytes = in.take((channel.bits * static_cast<std::size_t>(width) + 7) / 8);
        if (!in.ok()) return;
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::size_t>(x);
            const std::uint8_t value = channel.bits == 8 ? static_cast<std::uint8_t>(bytes[i])
                                       : (static_cast<std::uint8_t>(bytes[i / 8]) >> (7 - i % 8) & 1) ? 255
                                                                                                      : 0;
            switch (channel.type) {
            case Red:
                row[x].r = value;
                break;
            case Green:
                row[x].g = value;
                break;
            case Blue:
                row[x].b = value;
                break;
            case Alpha:
                row[x].a = value;
                break;
            default:
                if (!hasAlpha) row[x].a = value;
                break;
            }
        }
    }
}

/// A level stored as rows one after another (the small levels of a block file).
Expected<Image> readRows(ByteReader& in, const Layout& layout, int width, int height) {
    if (!in.has(rowBytes(layout.channels, width) * static_cast<std::size_t>(height)))
        return damaged("the pixels of a small mipmap level are missing");
    Image image(width, height);
    for (int y = 0; y < height; ++y) readRow(in, layout.channels, &image.at(0, y), width);
    return image;
}

Expected<AceTexture> readBlockLevels(ByteReader& in, const Layout& layout) {
    AceTexture texture;
    texture.dxt = true;
    const DxtFormat format = *dxtFormatOf(layout.surface);
    in.skip(4 * static_cast<std::size_t>(
                    layout.levelCount())); // the levels follow each other; offsets not needed
    for (int level = 0; level < layout.levelCount(); ++level) {
        const int width = Layout::side(layout.width, level), height = Layout::side(layout.height, level);
        if (!layout.blocks(level)) {
            auto image = readRows(in, layout, width, height);
            if (!image) return image.error();
            texture.levels.push_back(std::move(image.value()));
            continue;
        }
        const std::uint32_t length = in.u32();
        const std::size_t needed = dxtImageBytes(format, width, height);
        if (!in.ok() || length < needed || !in.has(length))
            return damaged("the blocks of mipmap level " + std::to_string(level) + " are missing");
        auto image = decodeDxtImage(format, width, height, in.take(length));
        if (!image) return damaged(image.error().reason);
        texture.levels.push_back(std::move(image.value()));
    }
    return texture;
}

Expected<AceTexture> readRowLevels(ByteReader& in, std::string_view body, const Layout& layout) {
    std::size_t rows = 0, pixelBytes = 0;
    for (int level = 0; level < layout.levelCount(); ++level) {
        const auto height = static_cast<std::size_t>(Layout::side(layout.height, level));
        rows += height;
        pixelBytes += height * rowBytes(layout.channels, Layout::side(layout.width, level));
    }
    if (!in.has(4 * rows + pixelBytes)) return damaged("the file is shorter than its pixels");
    std::vector<std::uint32_t> offsets(rows);
    for (auto& offset : offsets) offset = in.u32();
    AceTexture texture;
    auto nextOffset = offsets.begin();
    for (int level = 0; level < layout.levelCount(); ++level) {
        Image image(Layout::side(layout.width, level), Layout::side(layout.height, level));
        for (int y = 0; y < image.height; ++y) {
            ByteReader row(body, *nextOffset++);
            readRow(row, layout.channels, &image.at(0, y), image.width);
            if (!row.ok())
                return damaged("row " + std::to_string(y) + " of mipmap level " + std::to_string(level) +
                               " lies outside the file");
        }
        texture.levels.push_back(std::move(image));
    }
    return texture;
}

Expected<AceTexture> readBody(std::string_view body) {
    ByteReader in(body);
    auto layout = readLayout(in);
    if (!layout) return layout.error();
    if (layout->flags & kBlocksFlag) return readBlockLevels(in, *layout);
    return readRowLevels(in, body, *layout);
}

Expected<std::string> inflatedBody(std::string_view bytes) {
    ByteReader in(bytes, kZlibSignature.size());
    const std::uint32_t declared = in.u32();
    if (in.take(4) != "@@@@") return damaged("the compressed header is incomplete");
    const std::size_t stream = bytes.size() - kSignatureBytes;
    if (declared > kMaxBodyBytes || declared > stream * kMaxDeflateRatio)
        return damaged("the compressed header claims " + std::to_string(declared) + " bytes");
    auto body = inflateZlib(bytes.substr(kSignatureBytes), declared);
    if (!body) return damaged(body.error().reason);
    return body;
}

// ---- writing ----

std::vector<Channel> channelsFor(AlphaUse alpha, bool dxt1) {
    std::vector<Channel> channels{{8, Red}, {8, Green}, {8, Blue}};
    if (alpha == AlphaUse::Mask || (alpha == AlphaUse::Blend && dxt1)) channels.push_back({1, Mask});
    if (alpha == AlphaUse::Blend && !dxt1) channels.push_back({8, Alpha});
    return channels;
}

std::uint32_t surfaceFor(AlphaUse alpha, bool dxt1) {
    if (dxt1) return Dxt1;
    return alpha == AlphaUse::None ? Rgb565 : alpha == AlphaUse::Mask ? Rgba5551 : Rgba4444;
}

std::vector<Image> mipmapChain(const Image& image, bool wanted) {
    std::vector<Image> levels{image};
    if (!wanted || image.width != image.height || !isPowerOfTwo(image.width)) return levels;
    while (levels.back().width > 1) levels.push_back(halved(levels.back()));
    return levels;
}

/// The pixel member a channel stores (a mask is taken from alpha).
std::uint8_t Rgba::*memberOf(const Channel& channel) {
    switch (channel.type) {
    case Red:
        return &Rgba::r;
    case Green:
        return &Rgba::g;
    case Blue:
        return &Rgba::b;
    default:
        return &Rgba::a;
    }
}

/// One row of separate channels written at `out`; gives the end of what it wrote.
char* writeRow(char* out, const std::vector<Channel>& channels, const Rgba* row, int width) {
    for (const Channel& channel : channels) {
        const auto member = memberOf(channel);
        if (channel.bits == 1) {
            const auto bytes = static_cast<std::size_t>(width + 7) / 8;
            std::fill(out, out + bytes, '\0');
            for (int x = 0; x < width; ++x)
                if (row[x].*member >= 128) out[x / 8] = static_cast<char>(out[x / 8] | 0x80 >> (x % 8));
            out += bytes;
            continue;
        }
        for (int x = 0; x < width; ++x) *out++ = static_cast<char>(row[x].*member);
    }
    return out;
}

/// Appends the level's rows to `out`, written in place.
void appendRows(std::string& out, const Image& level, const std::vector<Channel>& channels) {
    const std::size_t start = out.size();
    out.resize(start + rowBytes(channels, level.width) * static_cast<std::size_t>(level.height));
    char* next = out.data() + start;
    for (int y = 0; y < level.height; ++y) next = writeRow(next, channels, &level.at(0, y), level.width);
}

void writeHeader(std::string& out, const Image& image, std::uint32_t flags, std::uint32_t surface,
                 const std::vector<Channel>& channels) {
    putU32(out, 1);
    putU32(out, flags);
    putU32(out, static_cast<std::uint32_t>(image.width));
    putU32(out, static_cast<std::uint32_t>(image.height));
    putU32(out, surface);
    putU32(out, static_cast<std::uint32_t>(channels.size()));
    std::string rest(kHeaderBytes - 24, '\0');
    rest.replace(kCreatorOffset - 24, 8, "Quillfen");
    out += rest;
    for (const Channel& channel : channels) {
        putU64(out, channel.bits);
        putU64(out, channel.type);
    }
}

/// The offset table of every row, then the rows.
void appendRowBody(std::string& out, const std::vector<Image>& levels, const std::vector<Channel>& channels) {
    std::size_t rows = 0, pixels = 0;
    for (const Image& level : levels) {
        rows += static_cast<std::size_t>(level.height);
        pixels += rowBytes(channels, level.width) * static_cast<std::size_t>(level.height);
    }
    out.reserve(out.size() + 4 * rows + pixels);
    std::size_t offset = kHeaderBytes + 16 * channels.size() + 4 * rows;
    for (const Image& level : levels)
        for (int y = 0; y < level.height; ++y, offset += rowBytes(channels, level.width))
            putU32(out, static_cast<std::uint32_t>(offset));
    for (const Image& level : levels) appendRows(out, level, channels);
}

/// The offset table of every level, then each level: its blocks after their length, or (below 4 x 4
/// pixels) its rows.
void appendBlockBody(std::string& out, const std::vector<Image>& levels,
                     const std::vector<Channel>& channels) {
    std::vector<std::string> blocks;
    std::size_t offset = kHeaderBytes + 16 * channels.size() + 4 * levels.size();
    for (const Image& level : levels) {
        putU32(out, static_cast<std::uint32_t>(offset));
        const bool asBlocks = level.width >= 4 && level.height >= 4;
        blocks.push_back(asBlocks ? encodeDxt1Image(level) : std::string());
        offset += asBlocks ? 4 + blocks.back().size() : rowBytes(channels, level.width) * level.height;
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (blocks[i].empty()) {
            appendRows(out, levels[i], channels);
            continue;
        }
        putU32(out, static_cast<std::uint32_t>(blocks[i].size()));
        out += blocks[i];
    }
}

} // namespace

Expected<AceTexture> readAce(std::string_view bytes) {
    if (bytes.substr(0, kSignatureBytes) == kPlainSignature) return readBody(bytes.substr(kSignatureBytes));
    if (bytes.substr(0, kZlibSignature.size()) != kZlibSignature)
        return Error{{}, "not an ACE file (it does not begin with SIMISA@)"};
    auto body = inflatedBody(bytes);
    if (!body) return body.error();
    auto texture = readBody(*body);
    if (texture) texture->zlib = true;
    return texture;
}

std::string writeAce(const Image& image, const AceWriteOptions& options) {
    const std::vector<Image> levels = mipmapChain(image, options.mipmaps);
    const AlphaUse alpha = image.alphaUse();
    const std::vector<Channel> channels = channelsFor(alpha, options.dxt1);
    const std::uint32_t flags = (levels.size() > 1 ? kMipmapsFlag : 0) | (options.dxt1 ? kBlocksFlag : 0);
    std::string out(kPlainSignature);
    writeHeader(out, image, flags, surfaceFor(alpha, options.dxt1), channels);
    if (options.dxt1) {
        appendBlockBody(out, levels, channels);
    } else {
        appendRowBody(out, levels, channels);
    }
    if (!options.zlib) return out;
    const std::string_view body = std::string_view(out).substr(kSignatureBytes);
    std::string packed(kZlibSignature);
    putU32(packed, static_cast<std::uint32_t>(body.size()));
    return packed + "@@@@" + deflateZlib(body);
}

} // namespace quillfen::texture
