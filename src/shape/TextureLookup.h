#pragma once
// Where the simulator finds a shape's image files: in the model's folder, in its
// TEXTURES folder, then beside the shape. Names are matched without regard to
// letter case (shapes name "Wall.ACE" for "wall.ace"), and an image named .ace
// is also found as .dds or .png of the same stem.

#include "platform/FileSystem.h"

#include <optional>
#include <string>
#include <vector>

namespace quillfen::shape {

/// The folders searched for the images of the shape at `shapePath`, in order:
/// the model folder, its TEXTURES, the shape's own folder. The model folder is
/// `modelFolder`, or when that is empty the folder above the shape's folder.
[[nodiscard]] std::vector<std::string> textureFolders(const std::string& shapePath,
                                                      const std::string& modelFolder = {});

/// The path of the file for `image`, or nothing when no folder holds it.
[[nodiscard]] std::optional<std::string> findTextureFile(const FileSystem& fileSystem,
                                                         const std::vector<std::string>& folders,
                                                         const std::string& image);

} // namespace quillfen::shape
