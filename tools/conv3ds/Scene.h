#pragma once
// What the converter takes from one 3DS file: triangle meshes, materials and
// the keyframer's object hierarchy, in the file's own (Z up) coordinates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillfen::conv3ds {

struct Vec3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

struct Face {
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    std::uint16_t c = 0;
    std::uint16_t flags = 0;
};

/// The faces of a mesh that use one material.
struct MaterialGroup {
    std::string material;
    std::vector<std::uint16_t> faces;
};

/// The object's own frame: three axis rows, then the origin (all in world coordinates).
using LocalMatrix = std::array<float, 12>;

struct Mesh {
    std::string name;
    std::vector<Vec3> vertices; ///< world coordinates, as 3DS stores them
    std::vector<Face> faces;
    std::vector<MaterialGroup> groups;
    std::vector<std::uint32_t> smoothing;  ///< one mask per face, or empty
    std::vector<std::array<float, 2>> uvs; ///< one per vertex, or empty
    std::optional<LocalMatrix> localMatrix;
};

struct Rgb {
    float r = 0.8f;
    float g = 0.8f;
    float b = 0.8f;
};

struct Material {
    std::string name;
    Rgb diffuse;
    std::string textureFile; ///< the first texture map's file name, or empty
    float transparency = 0;  ///< 0 opaque .. 1 invisible
    bool twoSided = false;
};

/// One keyframer node. Parent links are node ids; kNoParent marks a top node.
struct Node {
    static constexpr std::uint16_t kNoParent = 0xFFFF;
    std::uint16_t id = 0;
    std::string name;
    std::string instanceName;
    std::uint16_t parentId = kNoParent;
    std::optional<std::size_t> parentIndex; ///< the parent's place in Scene::nodes, resolved by the reader
    Vec3 pivot;
    bool isObjectNode = false; ///< an object (not camera, target or light) node
};

struct Scene {
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Node> nodes;

    [[nodiscard]] const Material* findMaterial(const std::string& name) const;
    /// The object node that places the named object, or nullptr.
    [[nodiscard]] const Node* findObjectNode(const std::string& objectName) const;
};

} // namespace quillfen::conv3ds
