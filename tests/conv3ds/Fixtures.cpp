#include "Fixtures.h"

#include "ThreeDsReader.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quillfen::test {

using conv3ds::Face;
using conv3ds::Vec3;

conv3ds::Mesh boxMesh(const std::string& name, Vec3 centre, Vec3 size, const std::string& material) {
    conv3ds::Mesh mesh;
    mesh.name = name;
    for (int i = 0; i < 8; ++i) {
        mesh.vertices.push_back(Vec3{centre.x + ((i & 1) ? 0.5f : -0.5f) * size.x,
                                     centre.y + ((i & 2) ? 0.5f : -0.5f) * size.y,
                                     centre.z + ((i & 4) ? 0.5f : -0.5f) * size.z});
        mesh.uvs.push_back({(i & 1) ? 1.0f : 0.0f, (i & 2) ? 1.0f : 0.0f});
    }
    // Corners of each side counter-clockwise seen from outside (3DS faces front this way).
    const std::uint16_t sides[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    conv3ds::MaterialGroup group{material, {}};
    for (const auto& s : sides) {
        mesh.faces.push_back(Face{s[0], s[1], s[2], 7});
        mesh.faces.push_back(Face{s[0], s[2], s[3], 7});
    }
    for (std::uint16_t f = 0; f < mesh.faces.size(); ++f) group.faces.push_back(f);
    mesh.groups.push_back(group);
    mesh.localMatrix = conv3ds::LocalMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1, centre.x, centre.y, centre.z};
    return mesh;
}

conv3ds::Scene oneBoxScene() {
    conv3ds::Scene scene;
    scene.materials.push_back(conv3ds::Material{"Brick", {}, "brick.tga", 0.0f, false});
    scene.meshes.push_back(boxMesh("Box", {1, 2, 3}, {2, 4, 6}, "Brick"));
    return scene;
}

conv3ds::Node objectNode(std::uint16_t id, const std::string& name, std::uint16_t parent) {
    conv3ds::Node node;
    node.id = id;
    node.name = name;
    node.parentId = parent;
    node.isObjectNode = true;
    return node;
}

std::string threeDsBytes(const conv3ds::Scene& scene) {
    const auto bytes = conv3ds::writeThreeDs(scene);
    return {bytes.begin(), bytes.end()};
}

conv3ds::Scene throughFile(const conv3ds::Scene& scene) {
    const auto bytes = conv3ds::writeThreeDs(scene);
    auto result = conv3ds::readThreeDs(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
    if (auto* error = std::get_if<conv3ds::ReadError>(&result)) {
        ADD_FAILURE() << error->message();
        return {};
    }
    return std::get<conv3ds::Scene>(std::move(result));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string decodeShape(const std::string& bytes) {
    return quillfen::decodeText(bytes);
}

} // namespace quillfen::test
