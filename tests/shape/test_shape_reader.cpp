// Reading whole shapes: the stand-in converter's example house, both encodings,
// and damaged files that must name their line (real files from other tools:
// tests/bbox/test_real_shape_files.cpp reads them through both readers).

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
#include <span>

namespace quillfen {
namespace {

using namespace shape;

// What the mesh's tests (test_shape_mesh.cpp: positions through the matrices,
// materials, levels, indices) do not show of the small shape.
TEST(ShapeReader, ReadsEveryTableOfTheSmallShape) {
    const auto shape = readShapeText(test::kSmallShape);
    ASSERT_TRUE(shape.ok()) << shape.error().message();
    EXPECT_EQ(shape->shaders, (std::vector<std::string>{"TexDiff", "BlendATexDiff"}));
    EXPECT_EQ(shape->matrices.at(1).name, "Roof");
    EXPECT_FLOAT_EQ(shape->textures.at(0).mipmapBias, -3.0F);
    EXPECT_EQ(shape->vertexStates.at(0).matrix, 1);
    EXPECT_EQ(shape->primStates.at(0).name, "Roof");
    EXPECT_TRUE(shape->primStates.at(1).textures.empty());
    EXPECT_EQ(shape->distanceLevels.at(0).hierarchy, (std::vector<int>{-1, 0}));
    EXPECT_EQ(shape->distanceLevels[0].subObjects.at(0).vertices.at(2).texturePoint, -1);
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
        {"vertices ( 3", "vertices ( 4", "line 36: vertices ends after 3 of its 4 entries"},
        {"vertex_set ( 0 0 3 )", "vertex_set ( 0 1 3 )", "line 37: the vertex set runs past the 3 vertices"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 3 0 1 3 )",
         "line 39: vertex index 3 lies outside its table of 3 entries"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 2 0 1 )",
         "line 39: vertex_idxs holds 2 indices, not whole triangles"},
        {"normal_idxs ( 1 0 3 )", "normal_idxs ( 2 0 3 0 3 )",
         "line 39: indexed_trilist has 1 triangles, but 2 normals and 1 flags"},
        {"primitives ( 2 prim_state_idx ( 0 )", "primitives ( 1 indexed_trilist",
         "line 38: an indexed_trilist stands before any prim_state_idx"},
        {"primitives ( 2", "primitives ( 3", "line 40: primitives ends after 2 of its 3 entries"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@F",
         "line 1: the shape file is compressed; only text shape files can be read"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@@@@@@@@@@JINX0t1t",
         "line 1: the file is no shape file: its header is 'SIMISA@@@@@@@@@@JINX0t1t______'"},
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
    folder.write("latin.s", encodeWindows1252(withName));
    LocalFileSystem fileSystem;
    for (const char* name : {"unicode.s", "latin.s"}) {
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
            // As the file system reads: each piece into the room the builder gives
            // (behind the text itself, once it is known to be 8-bit).
            ShapeTextBuilder builder;
            for (std::size_t at = 0, size = 0; at < c.bytes.size(); at += size) {
                const std::span<char> room = builder.room(c.bytes.size());
                size = std::min({pieceSize, room.size(), c.bytes.size() - at});
                std::copy_n(c.bytes.data() + at, size, room.data());
                builder.take(std::string_view(room.data(), size), c.bytes.size());
            }
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
    EXPECT_EQ(shape->distanceLevels[0].subObjects.size(), 5u);
    EXPECT_GT(triangleCount(shape->distanceLevels[0]), triangleCount(shape->distanceLevels[1]));
}

} // namespace
} // namespace quillfen
