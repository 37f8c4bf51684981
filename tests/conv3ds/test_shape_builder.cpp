// From 3DS scenes to the shape: Y-up coordinates, winding, matrices and their
// hierarchy, points relative to their matrix, shaders, images and normals.

#include "Fixtures.h"
#include "ShapeBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillfen::conv3ds {
namespace {

using test::objectNode;

Shape buildOne(const Scene& scene, long distance = 100) {
    return buildShape({LevelInput{&scene, distance}}, "model");
}

/// A point moved from its matrix up to the root, as the simulator places it.
Vec3 toRoot(const Shape& shape, Vec3 p, int matrix) {
    while (matrix > 0) {
        const auto& m = shape.matrices[static_cast<std::size_t>(matrix)].values;
        const double x = p.x * m[0] + p.y * m[3] + p.z * m[6] + m[9];
        const double y = p.x * m[1] + p.y * m[4] + p.z * m[7] + m[10];
        const double z = p.x * m[2] + p.y * m[5] + p.z * m[8] + m[11];
        p = Vec3{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
        matrix = shape.matrices[static_cast<std::size_t>(matrix)].parent;
    }
    return p;
}

TEST(ShapeBuilder, SwapsYAndZAndKeepsTheFacesFacingOutward) {
    Scene scene;
    Mesh mesh;
    mesh.name = "Tri";
    // Counter-clockwise seen from +Z (3DS up): the face looks up.
    mesh.vertices = {Vec3{0, 0, 5}, Vec3{1, 0, 5}, Vec3{0, 1, 5}};
    mesh.faces = {Face{0, 1, 2, 0}};
    scene.meshes.push_back(mesh);

    const Shape shape = buildOne(scene);
    const auto& sub = shape.levels[0].subObjects[0];
    const auto& tri = sub.primitives[0];
    // The face normal points up in the simulator too (+Y).
    const Vec3 n = shape.normals[tri.faceNormals[0]];
    EXPECT_FLOAT_EQ(n.y, 1.0f);
    // Winding turned round: a, c, b.
    const auto pointOf = [&](std::size_t k) {
        const auto& v = sub.vertices[tri.vertexIndices[k]];
        return toRoot(shape, shape.points[v.point], sub.matrix);
    };
    EXPECT_FLOAT_EQ(pointOf(0).y, 5.0f); // 3DS z became y
    EXPECT_FLOAT_EQ(pointOf(1).z, 1.0f); // second corner is the 3DS third (0, 1, 5)
    EXPECT_FLOAT_EQ(pointOf(2).x, 1.0f); // third corner is the 3DS second (1, 0, 5)
}

TEST(ShapeBuilder, ObjectsHangBelowTheirKeyframerParentsAndTheRoot) {
    Scene scene = test::oneBoxScene();
    scene.meshes.push_back(test::boxMesh("Lid", {1, 2, 8}, {1, 1, 1}, "Brick"));
    scene.meshes.push_back(test::boxMesh("Loose", {-5, 0, 0}, {1, 1, 1}, "Brick"));
    Node camera = objectNode(5, "Camera01");
    camera.isObjectNode = false;
    scene.nodes = {objectNode(0, "Box"), objectNode(1, "Lid", 0), camera, objectNode(3, "Loose", 5)};

    const Shape shape = buildOne(test::throughFile(scene));
    ASSERT_EQ(shape.matrices.size(), 4u);
    EXPECT_EQ(shape.matrices[0].name, "model");
    EXPECT_EQ(shape.matrices[0].parent, -1);
    EXPECT_EQ(shape.matrices[1].name, "Box");
    EXPECT_EQ(shape.matrices[1].parent, 0);
    EXPECT_EQ(shape.matrices[2].name, "Lid");
    EXPECT_EQ(shape.matrices[2].parent, 1);
    EXPECT_EQ(shape.matrices[3].name, "Loose"); // its parent is a camera: it hangs from the root
    EXPECT_EQ(shape.matrices[3].parent, 0);
    // The lid's matrix is relative to the box: (1,2,8) - (1,2,3) in 3DS, Y and Z swapped.
    EXPECT_DOUBLE_EQ(shape.matrices[2].values[10], 5.0);
    EXPECT_DOUBLE_EQ(shape.matrices[2].values[11], 0.0);
}

TEST(ShapeBuilder, PointsAreRelativeToTheirMatrixAndLandWhereTheFileHasThem) {
    Scene scene = test::oneBoxScene();
    // A frame turned 90 degrees about the 3DS Z axis, origin at the box centre.
    scene.meshes[0].localMatrix = LocalMatrix{0, 1, 0, -1, 0, 0, 0, 0, 1, 1, 2, 3};
    const Shape shape = buildOne(scene);
    const auto& sub = shape.levels[0].subObjects[0];
    for (const auto& vertex : sub.vertices) {
        const Vec3 local = shape.points[vertex.point];
        const Vec3 world = toRoot(shape, local, sub.matrix);
        const Vec3 source = scene.meshes[0].vertices[vertex.point];
        EXPECT_NEAR(world.x, source.x, 1e-5);
        EXPECT_NEAR(world.y, source.z, 1e-5);
        EXPECT_NEAR(world.z, source.y, 1e-5);
        EXPECT_LE(std::abs(local.y), 3.0f + 1e-5f); // centred on the origin: half the 3DS height
    }
}

TEST(ShapeBuilder, AScaledOrMirroredFrameKeepsOnlyItsOrigin) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].localMatrix = LocalMatrix{-1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 3};
    const Shape shape = buildOne(scene);
    const auto& values = shape.matrices[1].values;
    EXPECT_DOUBLE_EQ(values[0], 1.0);
    EXPECT_DOUBLE_EQ(values[10], 3.0);
}

