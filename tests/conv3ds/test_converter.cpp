// The 3DS reader, the shape built from 3DS scenes, and the converter for small scenes and real files.

#include "ChunkIds.h"
#include "Converter.h"
#include "ShapeBuilder.h"
#include "ShapeText.h"

#include "platform/Text.h"
#include "platform/TextCodec.h"
#include "support/HandWrittenShape.h"
#include "support/ShapeChecker.h"
#include "support/TempFolder.h"
#include "support/ThreeDsFixtures.h"
#include "texture/AceFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
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
    EXPECT_EQ(std::tuple(glass.name, glass.twoSided), std::tuple("TransGlass", true));
    EXPECT_NEAR(glass.diffuse.g, 0.4f, 0.003f);
    EXPECT_FLOAT_EQ(glass.transparency, 0.25f);
    ASSERT_EQ(back.nodes.size(), 2u);
    EXPECT_FALSE(back.nodes[0].parentIndex.has_value());
    EXPECT_EQ(std::tuple(back.nodes[1].id, back.nodes[1].parentIndex),
              std::tuple(7, std::optional<std::size_t>(0)));
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
    const struct {
        Bytes bytes;
        std::uint16_t chunkId;
        std::size_t offset;
        const char* problemPart;
    } cases[] = {
        {{}, chunk::kMain, 0, "shorter than one chunk header"},
        {{'P', 'K', 3, 4, ' ', 'z', 'i', 'p'}, 0x4B50, 0, "not a 3DS file"},
        {cut, chunk::kMain, 0, "truncated"},
        {patched(longer, 2, static_cast<std::uint32_t>(longer.size())), chunk::kMain, good.size(), "cut off"},
        {objectBytes([](ChunkWriter& w) {
             w.cstring("A"), w.begin(chunk::kTriangleMesh), w.begin(chunk::kVertexList);
             w.u16(1000), w.vec3(Vec3{}), w.end(), w.end();
         }),
         chunk::kVertexList, 26, "1000 vertices need 12000 bytes"},
        {damaged([](Scene& s) { s.meshes[0].faces[5].b = 8; }), chunk::kFaceList, kAtThatChunk,
         "face 5 uses vertex 8 but the object has 8 vertices"},
        {damaged([](Scene& s) { s.meshes[0].uvs.resize(7); }), chunk::kMappingCoords, kAtThatChunk,
         "7 mapping coordinates for 8 vertices"},
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

TEST(ShapeBuilder, KeepsTheFacesFacingOutward) {
    // Counter-clockwise seen from +Z (3DS up): the face looks up.
    Scene scene{{Mesh{"Tri", {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}}, {{0, 1, 2, 0}}, {}, {}, {}, {}}}, {}, {}};
    const Shape shape = buildOne(scene);
    const auto& tri = shape.levels[0].subObjects[0].primitives[0];
    EXPECT_FLOAT_EQ(shape.normals[tri.faceNormals[0]].y, 1.0f); // up in the simulator too (+Y)
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

TEST(ShapeBuilder, ShadersImagesAndTokensFollowTheMaterials) {
    const std::tuple<const char*, const char*, float, const char*> cases[] = {
        {"Wall", "wall.bmp", 0, "TexDiff"},           {"TransWindow", "w.bmp", 0, "BlendATexDiff"},
        {"ALPHA_fence", "f.tga", 0, "BlendATexDiff"}, {"Alp", "f.tga", 0, "TexDiff"},
        {"MyTrans", "f.tga", 0.5f, "TexDiff"},        {"TransGlass", "", 0, "BlendATexDiff"},
        {"Glass", "", 0.17f, "BlendATexDiff"},        {"Brick", "", 0, "TexDiff"},
    };
    const std::pair<const char*, const char*> images[] = {
        {"CWALL02.JPG", "CWALL02.ace"},
        {"roof", "roof.ace"},
        {"my.roof.tga", "my.roof.ace"},
        {"dir.v2\\roof", "dir.v2\\roof.ace"},
    };
    for (const auto& [name, texture, transparency, shader] : cases)
        EXPECT_EQ(shaderFor(Material{name, {}, texture, transparency, false}), shader) << name;
    for (const auto& [file, image] : images) EXPECT_EQ(imageNameFor(file), image);
    EXPECT_EQ(tokenName("01 - Default(b)"), "01_-_Default_b_");
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
    EXPECT_EQ(shape.primStates[0].texture, 0);
    EXPECT_EQ(shape.shaders, std::vector<std::string>{"TexDiff"});
    EXPECT_EQ(shape.images, std::vector<std::string>{"qf_colour_ccccccff.ace"});
}

TEST(ShapeText, EightBitNamesBecomeTheirWindows1252Characters) {
    EXPECT_EQ(toUtf16LeWithBom(std::string("T\xFCr \x80", 5)),
              std::string("\xFF\xFET\0\xFC\0r\0 \0\xAC\x20", 12));
}

TEST(ShapeText, ImageNamesWithBlanksAreQuoted) {
    Scene scene = test::oneBoxScene();
    scene.materials[0].textureFile = "old wall.BMP";
    EXPECT_NE(shapeText(buildOne(scene)).find("image ( \"old wall.ace\" )"), std::string::npos);
}

using Strings = std::vector<std::string>;

struct CommandResult {
    int exitCode = 0;
    std::string out, err;
};

CommandResult run(const Strings& args) {
    std::ostringstream out, err;
    const int code = runConverter(args, out, err);
    return {code, out.str(), err.str()};
}

std::size_t filesIn(const std::filesystem::path& folder) {
    const std::filesystem::directory_iterator files(folder);
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

/// Converts the scenes, written as 3DS files named `names`, into house_.s; its text, checked for problems.
std::string converted(const test::TempFolder& folder,
                      const std::vector<std::pair<std::string, Scene>>& files) {
    Strings args;
    for (const auto& [name, scene] : files) {
        folder.write(name, test::threeDsBytes(scene));
        args.push_back(folder / name);
    }
    EXPECT_EQ(test::convert(folder / "house_.s", args), "");
    const std::string text = test::shapeText(folder / "house_.s");
    EXPECT_EQ(test::ShapeChecker::problems(text), Strings{});
    return text;
}

TEST(Converter, DistanceIsTheRunOfDigitsBeforeTheExtension) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"/models 2/house_100.3DS", 100},
        {"lod3_0050.3ds", 50},
        {"house12a.3ds", std::nullopt},
        {"house_99999999999999999999.3ds", std::nullopt},
    };
    for (const auto& [name, distance] : cases) EXPECT_EQ(distanceFromFileName(name), distance) << name;
}

