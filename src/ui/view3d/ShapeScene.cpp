#include "ui/view3d/ShapeScene.h"

#include "platform/Text.h"
#include "shape/ShapeReader.h"
#include "shape/TextureLookup.h"

#include <algorithm>

namespace quillfen::view3d {

Expected<ShapeScene> ShapeScene::load(const FileSystem& fileSystem, const std::string& path,
                                      const std::string& modelFolder, const TextureDecoder& decode) {
    auto shape = shape::readShapeFile(fileSystem, path);
    if (!shape) return shape.error();
    ShapeScene scene;
    scene.m_shape = std::move(shape.value());
    scene.m_materials = shape::meshMaterials(scene.m_shape);
    const std::vector<std::string> folders = shape::textureFolders(path, modelFolder);
    for (const shape::MeshMaterial& material : scene.m_materials) {
        if (material.image.empty()) {
            scene.m_materialImages.emplace_back();
            continue;
        }
        const auto known =
            std::find_if(scene.m_images.begin(), scene.m_images.end(),
                         [&](const SceneImage& image) { return equalsNoCase(image.name, material.image); });
        if (known != scene.m_images.end()) {
            scene.m_materialImages.emplace_back(static_cast<std::size_t>(known - scene.m_images.begin()));
            continue;
        }
        SceneImage image{material.image, std::nullopt, false};
        const auto file = shape::findTextureFile(fileSystem, folders, material.image);
        if (file)
            image.picture = decode(fileSystem, *file);
        else
            image.missing = true;
        scene.m_materialImages.emplace_back(scene.m_images.size());
        scene.m_images.push_back(std::move(image));
    }
    return scene;
}

std::optional<std::size_t> ShapeScene::imageOf(std::size_t material) const {
    return m_materialImages.at(material);
}

std::vector<std::string> ShapeScene::missingImages() const {
    std::vector<std::string> names;
    for (const SceneImage& image : m_images)
        if (image.missing) names.push_back(image.name);
    return names;
}

const shape::LevelMesh& ShapeScene::level(std::size_t index) const {
    auto found = m_levels.find(index);
    if (found == m_levels.end())
        found = m_levels.emplace(index, shape::buildLevelMesh(m_shape, index, m_materials)).first;
    return found->second;
}

} // namespace quillfen::view3d
