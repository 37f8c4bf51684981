#include "shape/TextureLookup.h"

#include "platform/Paths.h"
#include "platform/Text.h"

namespace quillfen::shape {

namespace {

std::string stemOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

/// The names an image may be found under, the name as written first.
std::vector<std::string> candidateNames(const std::string& image) {
    std::vector<std::string> names{image};
    for (const char* extension : {".ace", ".dds", ".png"}) {
        const std::string name = stemOf(image) + extension;
        if (!equalsNoCase(name, image)) names.push_back(name);
    }
    return names;
}

} // namespace

std::vector<std::string> textureFolders(const std::string& shapePath, const std::string& modelFolder) {
    // A relative path without a folder part stands in the current folder.
    const auto orCurrent = [](std::string folder) { return folder.empty() ? std::string(".") : folder; };
    const std::string shapeFolder = orCurrent(parentOf(shapePath));
    const std::string model = modelFolder.empty() ? orCurrent(parentOf(shapeFolder)) : modelFolder;
    return {model, joinPath(model, "TEXTURES"), shapeFolder};
}

std::optional<std::string> findTextureFile(const FileSystem& fileSystem,
                                           const std::vector<std::string>& folders,
                                           const std::string& image) {
    // A path inside the name (a shape may name "..\\textures\\x.ace") counts by its file name.
    const std::string name = fileNameOf(toNativeSeparators(image));
    for (const std::string& candidate : candidateNames(name)) {
        for (const std::string& folder : folders) {
            const auto files = fileSystem.listFiles(folder);
            if (!files) continue;
            for (const std::string& file : *files)
                if (equalsNoCase(file, candidate)) return joinPath(folder, file);
        }
    }
    return std::nullopt;
}

} // namespace quillfen::shape
