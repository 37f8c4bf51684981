// quillfen-cli texture IN OUT [--dxt1]: one texture file turned into another
// format, each chosen by its extension, so that ACE files can be made and
// looked at without the simulator's Windows tools. An ACE file is made with
// its mipmaps, at sides of powers of two.

#include "Commands.h"

#include "platform/FileSystem.h"
#include "texture/Scaling.h"
#include "texture/TextureFile.h"

#include <iostream>

namespace quillfen::cli {

namespace {

constexpr const char* kTextureUsage =
    "Usage: quillfen-cli texture IN OUT [--dxt1]\n"
    "IN: .ace, .dds, .png, .bmp, .tga or .jpg; OUT: .ace, .png, .bmp, .tga or .jpg.\n"
    "--dxt1 makes a DXT1-compressed ACE file (its alpha becomes a mask).\n";

std::string sizeText(const texture::Image& image) {
    return std::to_string(image.width) + " x " + std::to_string(image.height);
}

int failed(const std::string& path, const std::string& reason) {
    std::cerr << "quillfen-cli: " << path << ": " << reason << '\n';
    return 1;
}

} // namespace

int runTexture(const Arguments& args) {
    Arguments paths;
    bool dxt1 = false;
    for (const std::string& arg : args) {
        if (arg == "--dxt1") {
            dxt1 = true;
        } else {
            paths.push_back(arg);
        }
    }
    const auto in = paths.size() == 2 ? texture::formatOfPath(paths[0]) : std::nullopt;
    const auto out = paths.size() == 2 ? texture::formatOfPath(paths[1]) : std::nullopt;
    if (!in || !out) {
        std::cerr << kTextureUsage;
        return 2;
    }
    LocalFileSystem files;
    const auto bytes = files.readBytes(paths[0]);
    if (!bytes) return failed(paths[0], bytes.error().reason);
    auto image = texture::decodeTexture(*bytes, *in);
    if (!image) return failed(paths[0], image.error().reason);
    if (*out == texture::FileFormat::Ace && !texture::hasPowerOfTwoSides(*image)) {
        texture::Image scaled = texture::scaledToPowerOfTwo(*image);
        std::cout << paths[0] << ": " << sizeText(*image) << " pixels scaled to " << sizeText(scaled) << '\n';
        *image = std::move(scaled);
    }
    const auto encoded = texture::encodeTexture(*image, *out, texture::AceWriteOptions{dxt1, true, false});
    if (!encoded) return failed(paths[1], encoded.error().reason);
    if (Status written = files.replaceFile(paths[1], *encoded); !written)
        return failed(paths[1], written.error().reason);
    std::cout << paths[1] << ": " << sizeText(*image) << " pixels written\n";
    return 0;
}

} // namespace quillfen::cli
