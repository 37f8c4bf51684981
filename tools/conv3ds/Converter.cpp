#include "Converter.h"

#include "ShapeBuilder.h"
#include "ShapeText.h"
#include "ThreeDsReader.h"

#include "texture/AceFile.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <span>
#include <stdexcept>

namespace quillfen::conv3ds {
namespace {

namespace fs = std::filesystem;

// Hand-made calls may pass a file without a distance in its name; such a level
// is seen from as far as the simulator's usual farthest level.
constexpr long kDefaultDistance = 2000;

constexpr const char* kUsage =
    "Usage: conv3ds.exe OUTPUT.s LOD1.3ds [LOD2.3ds ...]\n"
    "Converts 3DS files, one per level of detail and nearest first, into one s-file.\n"
    "Untextured materials get a one-colour texture qf_colour_rrggbbaa.ace beside the s-file.\n"
    "Each 3DS file name ends in its distance in metres before the extension (house_500.3ds);\n"
    "a file name without one gives its level 2000 m.\n"
    "The s-file appears at OUTPUT.s only when the conversion succeeded.\n";

Conversion failure(std::string message) {
    return Conversion{false, {}, std::move(message), {}};
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(fs::path(path), std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<std::size_t>(in.gcount()) == bytes.size();
}

bool hasFaces(const Scene& scene) {
    for (const auto& mesh : scene.meshes)
        if (!mesh.faces.empty()) return true;
    return false;
}

/// A name for the temporary file beside the output, unlikely to meet another.
fs::path temporaryBeside(const fs::path& output) {
    std::random_device random;
    fs::path temporary = output;
    temporary += ".tmp" + std::to_string(random() % 1000000);
    return temporary;
}

/// Writes the bytes under a temporary name and renames them into place, so
/// that the output path only ever shows a complete file.
std::optional<std::string> writeInPlace(const std::string& outputPath, const std::string& bytes) {
    const fs::path output(outputPath);
    const fs::path temporary = temporaryBeside(output);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return "cannot create " + temporary.string();
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return "cannot write " + temporary.string();
        }
    }
    std::error_code error;
    fs::rename(temporary, output, error);
    if (error && fs::exists(output)) { // some systems refuse to rename over an existing file
        fs::remove(output, error);
        fs::rename(temporary, output, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return "cannot rename " + temporary.string() + " to " + outputPath + ": " + error.message();
    }
    return std::nullopt;
}

long levelDistance(const std::string& path) {
    return distanceFromFileName(path).value_or(kDefaultDistance);
}

/// The engine picks the first level whose distance is not yet passed, so the
/// levels must come nearest first; a message naming the two files otherwise.
std::optional<std::string> lodOrderProblem(const std::vector<std::string>& inputs) {
    for (std::size_t i = 1; i < inputs.size(); ++i) {
        const long before = levelDistance(inputs[i - 1]), after = levelDistance(inputs[i]);
        if (after <= before)
            return "the levels of detail must be given nearest first, with increasing distances: " +
                   inputs[i - 1] + " (" + std::to_string(before) + " m) comes before " + inputs[i] + " (" +
                   std::to_string(after) + " m)";
    }
    return std::nullopt;
}

std::vector<SideFile> colourTextureFiles(const Shape& shape) {
    std::vector<SideFile> files;
    for (const ColourTexture& texture : shape.colourTextures) {
        const Rgba8& c = texture.colour;
        const texture::Image image(4, 4, texture::Rgba{c.r, c.g, c.b, c.a});
        files.push_back(SideFile{texture.image, texture::writeAce(image)});
    }
    return files;
}

} // namespace

std::optional<long> distanceFromFileName(const std::string& path) {
    const std::string stem = fs::path(path).stem().string();
    std::size_t first = stem.size();
    while (first > 0 && stem[first - 1] >= '0' && stem[first - 1] <= '9') --first;
    if (first == stem.size()) return std::nullopt;
    long distance = 0;
    for (std::size_t i = first; i < stem.size(); ++i) {
        distance = distance * 10 + (stem[i] - '0');
        if (distance > 1'000'000'000L) return std::nullopt; // no level of detail is that far away
    }
    return distance;
}

Conversion convertFiles(const std::string& outputPath, const std::vector<std::string>& inputs) {
    if (const auto problem = lodOrderProblem(inputs)) return failure(*problem);
    std::vector<Scene> scenes;
    std::vector<long> distances;
    scenes.reserve(inputs.size());
    for (const auto& input : inputs) {
        const long distance = levelDistance(input);
        std::vector<std::uint8_t> bytes;
        if (!readWholeFile(input, bytes)) return failure(input + ": cannot be read");
        auto result = readThreeDs(std::span<const std::uint8_t>(bytes));
        if (const auto* error = std::get_if<ReadError>(&result))
            return failure(input + ": " + error->message());
        auto& scene = std::get<Scene>(result);
        if (!hasFaces(scene))
            return failure(input + ": " +
                           ReadError{0x4D4D, 0, "the file holds no triangle mesh with faces"}.message());
        scenes.push_back(std::move(scene));
        distances.push_back(distance);
    }
    std::vector<LevelInput> levels;
    for (std::size_t i = 0; i < scenes.size(); ++i) levels.push_back(LevelInput{&scenes[i], distances[i]});
    const Shape shape = buildShape(levels, fs::path(outputPath).stem().string());
    return Conversion{true, toUtf16LeWithBom(shapeText(shape)), {}, colourTextureFiles(shape)};
}

int runConverter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "/?")) {
        out << kUsage;
        return 0;
    }
    if (args.size() < 2) {
        err << "conv3ds: need the output s-file and at least one 3DS file\n" << kUsage;
        return 2;
    }
    const std::string& outputPath = args[0];
    Conversion conversion;
    try {
        conversion = convertFiles(outputPath, {args.begin() + 1, args.end()});
    } catch (const std::exception& e) { // out of memory on a giant model, for instance
        conversion = failure(std::string("conversion failed: ") + e.what());
    }
    if (!conversion.ok) {
        err << "conv3ds: " << conversion.message << "\n";
        return 1;
    }
    for (const SideFile& file : conversion.textures) {
        const std::string path = (fs::path(outputPath).parent_path() / file.name).string();
        if (const auto problem = writeInPlace(path, file.bytes)) {
            err << "conv3ds: " << *problem << "\n";
            return 1;
        }
    }
    if (const auto problem = writeInPlace(outputPath, conversion.bytes)) {
        err << "conv3ds: " << *problem << "\n";
        return 1;
    }
    out << "conv3ds: wrote " << outputPath << "\n";
    return 0;
}

} // namespace quillfen::conv3ds
