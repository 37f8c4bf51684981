#pragma once
// Small 3DS scenes made in code, the converter run on them, and its output read back.

#include "Converter.h"
#include "Scene.h"
#include "ThreeDsReader.h"
#include "ThreeDsWriter.h"

#include "platform/TextCodec.h"
#include "support/ShapeBlocks.h"
#include "support/TempFolder.h"

#include <array>
#include <charconv>

namespace quillfen::test {

/// An axis-aligned box of 12 outward-facing triangles (3DS coordinates), with mapping
/// coordinates, one material group and a local matrix at its centre.
inline conv3ds::Mesh boxMesh(const std::string& name, conv3ds::Vec3 c, conv3ds::Vec3 size,
                             const std::string& material) {
    conv3ds::Mesh mesh{name, {}, {}, {{material, {}}}, {}, {}, {}};
    mesh.localMatrix = conv3ds::LocalMatrix{1, 0, 0, 0, 1, 0, 0, 0, 1, c.x, c.y, c.z};
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

/// Runs the converter into `output`; the error text when it failed.
inline std::string convert(const std::string& output, std::vector<std::string> args) {
    args.insert(args.begin(), output);
    std::ostringstream out, err;
    return conv3ds::runConverter(args, out, err) == 0 ? std::string() : err.str();
}

inline std::string shapeText(const std::string& path) {
    return decodeText(readFile(path));
}

/// Every vertex of the s-file has the uv of the 3DS vertex its point came from (v counted from the top
/// instead of the bottom; (0, 0) for an object without mapping). `levels` are the 3DS files' scenes.
inline void expectUvsOfTheInput(const std::string& text, const std::vector<conv3ds::Scene>& levels) {
    std::vector<std::array<float, 2>> expected; // by point index: the points come mesh by mesh
    for (const auto& scene : levels)
        for (const auto& mesh : scene.meshes)
            for (std::size_t v = 0; !mesh.faces.empty() && v < mesh.vertices.size(); ++v)
                expected.push_back(mesh.uvs.empty()
                                       ? std::array<float, 2>{0, 0}
                                       : std::array<float, 2>{mesh.uvs[v][0], 1.0f - mesh.uvs[v][1]});
    const auto number = [](const std::string& field) {
        float value = 0;
        std::from_chars(field.data(), field.data() + field.size(), value);
        return value;
    };
    const Block shape = parseShapeBlocks(text).children.at(0);
    std::vector<std::array<float, 2>> uvPoints;
    std::size_t checked = 0;
    const auto visit = [&](auto& self, const Block& block) -> void {
        if (block.keyword == "uv_point")
            uvPoints.push_back({number(block.fields.at(0)), number(block.fields.at(1))});
        if (block.keyword == "vertex") {
            const auto point = static_cast<std::size_t>(std::stoul(block.fields.at(1)));
            const auto uv = static_cast<std::size_t>(std::stoul(block.children.at(0).fields.at(1)));
            ASSERT_LT(point, expected.size());
            ASSERT_LT(uv, uvPoints.size());
            EXPECT_EQ(uvPoints[uv], expected[point]) << "point " << point;
            ++checked;
        }
        for (const auto& child : block.children) self(self, child);
    };
    visit(visit, shape);
    EXPECT_GT(checked, 0u);
}

} // namespace quillfen::test
