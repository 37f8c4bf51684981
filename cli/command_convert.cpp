#include "Commands.h"

#include <iostream>

namespace quillfen::cli {

int runConvert(const Arguments& /*args*/) {
    std::cerr << "quillfen-cli: this command is not available yet\n";
    return 2;
}

} // namespace quillfen::cli