TEST(Converter, ReplacesTheShapeAtExactlyTheOutputPathWithBlanksInPaths) {
    test::TempFolder folder;
    for (const char* name : {"my model/box_100.3ds", "my model/box_500.3ds"})
        folder.write(name, test::threeDsBytes(test::oneBoxScene()));
    folder.write("my model/box_.s", "stale");
    const CommandResult result =
        run({folder / "my model/box_.s", folder / "my model/box_100.3ds", folder / "my model/box_500.3ds"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const std::string bytes = folder.read("my model/box_.s");
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2));
    const std::string text = decodeText(bytes);
    for (const char* part : {"dlevel_selection ( 100 )", "dlevel_selection ( 500 )", "matrix box_ ("})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(filesIn(folder.fsPath() / "my model"), 3u) << "a temporary file was left behind";
}

TEST(Converter, FailuresLeaveNoFileAndNameTheFileChunkAndOffset) {
    Scene noFaces = test::oneBoxScene();
    noFaces.meshes[0].faces.clear();
    noFaces.meshes[0].groups.clear();
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {"", "chunk 0x4D4D (main) at byte 0: file is shorter"},
        {test::threeDsBytes(noFaces), "no triangle mesh with faces"},
        {std::nullopt, "bad_500.3ds: cannot be read"}}; // nullopt: the file is not there
    for (const auto& [bytes, messagePart] : cases) {
        test::TempFolder folder;
        folder.write("good_100.3ds", test::threeDsBytes(test::oneBoxScene()));
        if (bytes) folder.write("bad_500.3ds", *bytes);
        const CommandResult result = run({folder / "out.s", folder / "good_100.3ds", folder / "bad_500.3ds"});
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(filesIn(folder.fsPath()), bytes ? 2u : 1u) << "no output, no temporary file";
        EXPECT_NE(result.err.find(folder / "bad_500.3ds"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(messagePart), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
    }
    test::TempFolder folder;
    folder.write("box_100.3ds", test::threeDsBytes(test::oneBoxScene()));
    const CommandResult result = run({folder / "no such folder/box_.s", folder / "box_100.3ds"});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("cannot create"), std::string::npos) << result.err;
}

