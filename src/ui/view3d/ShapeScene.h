#pragma once
// A shape loaded for the 3D view: the shape, its materials, the mesh of each
// distance level (made when first shown) and the picture of each image it
// names, looked up as the simulator looks them up. An image without a file is
// "missing" and drawn as a magenta checker.

#include "platform/Expected.h"
#include "platform/FileSystem.h"
#include "shape/Shape.h"
#include "shape/ShapeMesh.h"

#include <QImage>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillfen::view3d {

/// Decodes a texture file into a picture; nothing when it cannot.
using TextureDecoder = std::function<std::optional<QImage>(const FileSystem&, const std::string& path)>;

/// The decoder of the texture library (ACE, DDS, PNG and the other formats it reads).
[[nodiscard]] TextureDecoder libraryTextureDecoder();

struct SceneImage {
    std::string name;              ///< as the shape names it
    std::optional<QImage> picture; ///< nothing when missing or unreadable
    bool missing = false;          ///< no file found in any folder
};

class ShapeScene {
public:
    /// Reads the shape at `path` and the pictures of its images. `modelFolder`
    /// is where the search for images starts ("" for the folder above the shape's).
    static Expected<ShapeScene> load(const FileSystem& fileSystem, const std::string& path,
                                     const std::string& modelFolder = {},
                                     const TextureDecoder& decode = libraryTextureDecoder());

    [[nodiscard]] const quillfen::shape::Shape& shape() const { return m_shape; }
    [[nodiscard]] const std::vector<quillfen::shape::MeshMaterial>& materials() const { return m_materials; }
    [[nodiscard]] const std::vector<SceneImage>& images() const { return m_images; }
    /// The image index of a material, or nothing when it is untextured.
    [[nodiscard]] std::optional<std::size_t> imageOf(std::size_t material) const;
    [[nodiscard]] std::vector<std::string> missingImages() const;

    [[nodiscard]] std::size_t levelCount() const { return m_shape.distanceLevels.size(); }
    /// The mesh of a level, made on first use.
    [[nodiscard]] const quillfen::shape::LevelMesh& level(std::size_t index) const;
    /// The box of the nearest level, which frames the view.
    [[nodiscard]] const quillfen::shape::Box& box() const { return level(0).box; }

private:
    quillfen::shape::Shape m_shape;
    std::vector<quillfen::shape::MeshMaterial> m_materials;
    std::vector<SceneImage> m_images;
    std::vector<std::optional<std::size_t>> m_materialImages;
    mutable std::map<std::size_t, quillfen::shape::LevelMesh> m_levels;
};

} // namespace quillfen::view3d
