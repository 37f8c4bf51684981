// The registry where there is no Windows: the files of the Wine prefix in
// which MSTS users run the simulator, read only.

#ifndef _WIN32

#include "platform/Registry.h"
#include "platform/RegistryWine.h"
#include "platform/SpecialFolders.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace quillfen {

bool systemRegistryIsNative() {
    return false;
}

std::shared_ptr<RegistryStore> makeSystemRegistry() {
    return std::make_shared<WineRegistryStore>(winePrefixFolder());
}

std::string registryErrorText(long code) {
    // The system's English texts for the codes the registry layer can give.
    static const std::map<long, std::string> texts = {
        {0, "The operation completed successfully."},
        {2, "The system cannot find the file specified."},
        {5, "Access is denied."},
        {6, "The handle is invalid."},
        {13, "The data is invalid."},
        {50, "The request is not supported."},
        {87, "The parameter is incorrect."},
        {234, "More data is available."},
        {259, "No more data is available."},
        {1009, "The configuration registry database is corrupt."},
        {1010, "The configuration registry key is invalid."},
    };
    const auto found = texts.find(code);
    return found == texts.end() ? std::string() : found->second;
}

} // namespace quillfen

#endif
