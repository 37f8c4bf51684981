// quillfen-cli texture IN OUT [--dxt1]: one texture file turned into another
// format, each chosen by its extension, so that ACE files can be made and
// looked at without the simulator's Windows tools. An ACE file is made with
// its mipmaps, at sides of powers of two.

#include "Commands.h"

#include "platform/FileSystem.h"
#include "texture/Scaling.h"
#include "texture/TextureFile.h"

#include <iostream>
#include <memory>
#include <string>

namespace quillfen::cli {

namespace {

std::string sizeText(const texture::Image& image) {
    return std::to_string(image.width) + " x " + std::to_string(image.height);
}

int failed(const std::string& path, const std::string& reason) {
    std::cerr << "quillfen-cli: " << path << ": " << reason << '\n';
    return 1;
}

int runTexture(const std::string& inPath, const std::string& outPath, bool dxt1) {
    const auto in = texture::formatOfPath(inPath);
    const auto out = texture::formatOfPath(outPath);
    if (!in || !out) {
        std::cerr << "Usage: quillfen-cli texture IN OUT [--dxt1]\n"
                     "IN: .ace, .dds, .png, .bmp, .tga or .jpg; OUT: .ace, .png, .bmp, .tga or .jpg.\n";
        return kExitUsage;
    }
    LocalFileSystem files;
    const auto bytes = files.readBytes(inPath);
    if (!bytes) return failed(inPath, bytes.error().reason);
    auto image = texture::decodeTexture(*bytes, *in);
    if (!image) return failed(inPath, image.error().reason);
    if (*out == texture::FileFormat::Ace && !texture::hasPowerOfTwoSides(*image)) {
        texture::Image scaled = texture::scaledToPowerOfTwo(*image);
        std::cout << inPath << ": " << sizeText(*image) << " pixels scaled to " << sizeText(scaled) << '\n';
        *image = std::move(scaled);
    }
    const auto encoded = texture::encodeTexture(*image, *out, texture::AceWriteOptions{dxt1, true, false});
    if (!encoded) return failed(outPath, encoded.error().reason);
    if (Status written = files.replaceFile(outPath, *encoded); !written)
        return failed(outPath, written.error().reason);
    std::cout << outPath << ": " << sizeText(*image) << " pixels written\n";
    return 0;
}

} // namespace

void addTextureCommand(CLI::App& app, int& exitCode) {
    auto* command = app.add_subcommand(
        "texture", "Convert a texture between ACE, DDS (read only), PNG, BMP, TGA and JPG by the files' extensions");
    struct TextureArguments {
        std::string in, out;
        bool dxt1 = false;
    };
    auto args = std::make_shared<TextureArguments>();
    command->add_option("IN", args->in, "the texture read: .ace, .dds, .png, .bmp, .tga or .jpg")->required();
    command->add_option("OUT", args->out, "the texture written: .ace, .png, .bmp, .tga or .jpg")->required();
    command->add_flag("--dxt1", args->dxt1, "make a DXT1-compressed ACE file (its alpha becomes a mask)");
    command->callback([args, &exitCode] { exitCode = runTexture(args->in, args->out, args->dxt1); });
}

} // namespace quillfen::cli
