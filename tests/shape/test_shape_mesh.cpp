// A level made ready to draw, the level chosen by distance, and where images are found.

#include "support/SmallShape.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"
#include "shape/ShapeMesh.h"
#include "shape/ShapeReader.h"
#include "shape/TextureLookup.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

using namespace shape;

Shape smallShape() {
    auto shape = readShapeText(test::kSmallShape);
    EXPECT_TRUE(shape.ok());
    return std::move(shape.value());
}

void expectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5);
    EXPECT_NEAR(actual.y, expected.y, 1e-5);
    EXPECT_NEAR(actual.z, expected.z, 1e-5);
}

TEST(ShapeMesh, PlacesVerticesThroughTheirMatrixChain) {
    Shape shape = smallShape();
    // The root turns a quarter about y and moves 5 along x; the roof, below it, lifts 3.
    shape.matrices[0].m = {0, 0, 1, 0, 1, 0, -1, 0, 0, 5, 0, 0};
    const auto materials = meshMaterials(shape);
    const LevelMesh mesh = buildLevelMesh(shape, 0, materials);
    ASSERT_EQ(mesh.vertices.size(), 3u);
    // (0 1 -25) + roof (0 3 0) = (0 4 -25); turned: (25 4 0); moved: (30 4 0).
    expectNear(mesh.vertices[2].position, {30, 4, 0});
    expectNear(mesh.vertices[0].position, {5, 3, 0});
    expectNear(mesh.box.min, {5, 3, 0});
    expectNear(mesh.box.max, {30, 4, 1});
    expectNear(mesh.vertices[0].normal, {0, 1, 0});
    EXPECT_FLOAT_EQ(mesh.vertices[0].uv.u, 0.5F);
}

TEST(ShapeMesh, DrawsOpaqueStatesBeforeBlendedOnes) {
    Shape shape = smallShape();
    // A second triangle list with the opaque, untextured state.
    shape.distanceLevels[0].subObjects[0].triangleLists.push_back({1, {2, 1, 0}});
    const auto materials = meshMaterials(shape);
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(materials[0].image, "roof.ace");
    EXPECT_EQ(materials[0].blend, BlendMode::AlphaBlend);
    EXPECT_EQ(materials[1].image, "");
    EXPECT_EQ(materials[1].blend, BlendMode::Opaque);
    shape.shaders[1] = "TexDiff";
    EXPECT_EQ(meshMaterials(shape)[0].blend, BlendMode::AlphaTest); // its alpha test mode is 1

    const LevelMesh mesh = buildLevelMesh(shape, 0, materials);
    ASSERT_EQ(mesh.batches.size(), 2u);
    EXPECT_EQ(mesh.batches[0].material, 1u);
    EXPECT_EQ(mesh.batches[1].material, 0u);
    EXPECT_EQ(mesh.batches[1].firstIndex, 3u);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{2, 1, 0, 0, 1, 2}));
}

TEST(ShapeMesh, ChoosesTheLevelByDistanceAndCountsItsFacts) {
    const Shape shape = smallShape();
    const std::pair<float, std::size_t> cases[] = {{0, 0}, {100, 0}, {100.5F, 1}, {5000, 1}};
    for (const auto& [distance, level] : cases)
        EXPECT_EQ(levelForDistance(shape, distance), level) << distance;
    EXPECT_EQ(shapeFacts(shape, 0).points, 3u);
    EXPECT_EQ(shapeFacts(shape, 0).triangles, 1u);
    EXPECT_EQ(shapeFacts(shape, 1).triangles, 0u);
    EXPECT_TRUE(buildLevelMesh(shape, 1, meshMaterials(shape)).box.empty);
}

TEST(TextureLookup, SearchesModelFolderTexturesThenShapeFolder) {
    const test::TempFolder folder;
    for (const char* file :
         {"model/SHAPES/house.s", "model/TEXTURES/Roof.ACE", "model/roof.ace", "model/TEXTURES/wall.ace",
          "model/SHAPES/wall.ace", "model/SHAPES/window.dds", "elsewhere/door.ace"})
        folder.write(file, "");
    LocalFileSystem fileSystem;
    const auto folders = textureFolders(folder / "model/SHAPES/house.s");
    const std::pair<const char*, const char*> cases[] = {
        // the image, and where it is found ("": nowhere)
        {"roof.ace", "model/roof.ace"},
        {"WALL.ace", "model/TEXTURES/wall.ace"},
        {"window.ace", "model/SHAPES/window.dds"},
        {"..\\textures\\wall.ace", "model/TEXTURES/wall.ace"},
        {"door.ace", ""}};
    for (const auto& [image, found] : cases)
        EXPECT_EQ(findTextureFile(fileSystem, folders, image).value_or(""), *found ? folder / found : "")
            << image;
    EXPECT_EQ(textureFolders(folder / "model/SHAPES/house.s", folder / "elsewhere").front(),
              folder / "elsewhere");
}

} // namespace
} // namespace quillfen
