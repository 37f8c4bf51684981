// conv3ds.exe: the project's own converter from 3DS levels of detail to one s-file.

#include "Converter.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args.front() == "--version") {
        std::cout << "conv3ds.exe (Quillfen) " << QUILLFEN_VERSION << '\n';
        return 0;
    }
    return quillfen::conv3ds::runConverter(args, std::cout, std::cerr);
}
