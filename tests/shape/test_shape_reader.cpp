// Reading whole shapes: real files from other tools, the stand-in converter's
// example house, both encodings, and damaged files that must name their line.

#include "support/SmallShape.h"
#include "support/TempFolder.h"

#include "Converter.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/TextCodec.h"
#include "shape/ShapeReader.h"
#include "shape/ShapeText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillfen {
namespace {

using namespace shape;

TEST(ShapeReader, ReadsEveryTableOfTheSmallShape) {
    const auto shape = readShapeText(test::kSmallShape);
    ASSERT_TRUE(shape.ok()) << shape.error().message();
    EXPECT_EQ(shape->shaders, (std::vector<std::string>{"TexDiff", "BlendATexDiff"}));
    ASSERT_EQ(shape->points.size(), 3u);
    EXPECT_FLOAT_EQ(shape->points[2].z, -25.0F);
    EXPECT_FLOAT_EQ(shape->texturePoints.at(0).u, 0.5F);
    ASSERT_EQ(shape->matrices.size(), 2u);
    EXPECT_EQ(shape->matrices[1].name, "Roof");
    EXPECT_FLOAT_EQ(shape->matrices[1].m[10], 3.0F);
    EXPECT_EQ(shape->images, (std::vector<std::string>{"roof.ace"}));
    EXPECT_FLOAT_EQ(shape->textures.at(0).mipmapBias, -3.0F);
    EXPECT_EQ(shape->vertexStates.at(0).matrix, 1);
    ASSERT_EQ(shape->primStates.size(), 2u);
    EXPECT_EQ(shape->primStates[0].name, "Roof");
    EXPECT_EQ(shape->primStates[0].textures, (std::vector<int>{0}));
    EXPECT_EQ(shape->primStates[0].alphaTestMode, 1);
    EXPECT_TRUE(shape->primStates[1].textures.empty());
    ASSERT_EQ(shape->distanceLevels.size(), 2u);
    const DistanceLevel& near = shape->distanceLevels[0];
    EXPECT_FLOAT_EQ(near.selection, 100.0F);
    EXPECT_EQ(near.hierarchy, (std::vector<int>{-1, 0}));
    ASSERT_EQ(near.subObjects.size(), 1u);
    const SubObject& object = near.subObjects[0];
    EXPECT_EQ(object.vertices[1].point, 1);
    EXPECT_EQ(object.vertices[2].texturePoint, -1);
    ASSERT_EQ(object.triangleLists.size(), 1u);
    EXPECT_EQ(object.triangleLists[0].vertexIndices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_FLOAT_EQ(shape->distanceLevels[1].selection, 500.0F);
    EXPECT_TRUE(shape->distanceLevels[1].subObjects.empty());
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(ShapeReader, NamesTheLineAndTheFaultOfADamagedFile) {
    const struct {
        const char* from;
        const char* to;
        const char* reason;
    } cases[] = {
        {"points ( 3", "points ( 4", "line 11: points ends after 3 of its 4 entries"},
        {"points ( 3", "points ( 2", "line 10: points holds more than its 2 entries"},
        {"point ( 1 0 0 )", "point ( 1 x 0 )", "line 9: expected y, found 'x'"},
        {"point ( 1 0 0 )", "point ( 1 0 0 0 )", "line 9: expected ')' to end point, found '0'"},
        {"vtx_state ( 00000000 1", "vtx_state ( 00000000 2",
         "line 20: matrix index 2 lies outside its table of 2 entries"},
        {"tex_idxs ( 1 0 ) 0 0 1", "tex_idxs ( 1 1 ) 0 0 1",
         "line 22: texture index 1 lies outside its table of 1 entries"},
        {"texture ( 0 0", "texture ( 1 0", "line 19: image index 1 lies outside its table of 1 entries"},
        {"00000000 1 -5", "0000000g 1 -5",
         "line 20: expected vertex state flags (hexadecimal), found '0000000g'"},
        {"( 100 ) hierarchy ( 2 -1 0 )", "( 100 ) hierarchy ( 2 -1 2 )",
         "line 29: parent matrix 2 lies outside the 2 matrices"},
        {"( 100 ) hierarchy ( 2 -1 0 )", "( 100 ) hierarchy ( 2 1 0 )",
         "line 29: the hierarchy's parents form a loop"},
        {"( 100 ) hierarchy ( 2 -1 0 )", "( 100 ) hierarchy ( 1 -1 )",
         "line 29: the hierarchy has 1 entries for 2 matrices"},
        {"vertex ( 00000000 2 0", "vertex ( 00000000 3 0",
         "line 35: point index 3 lies outside its table of 3 entries"},
        {"vertex_uvs ( 1 0 ) )\r\n\t\t\t\t\t\tvertex ( 00000000 2",
         "vertex_uvs ( 1 1 ) )\r\n\t\t\t\t\t\tvertex ( 00000000 2",
         "line 34: texture point index 1 lies outside its table of 1 entries"},
        {"vertices ( 3", "vertices ( 4", "line 36: vertices ends after 3 of its 4 entries"},
        {"vertex_set ( 0 0 3 )", "vertex_set ( 0 1 3 )", "line 37: the vertex set runs past the 3 vertices"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 3 0 1 3 )",
         "line 39: vertex index 3 lies outside its table of 3 entries"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 2 0 1 )",
         "line 39: vertex_idxs holds 2 indices, not whole triangles"},
        {"normal_idxs ( 1 0 3 )", "normal_idxs ( 2 0 3 0 3 )",
         "line 39: indexed_trilist has 1 triangles, but 2 normals and 1 flags"},
        {"prim_state_idx ( 0 )", "prim_state_idx ( 2 )",
         "line 38: primitive state index 2 lies outside its table of 2 entries"},
        {"primitives ( 2 prim_state_idx ( 0 )", "primitives ( 1 indexed_trilist",
         "line 38: an indexed_trilist stands before any prim_state_idx"},
        {"primitives ( 2", "primitives ( 3", "line 40: primitives ends after 2 of its 3 entries"},
        {"lod_controls ( 1", "lod_controls ( 0", "line 25: lod_controls holds more than its 0 entries"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@F",
         "line 1: the shape file is compressed; only text shape files can be read"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@@@@@@@@@@JINX0t1t",
         "line 1: the file is no shape file: its header is 'SIMISA@@@@@@@@@@JINX0t1t______'"},
        {"images ( 1 image ( roof.ace ) )", "images ( 1 image ( roof.ace )",
         "line 19: images holds more than its 1 entries"},
        {"\r\n)\r\nmax_data", "\r\nmax_data", "line 47: the file ends inside shape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        const auto shape = readShapeText(replaced(test::kSmallShape, c.from, c.to));
        ASSERT_FALSE(shape.ok());
        EXPECT_EQ(shape.error().reason, c.reason);
    }
}

TEST(ShapeReader, EveryTruncationIsAnErrorWithALine) {
    for (std::size_t length = 0; length + 40 < test::kSmallShape.size(); ++length) {
        const auto shape = readShapeText(std::string_view(test::kSmallShape).substr(0, length));
        ASSERT_FALSE(shape.ok()) << length;
        EXPECT_EQ(shape.error().reason.rfind("line ", 0), 0u) << shape.error().reason;
    }
}

TEST(ShapeReader, ReadsUtf16And8BitFilesAlike) {
    const test::TempFolder folder;
    const std::string withName =
        replaced(test::kSmallShape, "matrix Roof", "matrix Dach\xC3\xA4\xE2\x82\xAC");
    folder.write("unicode.s", encodeUtf16LeWithBom(withName));
    folder.write("plain.s", withName);
    folder.write("latin.s", encodeWindows1252(withName));
    folder.write("nomark.s", encodeUtf16Le(withName));
    LocalFileSystem fileSystem;
    for (const char* name : {"unicode.s", "plain.s", "latin.s", "nomark.s"}) {
        SCOPED_TRACE(name);
        const auto shape = readShapeFile(fileSystem, folder / name);
        ASSERT_TRUE(shape.ok()) << shape.error().message();
        EXPECT_EQ(shape->matrices.at(1).name, "Dach\xC3\xA4\xE2\x82\xAC");
    }
    const auto missing = readShapeFile(fileSystem, folder / "missing.s");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().path, folder / "missing.s");
    const auto damaged =
        readShapeFile(fileSystem, (folder.write("bad.s", "shape ( points ( 1 ) )"), folder / "bad.s"));
    ASSERT_FALSE(damaged.ok());
    EXPECT_EQ(damaged.error().message(), folder / "bad.s" + ": line 1: points ends after 0 of its 1 entries");
}

TEST(ShapeText, DecodesEveryWidthFromPiecesOfAnySize) {
    const std::string text =
        "SIMISA " + std::string(40, 'a') + "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x9A\x82" + std::string(20, 'b');
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {encodeUtf16LeWithBom(text), text},
        {encodeUtf16Le(text), text},
        {encodeUtf16LeWithBom("\xE2\x82\xAC" + text), "\xE2\x82\xAC" + text},
        {encodeUtf16LeWithBom(text) + "\x3D", text},                      // an odd last byte
        {encodeUtf16LeWithBom(text) + "\x3D\xD8", text + "\xEF\xBF\xBD"}, // a lone high surrogate
        {"\xEF\xBB\xBF" + text, text},
        {"\xE4" + text, "\xE4" + text}, // 8-bit stays as it is
        {"s", "s"},
    };
    for (const auto& c : cases) {
        for (const std::size_t pieceSize :
             {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, c.bytes.size()}) {
            ShapeTextBuilder builder;
            for (std::size_t at = 0; at < c.bytes.size(); at += pieceSize)
                builder.add(std::string_view(c.bytes).substr(at, pieceSize), c.bytes.size());
            EXPECT_EQ(builder.finish(), c.text) << pieceSize;
        }
    }
}

