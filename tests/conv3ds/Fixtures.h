#pragma once
// Test helpers: small 3DS scenes made in code, and files read back.

#include "Scene.h"
#include "ThreeDsReader.h"
#include "ThreeDsWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace quillfen::test {

/// An axis-aligned box of 12 outward-facing triangles (3DS coordinates), with mapping
/// coordinates, one material group and a local matrix at its centre.
inline conv3ds::Mesh boxMesh(const std::string& name, conv3ds::Vec3 c, conv3ds::Vec3 size,
                             const std::string& material) {
    conv3ds::Mesh mesh{name,
                       {},
                       {},
                       {{material, {}}},
                       {},
                       {},
                       conv3ds::LocalMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1, c.x, c.y, c.z}};
    for (int i = 0; i < 8; ++i) {
        const auto half = [i](int bit) { return (i & bit) ? 0.5f : -0.5f; };
        mesh.vertices.push_back({c.x + half(1) * size.x, c.y + half(2) * size.y, c.z + half(4) * size.z});
        mesh.uvs.push_back({half(1) + 0.5f, half(2) + 0.5f});
    }
    // Corners of each side counter-clockwise seen from outside (3DS faces front this way).
    const std::uint16_t sides[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                       {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& s : sides) {
        mesh.faces.push_back({s[0], s[1], s[2], 7});
        mesh.faces.push_back({s[0], s[2], s[3], 7});
    }
    for (std::uint16_t f = 0; f < 12; ++f) mesh.groups[0].faces.push_back(f);
    return mesh;
}

inline conv3ds::Scene oneBoxScene() {
    return {{boxMesh("Box", {1, 2, 3}, {2, 4, 6}, "Brick")}, {{"Brick", {}, "brick.tga", 0.0f, false}}, {}};
}

inline conv3ds::Node objectNode(std::uint16_t id, const std::string& name,
                                std::uint16_t parent = conv3ds::Node::kNoParent) {
    return {id, name, {}, parent, {}, {}, true};
}

inline std::string threeDsBytes(const conv3ds::Scene& scene) {
    const auto bytes = conv3ds::writeThreeDs(scene);
    return {bytes.begin(), bytes.end()};
}

inline conv3ds::ReadResult readThreeDs(const std::string& bytes) {
    return conv3ds::readThreeDs(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace quillfen::test
