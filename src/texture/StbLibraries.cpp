#include "texture/StbLibraries.h"

#include <cstring>
#include <limits>

// Only the decoders the converter meets; memory input only.
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_MAX_DIMENSIONS 4096
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#define STB_DXT_IMPLEMENTATION
#include <stb_dxt.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>

namespace quillfen::texture {
namespace {

static_assert(sizeof(Rgba) == 4, "pixels are handed to stb as packed RGBA bytes");

void appendToString(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

} // namespace

Expected<Image> decodeOrdinaryImage(std::string_view bytes) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Error{{}, "the file is too large"};
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels))
        return Error{
            {}, std::string("not a readable PNG, BMP, TGA or JPG image (") + stbi_failure_reason() + ")"};
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return Error{{},
                     "the image is " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels; a texture has at most " + std::to_string(kMaxSide) + " on each side"};
    stbi_uc* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!pixels) return Error{{}, std::string("the image data is damaged (") + stbi_failure_reason() + ")"};
    Image image(width, height);
    std::memcpy(image.pixels.data(), pixels, image.pixels.size() * sizeof(Rgba));
    stbi_image_free(pixels);
    return image;
}

Expected<std::string> encodeOrdinaryImage(const Image& image, OrdinaryFormat format) {
    std::string out;
    const void* pixels = image.pixels.data();
    int written = 0;
    switch (format) {
    case OrdinaryFormat::Png:
        written = stbi_write_png_to_func(appendToString, &out, image.width, image.height, 4, pixels,
                                         image.width * 4);
        break;
    case OrdinaryFormat::Bmp:
        written = stbi_write_bmp_to_func(appendToString, &out, image.width, image.height, 4, pixels);
        break;
    case OrdinaryFormat::Tga:
        written = stbi_write_tga_to_func(appendToString, &out, image.width, image.height, 4, pixels);
        break;
    case OrdinaryFormat::Jpg:
        written = stbi_write_jpg_to_func(appendToString, &out, image.width, image.height, 4, pixels, 95);
        break;
    }
    if (!written) return Error{{}, "the image could not be encoded"};
    return out;
}

Expected<std::string> inflateZlib(std::string_view stream, std::size_t limit) {
    if (stream.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()) ||
        limit > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Error{{}, "the compressed data is too large"};
    std::string out(limit, '\0');
    const int length = stbi_zlib_decode_buffer(out.data(), static_cast<int>(limit), stream.data(),
                                               static_cast<int>(stream.size()));
    if (length < 0) return Error{{}, "the compressed data is damaged or longer than its header says"};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string deflateZlib(std::string_view bytes) {
    int length = 0;
    unsigned char* packed =
        stbi_zlib_compress(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                           static_cast<int>(bytes.size()), &length, 8);
    std::string out(reinterpret_cast<const char*>(packed), static_cast<std::size_t>(length));
    STBIW_FREE(packed);
    return out;
}

void compressDxt1Block(const unsigned char* rgba, unsigned char* out) {
    stb_compress_dxt_block(out, rgba, 0, STB_DXT_NORMAL);
}

Image resized(const Image& image, int width, int height) {
    Image out(width, height);
    stbir_resize_uint8_srgb(reinterpret_cast<const unsigned char*>(image.pixels.data()), image.width,
                            image.height, 0, reinterpret_cast<unsigned char*>(out.pixels.data()), width,
                            height, 0, 4, 3, 0);
    return out;
}

} // namespace quillfen::texture
