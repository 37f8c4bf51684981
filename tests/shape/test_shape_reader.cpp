// Reading whole shapes (real files from other tools: tests/bbox/test_real_shape_files.cpp).

#include "support/SmallShape.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "shape/ShapeReader.h"
#include "shape/ShapeText.h"

#include <gtest/gtest.h>

namespace quillfen {
namespace {

using namespace shape;

// What test_shape_mesh.cpp does not show of the small shape through the same reader.
TEST(ShapeReader, KeepsAVertexWithoutTexturePoint) {
    const auto shape = readShapeText(test::kSmallShape);
    ASSERT_TRUE(shape.ok()) << shape.error().message();
    EXPECT_EQ(shape->distanceLevels.at(0).subObjects.at(0).vertices.at(2).texturePoint, -1);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(ShapeReader, NamesTheLineAndTheFaultOfADamagedFile) {
    // What is replaced, by what, and the reason given.
    const char* cases[][3] = {
        {"points ( 3", "points ( 4", "line 11: points ends after 3 of its 4 entries"},
        {"point ( 1 0 0 )", "point ( 1 x 0 )", "line 9: expected y, found 'x'"},
        {"( 100 ) hierarchy ( 2 -1 0 )", "( 100 ) hierarchy ( 2 -1 2 )",
         "line 29: parent matrix 2 lies outside the 2 matrices"},
        {"( 100 ) hierarchy ( 2 -1 0 )", "( 100 ) hierarchy ( 2 1 0 )",
         "line 29: the hierarchy's parents form a loop"},
        {"vertex ( 00000000 2 0", "vertex ( 00000000 3 0",
         "line 35: point index 3 lies outside its table of 3 entries"},
        {"vertex_set ( 0 0 3 )", "vertex_set ( 0 1 3 )", "line 37: the vertex set runs past the 3 vertices"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 3 0 1 3 )",
         "line 39: vertex index 3 lies outside its table of 3 entries"},
        {"vertex_idxs ( 3 0 1 2 )", "vertex_idxs ( 2 0 1 )",
         "line 39: vertex_idxs holds 2 indices, not whole triangles"},
        {"primitives ( 2 prim_state_idx ( 0 )", "primitives ( 1 indexed_trilist",
         "line 38: an indexed_trilist stands before any prim_state_idx"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@F",
         "line 1: the shape file is compressed; only text shape files can be read"},
        {"SIMISA@@@@@@@@@@JINX0s1t", "SIMISA@@@@@@@@@@JINX0t1t",
         "line 1: the file is no shape file: its header is 'SIMISA@@@@@@@@@@JINX0t1t______'"},
        {"\r\n)\r\nmax_data", "\r\nmax_data", "line 47: the file ends inside shape"}};
    for (const auto& [from, to, reason] : cases) {
        SCOPED_TRACE(to);
        const auto shape = readShapeText(replaced(test::kSmallShape, from, to));
        ASSERT_FALSE(shape.ok());
        EXPECT_EQ(shape.error().reason, reason);
    }
}

TEST(ShapeReader, EveryTruncationIsAnErrorWithALine) {
    for (std::size_t length = 0; length + 40 < test::kSmallShape.size(); ++length) {
        const auto shape = readShapeText(std::string_view(test::kSmallShape).substr(0, length));
        ASSERT_FALSE(shape.ok()) << length;
        EXPECT_EQ(shape.error().reason.rfind("line ", 0), 0u) << shape.error().reason;
    }
}

/// The small shape with `count` copies of its sub-object in each level, one
/// with the keyword "sub_object" in a skipped block.
std::string manySubObjects(int count) {
    const std::string& small = test::kSmallShape;
    const auto first = small.find("sub_object (");
    const auto last = small.find(") )\r\n\t\t\t)") + 1; // the sub-object's own ")"
    const std::string object = small.substr(first, last - first) + "\r\n";
    std::string objects;
    for (int i = 0; i < count; ++i)
        objects += i == count / 2 ? replaced(object, "( nested )", "( sub_object ( nested ) )") : object;
    const std::string list = std::to_string(count) + " " + objects;
    return replaced(small.substr(0, first), "sub_objects ( 1 ", "sub_objects ( " + list) +
           replaced(small.substr(last), "sub_objects ( 0 )", "sub_objects ( " + list + ")");
}

TEST(ShapeReader, ThreadsReadingAheadGiveTheResultOfOneReader) {
    const std::string text = manySubObjects(30);
    std::size_t takenAhead = 0;
    const ShapeReading alone{1};
    const auto shape = readShapeText(text, alone);
    ASSERT_TRUE(shape.ok()) << shape.error().message();
    ASSERT_EQ(shape->distanceLevels.at(1).subObjects.size(), 30u);
    for (const unsigned threads : {2U, 3U, 7U}) {
        const auto shared = readShapeText(text, {threads, 0, &takenAhead});
        ASSERT_TRUE(shared.ok()) << threads;
        EXPECT_TRUE(*shared == *shape) << threads;
    }
    EXPECT_GT(takenAhead, 20u);
    // Damaged in the last sub-object, which a thread reads, and cut short anywhere.
    std::string damaged = text;
    damaged.replace(damaged.rfind("normal_idxs ( 1 0 3 )"), 21, "normal_idxs ( 2 0 3 )");
    for (std::size_t length = text.size() / 3; length <= text.size(); length += 89) {
        for (const std::string_view variant : {std::string_view(text), std::string_view(damaged)}) {
            const std::string_view cut = variant.substr(0, length);
            const auto expected = readShapeText(cut, alone);
            const auto actual = readShapeText(cut, {3, 0});
            ASSERT_EQ(actual.ok(), expected.ok()) << length;
            if (expected.ok())
                EXPECT_TRUE(*actual == *expected) << length;
            else
                EXPECT_EQ(actual.error().reason, expected.error().reason) << length;
        }
    }
}

TEST(ShapeReader, ReadsUtf16And8BitFilesAlike) {
    const test::TempFolder folder;
    const std::string withName =
        replaced(test::kSmallShape, "matrix Roof", "matrix Dach\xC3\xA4\xE2\x82\xAC");
    const std::string mapped(kSmallestMappedFile, ' '); // behind the shape: ignored, but the file is mapped
    folder.write("unicode.s", encodeUtf16LeWithBom(withName + mapped));
    folder.write("latin.s", encodeWindows1252(withName));
    folder.write("utf8.s", "\xEF\xBB\xBF" + withName + mapped);
    LocalFileSystem fileSystem;
    for (const char* name : {"unicode.s", "latin.s", "utf8.s"}) {
        SCOPED_TRACE(name);
        const auto shape = readShapeFile(fileSystem, folder / name);
        ASSERT_TRUE(shape.ok()) << shape.error().message();
        EXPECT_EQ(shape->matrices.at(1).name, "Dach\xC3\xA4\xE2\x82\xAC");
    }
    folder.write("empty.s", ""); // no mapping: read as it is
    EXPECT_EQ(readShapeFile(fileSystem, folder / "empty.s").error().reason,
              "line 1: expected 'shape', found the end of the file");
    const auto missing = readShapeFile(fileSystem, folder / "missing.s");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().path, folder / "missing.s");
}

TEST(ShapeText, DecodesEveryWidth) {
    const std::string text =
        "SIMISA " + std::string(40, 'a') + "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x9A\x82" + std::string(20, 'b');
    const std::pair<std::string, std::string> cases[] = {
        // the bytes and the text they hold
        {encodeUtf16LeWithBom(text), text},
        {encodeUtf16Le(text), text},
        {encodeUtf16LeWithBom(text) + "\x3D", text},                      // an odd last byte
        {encodeUtf16LeWithBom(text) + "\x3D\xD8", text + "\xEF\xBF\xBD"}, // a lone high surrogate
        {"\xEF\xBB\xBF" + text, text},
        {"\xE4" + text, "\xE4" + text}, // 8-bit stays as it is
        {"s", "s"},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(ShapeText(bytes).view(), expected) << bytes.size();
}

} // namespace
} // namespace quillfen
