// quillfen-cli render in a build without the Qt window: the renderer is not there.

#include "Commands.h"

#include <iostream>

namespace quillfen::cli {

int runRender(const Arguments&) {
    std::cerr << "quillfen-cli: this build has no renderer (it is built with the Qt window)\n";
    return 2;
}

} // namespace quillfen::cli