int triangleCount(const DistanceLevel& level) {
    std::size_t indices = 0;
    for (const SubObject& object : level.subObjects)
        for (const TriangleList& list : object.triangleLists) indices += list.vertexIndices.size();
    return static_cast<int>(indices / 3);
}

TEST(ShapeReader, ReadsRealShapeFiles) {
    QUILLFEN_REQUIRE_TESTDATA();
    const struct {
        const char* file;
        std::size_t points, matrices, images;
        std::vector<float> selections;
        int firstLevelTriangles;
    } cases[] = {
        {"BlenderExporter__Crate.s", 8, 1, 1, {2000}, 12},
        {"BlenderExporter__unionstop.s", 22, 1, 2, {2000}, 30},
        {"F89F__decals_rttx_151072.s", 124, 1, 1, {300}, 70},
        {"F89F__upsz29002.s", 1146, 1, 1, {700, 1500}, 2140},
        {"TSRE5__jp2signal9.s", 112, 2, 1, {50, 100, 200, 400}, 143},
        {"shapeio__DK10f_A1tPnt5dLft.s", 3962, 10, 11, {200, 500, 800, 2000}, 5158},
        {"trackshape-utils__DB1z_a1t150r10d.s", 1020, 5, 3, {500, 800, 2000}, 1328},
        {"trackshape-utils__NR_EmbBase_a1t10mStrt.s", 76, 1, 3, {400, 800, 2000}, 90},
    };
    LocalFileSystem fileSystem;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto shape =
            readShapeFile(fileSystem, joinPath(joinPath(test::testDataDir(), "sfiles"), c.file));
        ASSERT_TRUE(shape.ok()) << shape.error().message();
        EXPECT_EQ(shape->points.size(), c.points);
        EXPECT_EQ(shape->matrices.size(), c.matrices);
        EXPECT_EQ(shape->images.size(), c.images);
        std::vector<float> selections;
        for (const DistanceLevel& level : shape->distanceLevels) selections.push_back(level.selection);
        EXPECT_EQ(selections, c.selections);
        EXPECT_EQ(triangleCount(shape->distanceLevels.at(0)), c.firstLevelTriangles);
    }
}

TEST(ShapeReader, ReadsTheConvertersExampleHouse) {
    const std::string house = joinPath(joinPath(QUILLFEN_SOURCE_DIR, "examples"), "house");
    const auto conversion = conv3ds::convertFiles(
        "house.s", {joinPath(house, "house_100.3ds"), joinPath(house, "house_500.3ds")});
    ASSERT_TRUE(conversion.ok) << conversion.message;
    const auto shape = readShapeText(shapeTextFromBytes(conversion.bytes));
    ASSERT_TRUE(shape.ok()) << shape.error().message();
    for (const char* image : {"wall.ace", "roof.ace"})
        EXPECT_NE(std::find(shape->images.begin(), shape->images.end(), image), shape->images.end()) << image;
    ASSERT_EQ(shape->distanceLevels.size(), 2u);
    EXPECT_FLOAT_EQ(shape->distanceLevels[0].selection, 100.0F);
    EXPECT_FLOAT_EQ(shape->distanceLevels[1].selection, 500.0F);
    EXPECT_EQ(shape->distanceLevels[0].subObjects.size(), 5u);
    EXPECT_GT(triangleCount(shape->distanceLevels[0]), triangleCount(shape->distanceLevels[1]));
}

} // namespace
} // namespace quillfen
