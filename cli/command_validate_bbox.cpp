#include "Commands.h"

#include "bbox/BoxValidation.h"
#include "core/ProgramState.h"

#include <iostream>

namespace quillfen::cli {

int runValidateBbox(const Arguments& args) {
    // The one argument is the text, also when it starts with "-" (a negative value).
    if (args.size() != 1) {
        std::cerr << "Usage: quillfen-cli validate-bbox TEXT\n";
        return 2;
    }
    std::cout << validiereBoundingBox(args.front(), ProgramState{}.gintNachkommastellen) << '\n';
    return 0;
}

} // namespace quillfen::cli
