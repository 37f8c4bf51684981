// From 3DS scenes to the shape and its text in the simulator's axes, numbers and layout.

#include "ShapeBuilder.h"
#include "ShapeText.h"
#include "support/ThreeDsFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

using test::objectNode;

Shape buildOne(const Scene& scene) {
    return buildShape({LevelInput{&scene, 100}}, "model");
}

/// A point moved from its matrix up to the root, as the simulator places it.
Vec3 toRoot(const Shape& shape, Vec3 p, int matrix) {
    for (; matrix > 0; matrix = shape.matrices[static_cast<std::size_t>(matrix)].parent) {
        const auto& m = shape.matrices[static_cast<std::size_t>(matrix)].values;
        p = Vec3{static_cast<float>(p.x * m[0] + p.y * m[3] + p.z * m[6] + m[9]),
                 static_cast<float>(p.x * m[1] + p.y * m[4] + p.z * m[7] + m[10]),
                 static_cast<float>(p.x * m[2] + p.y * m[5] + p.z * m[8] + m[11])};
    }
    return p;
}

TEST(ShapeBuilder, SwapsYAndZAndKeepsTheFacesFacingOutward) {
    // Counter-clockwise seen from +Z (3DS up): the face looks up.
    Scene scene{{Mesh{"Tri", {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}}, {{0, 1, 2, 0}}, {}, {}, {}, {}}}, {}, {}};
    const Shape shape = buildOne(scene);
    const auto& sub = shape.levels[0].subObjects[0];
    const auto& tri = sub.primitives[0];
    EXPECT_FLOAT_EQ(shape.normals[tri.faceNormals[0]].y, 1.0f); // up in the simulator too (+Y)
    const auto corner = [&](std::size_t k) {
        return toRoot(shape, shape.points[sub.vertices[tri.vertexIndices[k]].point], sub.matrix);
    };
    // Winding turned round: a, c, b; 3DS z became y.
    EXPECT_FLOAT_EQ(corner(0).y, 5.0f);
    EXPECT_FLOAT_EQ(corner(1).z, 1.0f);
    EXPECT_FLOAT_EQ(corner(2).x, 1.0f);
}

