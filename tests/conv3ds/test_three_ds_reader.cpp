// The 3DS reader: what it takes from a file, and that damaged files end in a
// clear error naming the chunk and its byte offset.

#include "ChunkIds.h"
#include "Fixtures.h"
#include "ThreeDsReader.h"
#include "ThreeDsWriter.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quillfen::conv3ds {
namespace {

using test::objectNode;

ReadResult readBytes(const std::vector<std::uint8_t>& bytes) {
    return readThreeDs(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

std::vector<std::uint8_t> toVector(const std::string& bytes) {
    return {bytes.begin(), bytes.end()};
}

TEST(ThreeDsReader, ReadsBackWhatTheWriterWrote) {
    Scene scene = test::oneBoxScene();
    scene.materials.push_back(Material{"TransGlass", Rgb{0.2f, 0.4f, 0.6f}, "", 0.25f, true});
    scene.meshes.push_back(test::boxMesh("Lid", {0, 0, 5}, {1, 1, 1}, "TransGlass"));
    scene.meshes.back().smoothing.assign(12, 3);
    scene.nodes = {objectNode(0, "Box"), objectNode(7, "Lid", 0)};
    scene.nodes[1].instanceName = "lid-instance";
    scene.nodes[1].pivot = Vec3{1, 2, 3};

    const auto result = readBytes(writeThreeDs(scene));
    ASSERT_TRUE(std::holds_alternative<Scene>(result)) << std::get<ReadError>(result).message();
    const Scene& read = std::get<Scene>(result);

    ASSERT_EQ(read.meshes.size(), 2u);
    const Mesh& box = read.meshes[0];
    EXPECT_EQ(box.name, "Box");
    ASSERT_EQ(box.vertices.size(), 8u);
    EXPECT_FLOAT_EQ(box.vertices[7].z, 6.0f);
    ASSERT_EQ(box.faces.size(), 12u);
    EXPECT_EQ(box.faces[1].c, scene.meshes[0].faces[1].c);
    ASSERT_EQ(box.groups.size(), 1u);
    EXPECT_EQ(box.groups[0].material, "Brick");
    EXPECT_EQ(box.groups[0].faces.size(), 12u);
    EXPECT_EQ(box.uvs.size(), 8u);
    ASSERT_TRUE(box.localMatrix.has_value());
    EXPECT_FLOAT_EQ((*box.localMatrix)[11], 3.0f);
    EXPECT_EQ(read.meshes[1].smoothing, std::vector<std::uint32_t>(12, 3));

    ASSERT_EQ(read.materials.size(), 2u);
    const Material& glass = read.materials[1];
    EXPECT_EQ(glass.name, "TransGlass");
    EXPECT_NEAR(glass.diffuse.g, 0.4f, 0.003f);
    EXPECT_FLOAT_EQ(glass.transparency, 0.25f);
    EXPECT_TRUE(glass.twoSided);
    EXPECT_EQ(read.materials[0].textureFile, "brick.tga");

    ASSERT_EQ(read.nodes.size(), 2u);
    EXPECT_EQ(read.nodes[1].id, 7);
    EXPECT_EQ(read.nodes[1].parentIndex, std::optional<std::size_t>(0));
    EXPECT_EQ(read.nodes[1].instanceName, "lid-instance");
    EXPECT_FLOAT_EQ(read.nodes[1].pivot.z, 3.0f);
    EXPECT_FALSE(read.nodes[0].parentIndex.has_value());
}

/// A damaged file, the chunk the error must name, and the offset (SIZE_MAX: any
/// offset where that chunk's id stands in the file).
struct DamagedCase {
    const char* name;
    std::function<std::vector<std::uint8_t>()> bytes;
    std::uint16_t chunkId;
    std::size_t offset;
    const char* problemPart;
};

constexpr std::size_t kChunkOfThatId = SIZE_MAX;

void PrintTo(const DamagedCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::uint8_t> sceneBytes(const std::function<void(Scene&)>& damage) {
    Scene scene = test::oneBoxScene();
    damage(scene);
    return writeThreeDs(scene);
}

/// main(0) > editor(6) > object(12) "A" > triangle mesh(20) > then whatever `fill` writes at 26.
std::vector<std::uint8_t> meshBytes(const std::function<void(ChunkWriter&)>& fill) {
    ChunkWriter w;
    w.begin(chunk::kMain);
    w.begin(chunk::kEditor);
    w.begin(chunk::kObject);
    w.cstring("A");
    w.begin(chunk::kTriangleMesh);
    fill(w);
    w.end();
    w.end();
    w.end();
    w.end();
    return w.bytes();
}

void patchU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

const DamagedCase kDamagedCases[] = {
    {"EmptyFile", [] { return std::vector<std::uint8_t>{}; }, chunk::kMain, 0,
     "shorter than one chunk header"},
    {"FiveBytes",
     [] {
         return std::vector<std::uint8_t>{0x4D, 0x4D, 6, 0, 0};
     },
     chunk::kMain, 0, "shorter than one chunk header"},
    {"NotThreeDs", [] { return toVector("PK\x03\x04 this is a zip file"); }, 0x4B50, 0, "not a 3DS file"},
    {"Truncated",
     [] {
         auto bytes = writeThreeDs(test::oneBoxScene());
         bytes.resize(bytes.size() - 10);
         return bytes;
     },
     chunk::kMain, 0, "truncated"},
    {"ZeroLengthChunk",
     [] {
         std::vector<std::uint8_t> bytes{0x4D, 0x4D, 0, 0, 0, 0, 0x3D, 0x3D, 0, 0, 0, 0};
         patchU32(bytes, 2, 12);
         return bytes;
     },
     chunk::kEditor, 6, "shorter than its header"},
    {"ChildLongerThanParent",
     [] {
         auto bytes = writeThreeDs(test::oneBoxScene());
         // The first child of main is the version chunk at 6; the editor follows at 16.
         patchU32(bytes, 18, 0x7FFFFFF0);
         return bytes;
     },
     chunk::kEditor, 16, "has only"},
    {"HeaderCutOff",
     [] {
         auto bytes = writeThreeDs(test::oneBoxScene());
         bytes.insert(bytes.end(), {1, 2, 3});
         patchU32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
         return bytes;
     },
     chunk::kMain, writeThreeDs(test::oneBoxScene()).size(), "cut off"},
    {"VertexCountBeyondChunk",
     [] {
         return meshBytes([](ChunkWriter& w) {
             w.begin(chunk::kVertexList);
             w.u16(1000);
             w.vec3(Vec3{});
             w.end();
         });
     },
     chunk::kVertexList, 26, "1000 vertices need 12000 bytes"},
    {"UnterminatedName",
     [] {
         ChunkWriter w;
         w.begin(chunk::kMain);
         w.begin(chunk::kEditor);
         w.begin(chunk::kObject);
         w.u8('A');
         w.u8('B');
         w.end();
         w.end();
         w.end();
         return w.bytes();
     },
     chunk::kObject, 18, "not terminated"},
    {"FaceUsesMissingVertex", [] { return sceneBytes([](Scene& s) { s.meshes[0].faces[5].b = 8; }); },
     chunk::kFaceList, kChunkOfThatId, "face 5 uses vertex 8 but the object has 8 vertices"},
    {"GroupNamesMissingFace",
     [] { return sceneBytes([](Scene& s) { s.meshes[0].groups[0].faces[0] = 12; }); }, chunk::kFaceMaterial,
     kChunkOfThatId, "names face 12"},
    {"FewerMappingCoordinates", [] { return sceneBytes([](Scene& s) { s.meshes[0].uvs.resize(7); }); },
     chunk::kMappingCoords, kChunkOfThatId, "7 mapping coordinates for 8 vertices"},
    {"FewerSmoothingGroups", [] { return sceneBytes([](Scene& s) { s.meshes[0].smoothing.assign(11, 1); }); },
     chunk::kSmoothingGroups, kChunkOfThatId, "smoothing groups for 12 faces"},
    {"ParentCycle",
     [] {
         return sceneBytes([](Scene& s) { s.nodes = {objectNode(0, "Box", 1), objectNode(1, "Other", 0)}; });
     },
     chunk::kNodeHeader, kChunkOfThatId, "cycle"},
    {"OwnParent", [] { return sceneBytes([](Scene& s) { s.nodes = {objectNode(0, "Box", 0)}; }); },
     chunk::kNodeHeader, kChunkOfThatId, "cycle through node 'Box'"},
    {"ParentIdOfNoNode", [] { return sceneBytes([](Scene& s) { s.nodes = {objectNode(0, "Box", 9)}; }); },
     chunk::kNodeHeader, kChunkOfThatId, "parent id 9"},
};

class DamagedFile : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedFile, EndsInAnErrorNamingChunkAndOffset) {
    const DamagedCase& c = GetParam();
    const auto bytes = c.bytes();
    const auto result = readBytes(bytes);
    ASSERT_TRUE(std::holds_alternative<ReadError>(result)) << "the damaged file was read as good";
    const ReadError& error = std::get<ReadError>(result);
    EXPECT_EQ(error.chunkId, c.chunkId) << error.message();
    if (c.offset == kChunkOfThatId) {
        ASSERT_LT(error.offset + 1, bytes.size());
        EXPECT_EQ(bytes[error.offset] | (bytes[error.offset + 1] << 8), c.chunkId) << error.message();
    } else {
        EXPECT_EQ(error.offset, c.offset) << error.message();
    }
    EXPECT_NE(error.problem.find(c.problemPart), std::string::npos) << error.message();
    EXPECT_NE(error.message().find("at byte " + std::to_string(error.offset)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ThreeDsReader, DamagedFile, ::testing::ValuesIn(kDamagedCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ThreeDsReader, EveryTruncationAndEveryFlippedByteIsReadOrRefused) {
    Scene scene = test::oneBoxScene();
    scene.nodes = {objectNode(0, "Box")};
    const auto good = writeThreeDs(scene);
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_TRUE(std::holds_alternative<ReadError>(readBytes(cut))) << "length " << length;
    }
    for (std::size_t at = 0; at < good.size(); ++at) {
        auto flipped = good;
        flipped[at] ^= 0xFF;
        (void)readBytes(flipped); // must neither crash nor hang; either answer is fine
    }
}

TEST(ThreeDsReader, RealFilesAreReadWithTheirObjectsAndHierarchy) {
    QUILLFEN_REQUIRE_TESTDATA();
    const auto dir = std::filesystem::path(test::testDataDir()) / "3ds";
    const auto read = [&](const char* name) {
        return readBytes(toVector(test::readBytes((dir / name).string())));
    };

    const auto empty = read("empty.3ds");
    ASSERT_TRUE(std::holds_alternative<ReadError>(empty));
    EXPECT_NE(std::get<ReadError>(empty).message().find("shorter than one chunk header"), std::string::npos);

    const auto test1 = read("test1.3ds");
    ASSERT_TRUE(std::holds_alternative<Scene>(test1));
    EXPECT_EQ(std::get<Scene>(test1).meshes.size(), 9u);
    EXPECT_EQ(std::get<Scene>(test1).materials.size(), 3u);

    const auto alpha = read("cubes_with_alpha.3DS");
    ASSERT_TRUE(std::holds_alternative<Scene>(alpha));
    const Material* transparent = std::get<Scene>(alpha).findMaterial("Transparent");
    ASSERT_NE(transparent, nullptr);
    EXPECT_NEAR(transparent->transparency, 0.17f, 0.005f);
    EXPECT_EQ(std::get<Scene>(alpha).findMaterial("01 - Default")->textureFile, "BERETTA_.JPG");

    // Box02 hangs below the camera node Camera01.
    const auto camera = read("CameraRollAnimWithChildObject.3ds");
    ASSERT_TRUE(std::holds_alternative<Scene>(camera));
    const Scene& scene = std::get<Scene>(camera);
    const Node* box02 = scene.findObjectNode("Box02");
    ASSERT_NE(box02, nullptr);
    ASSERT_TRUE(box02->parentIndex.has_value());
    EXPECT_EQ(scene.nodes[*box02->parentIndex].name, "Camera01");
    EXPECT_FALSE(scene.nodes[*box02->parentIndex].isObjectNode);
}

} // namespace
} // namespace quillfen::conv3ds
