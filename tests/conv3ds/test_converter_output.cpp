// What the converter writes for the engines: levels nearest first, big flat
// meshes split into sub-objects a 16-bit index reaches, untextured materials
// with one-colour textures, and uv values as the 3DS file has them.

#include "Converter.h"
#include "support/ThreeDsFixtures.h"

#include "support/ShapeChecker.h"
#include "support/TempFolder.h"
#include "texture/AceFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillfen::conv3ds {
namespace {

/// A flat grid of side x side points with mapping, two triangles per square, no smoothing groups,
/// so every face corner becomes a vertex of its own.
Scene flatGrid(int side) {
    Mesh mesh{"Ground", {}, {}, {{"Grass", {}}}, {}, {}, std::nullopt};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            mesh.vertices.push_back(
                {static_cast<float>(x), static_cast<float>(y), static_cast<float>((x * y) % 7)});
            mesh.uvs.push_back(
                {static_cast<float>(x) / static_cast<float>(side - 1), static_cast<float>(y) / 3.0f});
        }
    for (int y = 0; y + 1 < side; ++y)
        for (int x = 0; x + 1 < side; ++x) {
            const auto at = [&](int dx, int dy) {
                return static_cast<std::uint16_t>((y + dy) * side + x + dx);
            };
            mesh.faces.push_back({at(0, 0), at(1, 0), at(1, 1), 7});
            mesh.faces.push_back({at(0, 0), at(1, 1), at(0, 1), 7});
        }
    for (std::size_t f = 0; f < mesh.faces.size(); ++f)
        mesh.groups[0].faces.push_back(static_cast<std::uint16_t>(f));
    return Scene{{mesh}, {{"Grass", {}, "grass.png", 0.0f, false}}, {}};
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

TEST(ConverterOutput, LevelsMustComeNearestFirst) {
    const std::vector<std::vector<std::string>> refused = {{"house_500.3ds", "house_100.3ds"},
                                                           {"house_100.3ds", "house_100b_100.3ds"},
                                                           {"house_100.3ds", "house.3ds", "house_500.3ds"}};
    for (const auto& names : refused) {
        test::TempFolder folder;
        std::vector<std::string> args{folder / "house_.s"};
        for (const auto& name : names) {
            folder.write(name, test::threeDsBytes(test::oneBoxScene()));
            args.push_back(folder / name);
        }
        std::ostringstream out, err;
        EXPECT_EQ(runConverter(args, out, err), 1) << names[0];
        EXPECT_FALSE(folder.exists("house_.s"));
        EXPECT_NE(err.str().find("nearest first"), std::string::npos) << err.str();
    }
}

TEST(ConverterOutput, AFlatMeshOfMoreThan65535VerticesIsSplitWithTrianglesWhole) {
    test::TempFolder folder;
    const Scene grid = flatGrid(113); // 12,769 points, 25,088 faces, 75,264 face corners
    folder.write("ground_100.3ds", test::threeDsBytes(grid));
    ASSERT_EQ(test::convert(folder / "ground_.s", {folder / "ground_100.3ds"}), "");
    const std::string text = test::shapeText(folder / "ground_.s");
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    EXPECT_EQ(count(text, "\tsub_object (\r\n"), 2u);
    EXPECT_EQ(count(text, "prim_state_idx ( 0 )"), 2u);         // both halves keep the one prim_state
    EXPECT_EQ(count(text, "geometry_node_map ( 2 -1 0 )"), 2u); // and the object's matrix
    std::size_t faces = 0;
    for (auto at = text.find("geometry_info ( "); at != std::string::npos;
         at = text.find("geometry_info ( ", at + 1))
        faces += std::stoul(text.substr(at + 16, 12));
    EXPECT_EQ(faces, grid.meshes[0].faces.size());
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("ground_100.3ds")))});
}

TEST(ConverterOutput, UntexturedMaterialsGetOneColourTexturesBesideTheShape) {
    Scene scene = test::oneBoxScene();
    scene.materials = {{"Brick", {1.0f, 0.5f, 0.0f}, "", 0.0f, false}};
    scene.meshes.push_back(test::boxMesh("Glass", {5, 0, 0}, {1, 1, 1}, "Glass"));
    scene.meshes.push_back(test::boxMesh("Glass2", {8, 0, 0}, {1, 1, 1}, "Glass"));
    scene.materials.push_back({"Glass", {0.0f, 0.0f, 1.0f}, "", 0.17f, false});
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(scene));
    ASSERT_EQ(test::convert(folder / "box_.s", {folder / "box_100.3ds"}), "");
    const std::string text = test::shapeText(folder / "box_.s");
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    EXPECT_NE(text.find("image ( qf_colour_ff8000ff.ace )"), std::string::npos);
    EXPECT_NE(text.find("image ( qf_colour_0000ffd4.ace )"), std::string::npos);
    EXPECT_NE(text.find("named_shader ( BlendATexDiff )"), std::string::npos);
    EXPECT_EQ(text.find("Diffuse"), std::string::npos);
    const std::pair<const char*, texture::Rgba> colours[] = {{"qf_colour_ff8000ff.ace", {255, 128, 0, 255}},
                                                             {"qf_colour_0000ffd4.ace", {0, 0, 255, 212}}};
    for (const auto& [name, colour] : colours) {
        const auto ace = texture::readAce(folder.read(name));
        ASSERT_TRUE(ace.ok()) << name;
        EXPECT_EQ(ace->levels.front(), texture::Image(4, 4, colour)) << name;
    }
}

TEST(ConverterOutput, UvValuesAreThoseOfTheThreeDsFiles) {
    Scene nearScene = test::oneBoxScene(), farScene = test::oneBoxScene();
    nearScene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 2, 1}, "Brick"));
    for (auto& uv : nearScene.meshes[1].uvs) uv = {uv[0] * 3.5f - 0.25f, uv[1] * 0.3f + 0.1f};
    farScene.meshes[0].uvs.clear();
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(nearScene));
    folder.write("box_500.3ds", test::threeDsBytes(farScene));
    ASSERT_EQ(test::convert(folder / "box_.s", {folder / "box_100.3ds", folder / "box_500.3ds"}), "");
    const std::string text = test::shapeText(folder / "box_.s");
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("box_100.3ds"))),
                                     std::get<Scene>(test::readThreeDs(folder.read("box_500.3ds")))});
}

} // namespace
} // namespace quillfen::conv3ds
