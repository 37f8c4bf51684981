// The 3DS reader, and from 3DS scenes to the shape and its text in the simulator's axes and layout.

#include "ChunkIds.h"
#include "ShapeBuilder.h"
#include "ShapeText.h"

#include "support/TempFolder.h"
#include "support/ThreeDsFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

namespace quillfen::conv3ds {
namespace {

using test::objectNode;
using Bytes = std::vector<std::uint8_t>;

ReadResult read(const Bytes& bytes) {
    return readThreeDs(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

TEST(ThreeDsReader, ReadsBackWhatTheWriterWrote) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"TransGlass", Rgb{0.2f, 0.4f, 0.6f}, "", 0.25f, true});
    scene.meshes.push_back(test::boxMesh("Lid", {0, 0, 5}, {1, 1, 1}, "TransGlass"));
    scene.meshes.back().smoothing.assign(12, 3);
    scene.nodes = {objectNode(0, "Box"), objectNode(7, "Lid", 0)};
    scene.nodes[1].instanceName = "lid-instance";
    scene.nodes[1].pivot = Vec3{1, 2, 3};
    const auto result = read(writeThreeDs(scene));
    ASSERT_TRUE(std::holds_alternative<Scene>(result)) << std::get<ReadError>(result).message();
    const Scene& back = std::get<Scene>(result);
    ASSERT_EQ(back.meshes.size(), 2u);
    const Mesh& box = back.meshes[0];
    EXPECT_EQ(std::tuple(box.name, box.vertices.size(), box.faces.at(1).c, box.groups.at(0).material,
                         box.groups[0].faces.size(), box.uvs.size(), back.meshes[1].smoothing),
              std::tuple("Box", 8u, scene.meshes[0].faces[1].c, "Brick", 12u, 8u,
                         std::vector<std::uint32_t>(12, 3)));
    EXPECT_FLOAT_EQ(box.vertices.at(7).z, 6.0f);
    EXPECT_FLOAT_EQ(box.localMatrix.value()[11], 3.0f);
    ASSERT_EQ(back.materials.size(), 2u);
    EXPECT_EQ(back.materials[0].textureFile, "brick.tga");
    const Material& glass = back.materials[1];
    EXPECT_EQ(glass.name, "TransGlass");
    EXPECT_NEAR(glass.diffuse.g, 0.4f, 0.003f);
    EXPECT_FLOAT_EQ(glass.transparency, 0.25f);
    EXPECT_TRUE(glass.twoSided);
    ASSERT_EQ(back.nodes.size(), 2u);
    EXPECT_FALSE(back.nodes[0].parentIndex.has_value());
    EXPECT_EQ(std::tuple(back.nodes[1].id, back.nodes[1].parentIndex, back.nodes[1].instanceName),
              std::tuple(7, std::optional<std::size_t>(0), "lid-instance"));
    EXPECT_FLOAT_EQ(back.nodes[1].pivot.z, 3.0f);
}

Bytes damaged(const std::function<void(Scene&)>& damage) {
    Scene scene = test::oneBoxScene();
    damage(scene);
    return writeThreeDs(scene);
}

/// main (at 0) > editor (6) > object (12) > whatever `fill` writes at 18.
Bytes objectBytes(const std::function<void(ChunkWriter&)>& fill) {
    ChunkWriter w;
    for (const auto id : {chunk::kMain, chunk::kEditor, chunk::kObject}) w.begin(id);
    fill(w);
    for (int i = 0; i < 3; ++i) w.end();
    return w.bytes();
}

Bytes patched(Bytes bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

TEST(ThreeDsReader, DamagedFilesEndInAnErrorNamingChunkAndOffset) {
    constexpr std::size_t kAtThatChunk = SIZE_MAX; // any offset where the chunk's id stands in the file
    const Bytes good = writeThreeDs(test::oneBoxScene());
    Bytes cut = good, longer = good;
    cut.resize(cut.size() - 10);
    longer.insert(longer.end(), {1, 2, 3});
    // The first child of main is the version chunk at 6; the editor follows at 16.
    // clang-format off
    const struct {
        Bytes bytes;
        std::uint16_t chunkId;
        std::size_t offset;
        const char* problemPart;
    } cases[] = {
        {{}, chunk::kMain, 0, "shorter than one chunk header"},
        {{'P', 'K', 3, 4, ' ', 'z', 'i', 'p'}, 0x4B50, 0, "not a 3DS file"},
        {cut, chunk::kMain, 0, "truncated"},
        {{0x4D, 0x4D, 12, 0, 0, 0, 0x3D, 0x3D, 0, 0, 0, 0}, chunk::kEditor, 6, "shorter than its header"},
        {patched(good, 18, 0x7FFFFFF0), chunk::kEditor, 16, "has only"},
        {patched(longer, 2, static_cast<std::uint32_t>(longer.size())), chunk::kMain, good.size(), "cut off"},
        {objectBytes([](ChunkWriter& w) {
             w.cstring("A"), w.begin(chunk::kTriangleMesh), w.begin(chunk::kVertexList);
             w.u16(1000), w.vec3(Vec3{}), w.end(), w.end();
         }), chunk::kVertexList, 26, "1000 vertices need 12000 bytes"},
        {objectBytes([](ChunkWriter& w) { w.u8('A'), w.u8('B'); }), chunk::kObject, 18, "not terminated"},
        {damaged([](Scene& s) { s.meshes[0].faces[5].b = 8; }), chunk::kFaceList, kAtThatChunk,
         "face 5 uses vertex 8 but the object has 8 vertices"},
        {damaged([](Scene& s) { s.meshes[0].groups[0].faces[0] = 12; }), chunk::kFaceMaterial, kAtThatChunk,
         "names face 12"},
        {damaged([](Scene& s) { s.meshes[0].uvs.resize(7); }), chunk::kMappingCoords, kAtThatChunk,
         "7 mapping coordinates for 8 vertices"},
        {damaged([](Scene& s) { s.meshes[0].smoothing.assign(11, 1); }), chunk::kSmoothingGroups,
         kAtThatChunk, "smoothing groups for 12 faces"},
        {damaged([](Scene& s) { s.nodes = {objectNode(0, "Box", 1), objectNode(1, "Other", 0)}; }),
         chunk::kNodeHeader, kAtThatChunk, "cycle"},
        {damaged([](Scene& s) { s.nodes = {objectNode(0, "Box", 0)}; }), chunk::kNodeHeader, kAtThatChunk,
         "cycle through node 'Box'"},
        {damaged([](Scene& s) { s.nodes = {objectNode(0, "Box", 9)}; }), chunk::kNodeHeader, kAtThatChunk,
         "parent id 9"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problemPart);
        const auto result = read(c.bytes);
        ASSERT_TRUE(std::holds_alternative<ReadError>(result)) << "the damaged file was read as good";
        const ReadError& error = std::get<ReadError>(result);
        EXPECT_EQ(error.chunkId, c.chunkId) << error.message();
        const std::size_t at = error.offset;
        const bool atChunk = at + 1 < c.bytes.size() && (c.bytes[at] | (c.bytes[at + 1] << 8)) == c.chunkId;
        EXPECT_TRUE(c.offset == kAtThatChunk ? atChunk : at == c.offset) << error.message();
        EXPECT_NE(error.problem.find(c.problemPart), std::string::npos) << error.message();
        EXPECT_NE(error.message().find("at byte " + std::to_string(error.offset)), std::string::npos);
    }
}

TEST(ThreeDsReader, EveryTruncationIsRefused) {
    Scene scene = test::oneBoxScene();
    scene.nodes = {objectNode(0, "Box")};
    const auto good = writeThreeDs(scene);
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_TRUE(std::holds_alternative<ReadError>(
            read(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)))))
            << "length " << length;
}

