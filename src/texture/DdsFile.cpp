#include "texture/DdsFile.h"

#include "texture/ByteReader.h"
#include "texture/Dxt.h"

#include <array>
#include <bit>
#include <cstdint>

namespace quillfen::texture {
namespace {

constexpr std::uint32_t kHeaderSize = 124;
constexpr std::size_t kDataOffset = 128;
constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kFourCc = 0x4;
constexpr std::uint32_t kRgb = 0x40;

struct PixelFormat {
    std::uint32_t flags = 0;
    std::uint32_t fourCc = 0;
    std::uint32_t bitCount = 0;
    std::array<std::uint32_t, 4> masks{}; ///< red, green, blue, alpha
};

constexpr std::uint32_t fourCc(const char (&name)[5]) {
    return static_cast<std::uint32_t>(name[0]) | static_cast<std::uint32_t>(name[1]) << 8 |
           static_cast<std::uint32_t>(name[2]) << 16 | static_cast<std::uint32_t>(name[3]) << 24;
}

Error damaged(const std::string& what) {
    return Error{{}, "damaged DDS file: " + what};
}

/// The bits of `mask` in a pixel, widened to 0..255.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 255;
    const int shift = std::countr_zero(mask);
    const std::uint32_t maximum = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255 / maximum);
}

Expected<Image> readPacked(std::string_view data, int width, int height, const PixelFormat& format) {
    if (format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32)
        return damaged(std::to_string(format.bitCount) + " bits per pixel");
    const std::size_t pixelBytes = format.bitCount / 8;
    if (data.size() / pixelBytes / static_cast<std::size_t>(width) < static_cast<std::size_t>(height))
        return damaged("the pixels end early");
    const bool alpha = (format.flags & kAlphaPixels) != 0;
    Image image(width, height);
    ByteReader in(data);
    for (Rgba& p : image.pixels) {
        std::uint32_t pixel = 0;
        const std::string_view bytes = in.take(pixelBytes);
        for (std::size_t i = pixelBytes; i-- > 0;) pixel = pixel << 8 | static_cast<std::uint8_t>(bytes[i]);
        p = Rgba{channel(pixel, format.masks[0]), channel(pixel, format.masks[1]),
                 channel(pixel, format.masks[2]),
                 alpha ? channel(pixel, format.masks[3]) : std::uint8_t{255}};
    }
    return image;
}

} // namespace

Expected<Image> readDds(std::string_view bytes) {
    ByteReader in(bytes);
    if (in.take(4) != "DDS ") return Error{{}, "not a DDS file (it does not begin with \"DDS \")"};
    const std::uint32_t size = in.u32();
    in.skip(4); // flags
    const std::uint32_t height = in.u32(), width = in.u32();
    in.skip(4 + 4 + 4 + 44 + 4); // pitch, depth, mipmap count, reserved, pixel format size
    PixelFormat format;
    format.flags = in.u32();
    format.fourCc = in.u32();
    format.bitCount = in.u32();
    for (auto& mask : format.masks) mask = in.u32();
    if (!in.ok() || bytes.size() < kDataOffset) return damaged("the header ends early");
    if (size != kHeaderSize) return damaged("header size " + std::to_string(size));
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        return damaged("size " + std::to_string(width) + " x " + std::to_string(height) + " is not 1 to " +
                       std::to_string(kMaxSide) + " pixels");
    const std::string_view data = bytes.substr(kDataOffset);
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    if (format.flags & kFourCc) {
        Expected<Image> image = Error{};
        if (format.fourCc == fourCc("DXT1"))
            image = decodeDxtImage(DxtFormat::Dxt1, w, h, data);
        else if (format.fourCc == fourCc("DXT3"))
            image = decodeDxtImage(DxtFormat::Dxt3, w, h, data);
        else if (format.fourCc == fourCc("DXT5"))
            image = decodeDxtImage(DxtFormat::Dxt5, w, h, data);
        else
            return Error{{}, "DDS pixel format not supported (only DXT1, DXT3, DXT5 and uncompressed RGB)"};
        if (!image) return damaged(image.error().reason);
        return image;
    }
    if (format.flags & kRgb) return readPacked(data, w, h, format);
    return Error{{}, "DDS pixel format not supported (only DXT1, DXT3, DXT5 and uncompressed RGB)"};
}

} // namespace quillfen::texture
