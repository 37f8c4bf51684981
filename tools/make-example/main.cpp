// make-example: writes the example model (two levels of detail of a small house
// as 3DS files, and their textures) into the folder named on the command line.

#include "HouseModel.h"
#include "TextureFiles.h"
#include "ThreeDsWriter.h"

#include "texture/AceFile.h"
#include "texture/TextureFile.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) std::cerr << "make-example: cannot write " << path.string() << "\n";
    return static_cast<bool>(out);
}

std::string threeDs(const quillfen::conv3ds::Scene& scene) {
    const auto bytes = quillfen::conv3ds::writeThreeDs(scene);
    return {bytes.begin(), bytes.end()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: make-example FOLDER\nWrites house_100.3ds, house_500.3ds, wall.ace, roof.ace, "
                     "window.dds and door.png into FOLDER.\n";
        return 2;
    }
    namespace ex = quillfen::example;
    const std::filesystem::path folder(argv[1]);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    // The 3DS materials name .bmp and .png textures, as a 3D package exports them;
    // the converter makes them .ace, and the run finds the .ace or .dds present.
    // door.png is left as the modeller has it (48 x 96 pixels): the run makes
    // door.ace from it, scaled to 64 x 128.
    const bool ok =
        writeFile(folder / "house_100.3ds", threeDs(ex::nearHouse())) &&
        writeFile(folder / "house_500.3ds", threeDs(ex::farHouse())) &&
        writeFile(folder / "wall.ace", quillfen::texture::writeAce(ex::brickWall(64))) &&
        writeFile(folder / "roof.ace", quillfen::texture::writeAce(ex::roofTiles(64))) &&
        writeFile(folder / "window.dds", ex::ddsFile(ex::windowPane(64))) &&
        writeFile(folder / "door.png", *quillfen::texture::encodeTexture(ex::doorPlanks(48, 96),
                                                                         quillfen::texture::FileFormat::Png));
    return ok ? 0 : 1;
}
