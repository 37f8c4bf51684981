#include "Scene.h"

namespace quillfen::conv3ds {

const Material* Scene::findMaterial(const std::string& name) const {
    for (const auto& material : materials)
        if (material.name == name) return &material;
    return nullptr;
}

const Node* Scene::findObjectNode(const std::string& objectName) const {
    for (const auto& node : nodes)
        if (node.isObjectNode && node.name == objectName) return &node;
    return nullptr;
}

} // namespace quillfen::conv3ds
