// The 3DS reader: what it takes from a file; damaged files end in an error naming the chunk and offset.

#include "ChunkIds.h"
#include "support/ThreeDsFixtures.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

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
    const struct {
        Bytes bytes;
        std::uint16_t chunkId;
        std::size_t offset;
        const char* problemPart;
    } cases[] = {
        {{}, chunk::kMain, 0, "shorter than one chunk header"},
        {{0x4D, 0x4D, 6, 0, 0}, chunk::kMain, 0, "shorter than one chunk header"},
        {{'P', 'K', 3, 4, ' ', 'z', 'i', 'p'}, 0x4B50, 0, "not a 3DS file"},
        {cut, chunk::kMain, 0, "truncated"},
        {{0x4D, 0x4D, 12, 0, 0, 0, 0x3D, 0x3D, 0, 0, 0, 0}, chunk::kEditor, 6, "shorter than its header"},
        // The first child of main is the version chunk at 6; the editor follows at 16.
        {patched(good, 18, 0x7FFFFFF0), chunk::kEditor, 16, "has only"},
        {patched(longer, 2, static_cast<std::uint32_t>(longer.size())), chunk::kMain, good.size(), "cut off"},
        {objectBytes([](ChunkWriter& w) {
             w.cstring("A");
             w.begin(chunk::kTriangleMesh);
             w.begin(chunk::kVertexList);
             w.u16(1000);
             w.vec3(Vec3{});
             w.end();
             w.end();
         }),
         chunk::kVertexList, 26, "1000 vertices need 12000 bytes"},
        {objectBytes([](ChunkWriter& w) { w.u8('A'), w.u8('B'); }), chunk::kObject, 18, "not terminated"},
        {damaged([](Scene& s) { s.meshes[0].faces[5].b = 8; }), chunk::kFaceList, kAtThatChunk,
         "face 5 uses vertex 8 but the object has 8 vertices"},
        {damaged([](Scene& s) { s.meshes[0].groups[0].faces[0] = 12; }), chunk::kFaceMaterial, kAtThatChunk,
         "names face 12"},
        {damaged([](Scene& s) { s.meshes[0].uvs.resize(7); }), chunk::kMappingCoords, kAtThatChunk,
         "7 mapping coordinates for 8 vertices"},
        {damaged([](Scene& s) { s.meshes[0].smoothing.assign(11, 1); }), chunk::kSmoothingGroups,
         kAtThatChunk, "smoothing groups for 12 faces"},
        {damaged([](Scene& s) {
             s.nodes = {objectNode(0, "Box", 1), objectNode(1, "Other", 0)};
         }),
         chunk::kNodeHeader, kAtThatChunk, "cycle"},
        {damaged([](Scene& s) { s.nodes = {objectNode(0, "Box", 0)}; }), chunk::kNodeHeader, kAtThatChunk,
         "cycle through node 'Box'"},
        {damaged([](Scene& s) { s.nodes = {objectNode(0, "Box", 9)}; }), chunk::kNodeHeader, kAtThatChunk,
         "parent id 9"},
    };
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

} // namespace
} // namespace quillfen::conv3ds