TEST(Converter, LevelsMustComeNearestFirst) {
    for (const Strings& names :
         {Strings{"house_500.3ds", "house_100.3ds"}, Strings{"house_100.3ds", "house_100b_100.3ds"},
          Strings{"house_100.3ds", "house.3ds", "house_500.3ds"}}) {
        test::TempFolder folder;
        Strings args{folder / "house_.s"};
        for (const auto& name : names) {
            folder.write(name, test::threeDsBytes(test::oneBoxScene()));
            args.push_back(folder / name);
        }
        const CommandResult result = run(args);
        EXPECT_EQ(result.exitCode, 1) << names[0];
        EXPECT_FALSE(folder.exists("house_.s"));
        EXPECT_NE(result.err.find("nearest first"), std::string::npos) << result.err;
    }
}

TEST(Converter, UntexturedMaterialsGetOneColourTexturesBesideTheShape) {
    Scene scene = test::oneBoxScene();
    scene.materials = {{"Brick", {1.0f, 0.5f, 0.0f}, "", 0.0f, false},
                       {"Glass", {0.0f, 0.0f, 1.0f}, "", 0.17f, false}};
    scene.meshes.push_back(test::boxMesh("Glass", {5, 0, 0}, {1, 1, 1}, "Glass"));
    scene.meshes.push_back(test::boxMesh("Glass2", {8, 0, 0}, {1, 1, 1}, "Glass"));
    test::TempFolder folder;
    const std::string text = converted(folder, {{"box_100.3ds", scene}});
    EXPECT_NE(text.find("named_shader ( BlendATexDiff )"), std::string::npos);
    EXPECT_EQ(text.find("Diffuse"), std::string::npos);
    const std::pair<const char*, texture::Rgba> colours[] = {{"qf_colour_ff8000ff.ace", {255, 128, 0, 255}},
                                                             {"qf_colour_0000ffd4.ace", {0, 0, 255, 212}}};
    for (const auto& [name, colour] : colours) {
        EXPECT_EQ(count(text, std::string("image ( ") + name + " )"), 1u) << name;
        const auto ace = texture::readAce(folder.read(name));
        ASSERT_TRUE(ace.ok()) << name;
        EXPECT_EQ(ace->levels.front(), texture::Image(4, 4, colour)) << name;
    }
}

TEST(Converter, UvValuesAreThoseOfTheThreeDsFiles) {
    Scene nearScene = test::oneBoxScene(), farScene = test::oneBoxScene();
    nearScene.meshes.push_back(test::boxMesh("Shed", {5, 5, 0}, {1, 2, 1}, "Brick"));
    for (auto& uv : nearScene.meshes[1].uvs) uv = {uv[0] * 3.5f - 0.25f, uv[1] * 0.3f + 0.1f};
    farScene.meshes[0].uvs.clear();
    test::TempFolder folder;
    const std::string text = converted(folder, {{"box_100.3ds", nearScene}, {"box_500.3ds", farScene}});
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("box_100.3ds"))),
                                     std::get<Scene>(test::readThreeDs(folder.read("box_500.3ds")))});
}

namespace fs = std::filesystem;