TEST(ShapeBuilder, LaterLevelsReuseMatricesByNameAndGetTheirOwnDistance) {
    const Scene nearScene = test::oneBoxScene();
    Scene farScene = test::oneBoxScene();
    farScene.meshes[0].vertices.resize(8); // same object, coarser in a real model
    const Shape shape = buildShape({{&nearScene, 100}, {&farScene, 500}}, "house_");
    ASSERT_EQ(shape.levels.size(), 2u);
    EXPECT_EQ(shape.levels[0].distance, 100);
    EXPECT_EQ(shape.levels[1].distance, 500);
    EXPECT_EQ(shape.matrices.size(), 2u);
    EXPECT_EQ(shape.levels[1].subObjects[0].matrix, 1);
    // One sphere for the whole shape, then one per sub-object; one sort vector each.
    EXPECT_EQ(shape.volumes.size(), 3u);
    EXPECT_EQ(shape.sortVectors.size(), 2u);
    EXPECT_EQ(shape.levels[1].subObjects[0].volume, 2);
}

struct ShaderCase {
    const char* material;
    const char* texture;
    const char* shader;
};

class ShaderChoice : public ::testing::TestWithParam<ShaderCase> {};

TEST_P(ShaderChoice, FollowsTextureAndNamePrefix) {
    const Material material{GetParam().material, {}, GetParam().texture, 0, false};
    EXPECT_EQ(shaderFor(material), GetParam().shader);
}

INSTANTIATE_TEST_SUITE_P(ShapeBuilder, ShaderChoice,
                         ::testing::Values(ShaderCase{"Wall", "wall.bmp", "TexDiff"},
                                           ShaderCase{"TransWindow", "w.bmp", "BlendATexDiff"},
                                           ShaderCase{"transparent", "w.bmp", "BlendATexDiff"},
                                           ShaderCase{"ALPHA_fence", "f.tga", "BlendATexDiff"},
                                           ShaderCase{"Alp", "f.tga", "TexDiff"},
                                           ShaderCase{"MyTrans", "f.tga", "TexDiff"},
                                           ShaderCase{"TransGlass", "", "Diffuse"},
                                           ShaderCase{"Brick", "", "Diffuse"}));

TEST(ShapeBuilder, ImageNamesEndInAceWithTheirLetterCaseKept) {
    EXPECT_EQ(imageNameFor("wall.bmp"), "wall.ace");
    EXPECT_EQ(imageNameFor("CWALL02.JPG"), "CWALL02.ace");
    EXPECT_EQ(imageNameFor("roof"), "roof.ace");
    EXPECT_EQ(imageNameFor("my.roof.tga"), "my.roof.ace");
    EXPECT_EQ(imageNameFor("dir.v2\\roof"), "dir.v2\\roof.ace");
    EXPECT_EQ(imageNameFor("old wall.BMP"), "old wall.ace");
    EXPECT_EQ(tokenName("01 - Default"), "01_-_Default");
    EXPECT_EQ(tokenName("a(b)"), "a_b_");
}

TEST(ShapeBuilder, TexturedMaterialsShareImagesAndOneTexturePerImage) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"Other", {}, "brick.png", 0, false});
    scene.meshes.push_back(test::boxMesh("Second", {5, 0, 0}, {1, 1, 1}, "Other"));
    const Shape shape = buildOne(scene);
    ASSERT_EQ(shape.images, std::vector<std::string>{"brick.ace"});
    EXPECT_EQ(shape.primStates.size(), 2u);
    EXPECT_EQ(shape.primStates[1].texture, 0);
}

TEST(ShapeBuilder, SmoothingGroupsDecideBetweenSharpAndRoundEdges) {
    Scene sharp = test::oneBoxScene();
    sharp.meshes[0].smoothing.assign(12, 0);
    Scene round = test::oneBoxScene();
    round.meshes[0].smoothing.assign(12, 1);
    // A sharp box has one normal per side; a round one one per corner (plus the side normals of its faces).
    const Shape sharpShape = buildOne(sharp);
    const Shape roundShape = buildOne(round);
    EXPECT_EQ(sharpShape.levels[0].subObjects[0].vertices.size(), 24u);
    EXPECT_EQ(roundShape.levels[0].subObjects[0].vertices.size(), 8u);
    EXPECT_EQ(roundShape.normals.size(), 6u + 8u);
}

TEST(ShapeBuilder, TwoSidedMaterialsGetTheBackFacesToo) {
    Scene scene = test::oneBoxScene();
    scene.materials[0].twoSided = true;
    const Shape shape = buildOne(scene);
    EXPECT_EQ(shape.levels[0].subObjects[0].primitives[0].faceNormals.size(), 24u);
}

TEST(ShapeBuilder, FacesWithoutMaterialGetAnUntexturedDefault) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].groups.clear();
    scene.materials.clear();
    const Shape shape = buildOne(scene);
    ASSERT_EQ(shape.primStates.size(), 1u);
    EXPECT_EQ(shape.primStates[0].texture, -1);
    EXPECT_EQ(shape.shaders, std::vector<std::string>{"Diffuse"});
    EXPECT_TRUE(shape.images.empty());
}

} // namespace
} // namespace quillfen::conv3ds