TEST(ShapeBuilder, ObjectsHangBelowTheirKeyframerParentsAndTheRoot) {
    Scene scene = test::oneBoxScene();
    scene.meshes.push_back(test::boxMesh("Lid", {1, 2, 8}, {1, 1, 1}, "Brick"));
    scene.meshes.push_back(test::boxMesh("Loose", {-5, 0, 0}, {1, 1, 1}, "Brick"));
    Node camera = objectNode(5, "Camera01");
    camera.isObjectNode = false;
    scene.nodes = {objectNode(0, "Box"), objectNode(1, "Lid", 0), camera, objectNode(3, "Loose", 5)};
    // Through a file, so that node parents are resolved as in a real run.
    const Shape shape = buildOne(std::get<Scene>(test::readThreeDs(test::threeDsBytes(scene))));
    ASSERT_EQ(shape.matrices.size(), 4u);
    // "Loose" has a camera for its parent: it hangs from the root.
    const std::pair<const char*, int> expected[] = {{"model", -1}, {"Box", 0}, {"Lid", 1}, {"Loose", 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(shape.matrices[i].name, expected[i].first);
        EXPECT_EQ(shape.matrices[i].parent, expected[i].second) << expected[i].first;
    }
    // The lid's matrix is relative to the box: (1,2,8) - (1,2,3) in 3DS, Y and Z swapped.
    EXPECT_DOUBLE_EQ(shape.matrices[2].values[10], 5.0);
    EXPECT_DOUBLE_EQ(shape.matrices[2].values[11], 0.0);
}

TEST(ShapeBuilder, PointsAreRelativeToTheirMatrixAndLandWhereTheFileHasThem) {
    // A frame turned 90 degrees about the 3DS Z axis, and a mirrored one (which keeps only its origin).
    for (const LocalMatrix frame : {LocalMatrix{0, 1, 0, -1, 0, 0, 0, 0, 1, 1, 2, 3},
                                    LocalMatrix{-1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 3}}) {
        Scene scene = test::oneBoxScene();
        scene.meshes[0].localMatrix = frame;
        const Shape shape = buildOne(scene);
        const auto& sub = shape.levels[0].subObjects[0];
        const auto& m = shape.matrices[1].values;
        EXPECT_GT(m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
                      m[2] * (m[3] * m[7] - m[4] * m[6]),
                  0.0)
            << "a mirrored matrix";
        EXPECT_DOUBLE_EQ(m[10], 3.0);
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
}

TEST(ShapeBuilder, LaterLevelsReuseMatricesByNameAndGetTheirOwnDistance) {
    const Scene nearScene = test::oneBoxScene(), farScene = test::oneBoxScene();
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

TEST(ShapeBuilder, ShadersImagesAndTokensFollowTheMaterials) {
    // clang-format off
    const std::tuple<const char*, const char*, float, const char*> cases[] = {
        {"Wall", "wall.bmp", 0, "TexDiff"}, {"TransWindow", "w.bmp", 0, "BlendATexDiff"},
        {"transparent", "w.bmp", 0, "BlendATexDiff"}, {"ALPHA_fence", "f.tga", 0, "BlendATexDiff"},
        {"Alp", "f.tga", 0, "TexDiff"}, {"MyTrans", "f.tga", 0.5f, "TexDiff"},
        {"TransGlass", "", 0, "BlendATexDiff"}, {"Glass", "", 0.17f, "BlendATexDiff"}, {"Brick", "", 0, "TexDiff"},
    };
    const std::pair<const char*, const char*> images[] = {
        {"wall.bmp", "wall.ace"}, {"CWALL02.JPG", "CWALL02.ace"}, {"roof", "roof.ace"},
        {"my.roof.tga", "my.roof.ace"}, {"dir.v2\\roof", "dir.v2\\roof.ace"}, {"old wall.BMP", "old wall.ace"},
    };
    // clang-format on
    for (const auto& [name, texture, transparency, shader] : cases)
        EXPECT_EQ(shaderFor(Material{name, {}, texture, transparency, false}), shader) << name;
    for (const auto& [file, image] : images) EXPECT_EQ(imageNameFor(file), image);
    EXPECT_EQ(colourTextureName(Rgba8{255, 128, 0, 212}), "qf_colour_ff8000d4.ace");
    EXPECT_EQ(tokenName("01 - Default"), "01_-_Default");
    EXPECT_EQ(tokenName("a(b)"), "a_b_");
}

TEST(ShapeBuilder, SmoothingGroupsAndTwoSidedMaterialsDecideNormalsAndFaces) {
    Scene scene = test::oneBoxScene();
    // A sharp box has one normal per side; a round one one per corner (plus the side normals of its faces).
    scene.meshes[0].smoothing.assign(12, 0);
    EXPECT_EQ(buildOne(scene).levels[0].subObjects[0].vertices.size(), 24u);
    scene.meshes[0].smoothing.assign(12, 1);
    const Shape round = buildOne(scene);
    EXPECT_EQ(round.levels[0].subObjects[0].vertices.size(), 8u);
    EXPECT_EQ(round.normals.size(), 6u + 8u);
    scene.materials[0].twoSided = true;
    EXPECT_EQ(buildOne(scene).levels[0].subObjects[0].primitives[0].faceNormals.size(), 24u);
}

TEST(ShapeBuilder, FacesWithoutMaterialGetTheDefaultGreyAsTexture) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].groups.clear();
    scene.materials.clear();
    const Shape shape = buildOne(scene);
    ASSERT_EQ(shape.primStates.size(), 1u);
    EXPECT_EQ(shape.primStates[0].texture, 0);
    EXPECT_EQ(shape.shaders, std::vector<std::string>{"TexDiff"});
    EXPECT_EQ(shape.images, std::vector<std::string>{"qf_colour_ccccccff.ace"});
    EXPECT_EQ(shape.colourTextures.size(), 1u);
}

TEST(ShapeText, NumbersAreTheShortestTextOfTheirFloatAndZeroHasNoSign) {
    Scene scene = test::oneBoxScene();
    scene.meshes[0].localMatrix.reset();
    // 3DS x, y, z become the simulator's x, z, y.
    scene.meshes[0].vertices[0] = Vec3{1e-7f, -0.0f, 123456792.0f};
    scene.meshes[0].vertices[1] = Vec3{-1.5679247e-13f, 0.1f, 2.5f};
    scene.meshes[0].vertices[2] = Vec3{1e6f, 16777216.0f, -3.0f};
    const std::string text = shapeText(buildOne(scene));
    for (const char* expected :
         {"point ( 1e-07 123456792 0 )", "point ( -1.5679247e-13 2.5 0.1 )", "point ( 1e+06 -3 16777216 )"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find(" -0 "), std::string::npos);
    EXPECT_EQ(text.find("-0)"), std::string::npos);
    // 8-bit names become their Windows-1252 characters
    EXPECT_EQ(toUtf16LeWithBom(std::string("T\xFCr \x80", 5)),
              std::string("\xFF\xFET\0\xFC\0r\0 \0\xAC\x20", 12));
}

TEST(ShapeText, ImagesAreSharedOneTextureEachAndQuotedWhenTheyHaveBlanks) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"Other", {}, "brick.png", 0, false});
    scene.materials.push_back(Material{"Old", {}, "old wall.BMP", 0, false});
    scene.meshes.push_back(test::boxMesh("Second", {5, 0, 0}, {1, 1, 1}, "Other"));
    scene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 1, 1}, "Old"));
    const Shape shape = buildOne(scene);
    EXPECT_EQ(shape.images, (std::vector<std::string>{"brick.ace", "old wall.ace"}));
    ASSERT_EQ(shape.primStates.size(), 3u);
    EXPECT_EQ(shape.primStates[1].texture, 0);
    const std::string text = shapeText(shape);
    EXPECT_NE(text.find("image ( brick.ace )"), std::string::npos);
    EXPECT_NE(text.find("image ( \"old wall.ace\" )"), std::string::npos);
}

TEST(ShapeText, LongListsWrapAtTheirOwnIndentation) {
    Scene scene = test::oneBoxScene();
    auto& mesh = scene.meshes[0];
    for (std::uint16_t f = 12; f < 212; ++f) {
        mesh.faces.push_back(mesh.faces[f % 12]);
        mesh.groups[0].faces.push_back(f);
    }
    std::istringstream lines(shapeText(buildOne(scene)));
    std::string line, previous;
    bool wrapped = false;
    for (; std::getline(lines, line); previous = line) {
        EXPECT_LT(line.size(), 1100u);
        if (previous.find("flags (") != std::string::npos && line.find("00000000") != std::string::npos &&
            line.find('(') == std::string::npos) {
            wrapped = true;
            EXPECT_EQ(line.find_first_not_of('\t'), previous.find_first_not_of('\t'));
        }
    }
    EXPECT_TRUE(wrapped);
}

} // namespace
} // namespace quillfen::conv3ds