std::vector<fs::path> filesEndingIn(const fs::path& dir, const std::string& lowerExtension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && toLowerLatin1(entry.path().extension().string()) == lowerExtension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

/// The box of the vertices faces use, in the simulator's axes, equals the bounding-box command's to 1e-4.
void expectSameBox(const std::string& text, const std::string& threeDsPath) {
    const Scene scene = std::get<Scene>(test::readThreeDs(test::readFile(threeDsPath)));
    const float big = std::numeric_limits<float>::max();
    BoxValues expected{big, big, big, -big, -big, -big};
    for (const auto& mesh : scene.meshes)
        for (const auto& face : mesh.faces)
            for (const auto index : {face.a, face.b, face.c})
                for (std::size_t i = 0; i < 3; ++i) {
                    const Vec3& v = mesh.vertices[index];
                    expected[i] = std::min(expected[i], i == 0 ? v.x : i == 1 ? v.z : v.y);
                    expected[i + 3] = std::max(expected[i + 3], i == 0 ? v.x : i == 1 ? v.z : v.y);
                }
    const auto outcome = test::computeBox(text);
    ASSERT_TRUE(outcome.read.ok()) << outcome.read.error().message();
    ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR((*outcome.box)[i], expected[i], 1.0001e-4) << "value " << i;
}

/// Every line ends in CR LF and starts with one tab per open block.
void expectRealFileLayout(const std::string& text) {
    ASSERT_EQ(text.rfind("SIMISA@@@@@@@@@@JINX0s1t______\r\n\r\nshape (\r\n", 0), 0u);
    int depth = 0;
    for (std::size_t start = 0, number = 0; start < text.size(); ++number) {
        const std::size_t lf = text.find('\n', start);
        ASSERT_NE(lf, std::string::npos) << "last line without line end";
        ASSERT_TRUE(lf > start && text[lf - 1] == '\r') << "line " << number << " ends in LF alone";
        const std::string line = text.substr(start, lf - 1 - start);
        ASSERT_LT(line.size(), 1100u) << "line " << number << " is not wrapped";
        const auto tabs = std::min(line.find_first_not_of('\t'), line.size());
        // A closing line and the continuation of a wrapped list stand at their block's own indentation.
        const char first = tabs < line.size() ? line[tabs] : ' ';
        const bool outdented =
            first == ')' || first == '-' || std::isdigit(static_cast<unsigned char>(first));
        const int expected =
            number < 2 || line.empty() ? static_cast<int>(tabs) : depth - (outdented ? 1 : 0);
        ASSERT_EQ(static_cast<int>(tabs), expected) << "line " << number << ": " << line;
        depth += static_cast<int>(std::count(line.begin(), line.end(), '(') -
                                  std::count(line.begin(), line.end(), ')'));
        start = lf + 1;
    }
    EXPECT_EQ(depth, 0);
}

/// Each block at its path ("/shape/points"): "path N" for N fields, "path > a b" for its child blocks' order;
/// `ignoring` leaves out value-list lengths (ShapeChecker compares them) and an empty list's order.
void skeleton(const test::Block& block, const std::string& path, bool ignoring,
              std::set<std::string>& facts) {
    static const std::string kValueLists = " vertex_idxs normal_idxs flags hierarchy geometry_node_map "
                                           "subobject_shaders tex_idxs vertex_uvs ";
    for (const auto& child : block.children) {
        const std::string at = path + "/" + child.keyword;
        facts.insert(at);
        if (!ignoring || kValueLists.find(" " + child.keyword + " ") == std::string::npos)
            facts.insert(at + " " + std::to_string(child.fields.size()));
        std::string order = at + " >";
        for (std::size_t i = 0; i < child.children.size(); ++i)
            if (i == 0 || child.children[i - 1].keyword != child.children[i].keyword)
                order += " " + child.children[i].keyword;
        if (!ignoring || !child.children.empty() || child.fields != std::vector<std::string>{"0"})
            facts.insert(order);
        skeleton(child, at, ignoring, facts);
    }
}

/// The blocks, field counts and child orders of `text` that no real s-file has.
std::vector<std::string> skeletonDifferences(const std::string& text) {
    static const std::set<std::string> real = [] {
        std::set<std::string> facts;
        for (const auto& file : filesEndingIn(fs::path(test::testDataDir()) / "sfiles", ".s"))
            skeleton(test::parseShapeBlocks(test::shapeText(file.string())), "", false, facts);
        return facts;
    }();
    std::set<std::string> facts;
    skeleton(test::parseShapeBlocks(text), "", true, facts);
    std::vector<std::string> differences;
    std::set_difference(facts.begin(), facts.end(), real.begin(), real.end(),
                        std::back_inserter(differences));
    return differences;
}

/// The checks every converted file passes, `inputs` being its levels' 3DS files.
void expectLikeARealFile(const std::string& text, const std::vector<std::string>& inputs) {
    EXPECT_EQ(test::ShapeChecker::problems(text), std::vector<std::string>{});
    std::vector<Scene> levels;
    for (const auto& input : inputs)
        levels.push_back(std::get<Scene>(test::readThreeDs(test::readFile(input))));
    test::expectUvsOfTheInput(text, levels);
    expectSameBox(text, inputs.front());
    expectRealFileLayout(text);
    EXPECT_TRUE(test::testDataDir().empty() || skeletonDifferences(text).empty())
        << testing::PrintToString(skeletonDifferences(text));
}

TEST(Converter, AFlatMeshOfMoreThan65535VerticesIsSplitWithTrianglesWhole) {
    // A flat grid of side x side points with mapping, two triangles per square and no smoothing groups,
    // so that every face corner becomes a vertex of its own: 25,088 faces, 75,264 corners.
    const int side = 113;
    Mesh mesh{"Ground", {}, {}, {{"Grass", {}}}, {}, {}, std::nullopt};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            mesh.vertices.push_back({float(x), float(y), float((x * y) % 7)});
            mesh.uvs.push_back({float(x) / float(side - 1), float(y) / 3.0f});
        }
    for (int at = 0; at + side + 1 < side * side; ++at) {
        if (at % side == side - 1) continue;
        const auto corner = [&](int offset) { return static_cast<std::uint16_t>(at + offset); };
        mesh.faces.push_back({corner(0), corner(1), corner(side + 1), 7});
        mesh.faces.push_back({corner(0), corner(side + 1), corner(side), 7});
    }
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) mesh.groups[0].faces.push_back(std::uint16_t(f));
    const Scene grid{{mesh}, {{"Grass", {}, "grass.png", 0.0f, false}}, {}};
    test::TempFolder folder;
    const std::string text = converted(folder, {{"ground_100.3ds", grid}});
    EXPECT_EQ(count(text, "\tsub_object (\r\n"), 2u);
    EXPECT_EQ(count(text, "prim_state_idx ( 0 )"), 2u);         // both halves keep the one prim_state
    EXPECT_EQ(count(text, "geometry_node_map ( 2 -1 0 )"), 2u); // and the object's matrix
    std::size_t faces = 0;
    for (auto at = text.find("geometry_info ( "); at != std::string::npos;
         at = text.find("geometry_info ( ", at + 1))
        faces += std::stoul(text.substr(at + 16, 12));
    EXPECT_EQ(faces, mesh.faces.size());
    test::expectUvsOfTheInput(text, {std::get<Scene>(test::readThreeDs(folder.read("ground_100.3ds")))});
    expectRealFileLayout(text); // the long lists wrapped at their own indentation
}