TEST(ThreeDsReader, RealFilesAreReadWithTheirObjectsAndHierarchy) {
    QUILLFEN_REQUIRE_TESTDATA();
    const auto scene = [](const char* name) {
        auto result = test::readThreeDs(test::readFile(test::testDataDir() + "/3ds/" + name));
        EXPECT_TRUE(std::holds_alternative<Scene>(result)) << name;
        return result.index() == 0 ? std::get<Scene>(result) : Scene{};
    };
    const Scene test1 = scene("test1.3ds");
    EXPECT_EQ(test1.meshes.size(), 9u);
    EXPECT_EQ(test1.materials.size(), 3u);

    const Scene alpha = scene("cubes_with_alpha.3DS");
    const Material* transparent = alpha.findMaterial("Transparent");
    const Material* beretta = alpha.findMaterial("01 - Default");
    ASSERT_TRUE(transparent && beretta);
    EXPECT_NEAR(transparent->transparency, 0.17f, 0.005f);
    EXPECT_EQ(beretta->textureFile, "BERETTA_.JPG");

    // Box02 hangs below the camera node Camera01.
    const Scene camera = scene("CameraRollAnimWithChildObject.3ds");
    const Node* box02 = camera.findObjectNode("Box02");
    ASSERT_TRUE(box02 && box02->parentIndex.has_value());
    EXPECT_EQ(camera.nodes[*box02->parentIndex].name, "Camera01");
    EXPECT_FALSE(camera.nodes[*box02->parentIndex].isObjectNode);
}

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
        {"TransGlass", "", 0, "BlendATexDiff"}, {"Glass", "", 0.17f, "BlendATexDiff"},
        {"Brick", "", 0, "TexDiff"},
    };
    const std::pair<const char*, const char*> images[] = {
        {"wall.bmp", "wall.ace"}, {"CWALL02.JPG", "CWALL02.ace"}, {"roof", "roof.ace"},
        {"my.roof.tga", "my.roof.ace"}, {"dir.v2\\roof", "dir.v2\\roof.ace"},
        {"old wall.BMP", "old wall.ace"},
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
