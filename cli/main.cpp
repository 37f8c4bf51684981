// quillfen-cli: the headless front end. The same core that drives the window
// runs here, with stdout as the progress log and stderr for message boxes.

#include "Commands.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "Usage: quillfen-cli <command> [arguments]\n"
    "\n"
    "Commands:\n"
    "  lods [DIR]               list DIR's levels of detail as the window would, then the\n"
    "                           proposed s-file name (DIR defaults to the current folder)\n"
    "  validate-bbox TEXT       print the bounding-box values of TEXT in their normal form\n"
    "  convert [--lang deutsch|english] [DIR...]\n"
    "                           convert the model in each DIR as the window's button would\n"
    "  bbox FILE.s              compute the bounding box of FILE.s's first level of detail\n"
    "  render FILE.s -o FILE.png [--size WxH] [--lod N] [--yaw DEG --pitch DEG]\n"
    "                           draw the shape as the 3D view shows it (level N from 0,\n"
    "                           the nearest); missing textures are listed on stderr\n"
    "  --help                   show this text\n";

} // namespace

int main(int argc, char** argv) {
    using namespace quillfen::cli;
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    const Arguments args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "lods") return runLods(args);
    if (command == "validate-bbox") return runValidateBbox(args);
    if (command == "convert") return runConvert(args);
    if (command == "bbox") return runBbox(args);
    if (command == "render") return runRender(args);
    std::cerr << "quillfen-cli: unknown command '" << command << "'\n\n" << kUsage;
    return 2;
}