TEST(RealFiles, EveryThreeDsFileConvertsOrFailsCleanly) {
    QUILLFEN_REQUIRE_TESTDATA();
    const auto inputs = filesEndingIn(fs::path(test::testDataDir()) / "3ds", ".3ds");
    ASSERT_GE(inputs.size(), 8u);
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.filename().string());
        test::TempFolder folder;
        const std::string error = test::convert(folder / "out.s", {input.string()});
        if (input.filename() == "empty.3ds") {
            EXPECT_FALSE(folder.exists("out.s"));
            EXPECT_NE(error.find(input.string() + ": chunk 0x4D4D (main) at byte 0"), std::string::npos)
                << error;
            continue;
        }
        ASSERT_EQ(error, "");
        expectLikeARealFile(test::shapeText(folder / "out.s"), {input.string()});
    }
}

TEST(ExampleHouse, ConvertsLikeARealFileWithTexturesThatAreThere) {
    const fs::path house = fs::path(QUILLFEN_SOURCE_DIR) / "examples" / "house";
    const std::vector<std::string> inputs{(house / "house_100.3ds").string(),
                                          (house / "house_500.3ds").string()};
    test::TempFolder folder;
    ASSERT_EQ(test::convert(folder / "house_.s", inputs), "");
    const std::string text = test::shapeText(folder / "house_.s");
    expectLikeARealFile(text, inputs);
    // Every image is a texture of the example (door.png the run makes an ACE file of) or a one-colour
    // texture the converter wrote beside the s-file.
    EXPECT_EQ(count(text, "image ( "), 5u);
    for (const auto& [image, file] :
         {std::pair{"door.ace", house / "door.png"},
          {"roof.ace", house / "roof.ace"},
          {"wall.ace", house / "wall.ace"},
          {"window.ace", house / "window.dds"},
          {"qf_colour_8c4033ff.ace", folder.fsPath() / "qf_colour_8c4033ff.ace"}}) {
        EXPECT_EQ(count(text, "image ( " + std::string(image) + " )"), 1u) << image;
        EXPECT_TRUE(fs::exists(file)) << file;
    }
}

} // namespace
} // namespace quillfen::conv3ds
