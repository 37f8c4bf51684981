#include "support/HandWrittenShape.h"

#include "bbox/BoundingBoxCalculation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

namespace quillfen {
namespace {

using test::computeBox;
using test::LevelText;
using test::ShapeText;
using test::SubObjectText;

constexpr const char* kIdentity = "1 0 0 0 1 0 0 0 1 0 0 0";
using Strings = std::vector<std::string>;

/// The text with its first `from` replaced; the test fails when there is none.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

/// A shape of these points, levels (empty: one vertex of point 0), matrices and vertex-state matrices.
std::string shape(Strings points, std::vector<LevelText> levels = {}, Strings matrices = {kIdentity},
                  Strings vertexStateMatrices = {"0"}) {
    ShapeText s;
    s.points = std::move(points);
    if (!levels.empty()) s.levels = std::move(levels);
    s.matrices = std::move(matrices);
    s.vertexStateMatrices = std::move(vertexStateMatrices);
    return s.text();
}

/// The point (1, 2, 3) through the vertex state's matrix `matrix`.
std::string chain(const char* hierarchy, Strings matrices, const char* matrix) {
    return shape({"1 2 3"}, {LevelText{hierarchy, {SubObjectText{{0}, {"0 0 1"}}}}}, std::move(matrices),
                 {matrix});
}

std::string oneSubObject(SubObjectText sub) {
    return shape({"1 2 3"}, {LevelText{"1 -1", {std::move(sub)}}});
}

/// The point (5, 5, 5) in a table counted as three, seen through `sub`.
std::string pointsCountedAs3(SubObjectText sub) {
    return replaced(shape({"5 5 5"}, {LevelText{"1 -1", {std::move(sub)}}}), "points ( 1", "points ( 3");
}

TEST(ShapeGeometry, TheBoxEnclosesThePointsOfTheFirstLevel) {
    const std::tuple<const char*, std::string, BoxValues> cases[] = {
        {"MatrixZeroIsNeverApplied", chain("1 -1", {"1 0 0 0 1 0 0 0 1 50 50 50"}, "0"), {1, 2, 3, 1, 2, 3}},
        // The child rotates and moves, then its parent moves, and root 0 not: (1,2,3) -> (2,2,1) -> (2,2,11).
        {"ParentAppliedAfterChild",
         chain("3 -1 0 1",
               {"1 0 0 0 1 0 0 0 1 9 9 9", "1 0 0 0 1 0 0 0 1 0 0 10", "0 0 1 0 1 0 -1 0 0 5 0 0"}, "2"),
         {2, 2, 11, 2, 2, 11}},
        // The set "0 2 3" uses vertices 2, 3 and 4 only.
        {"VertexSetSkipsVertices",
         shape({"100 100 100", "-100 -100 -100", "1 0 0", "0 2 0", "0 0 -3", "50 50 50"},
               {LevelText{"1 -1", {SubObjectText{{0, 1, 2, 3, 4, 5}, {"0 2 3"}}}}}),
         {0, 0, -3, 1, 2, 0}},
        {"ExactHalvesRoundToEven",
         shape({"0.03125 0.09375 -0.03125"}),
         {0.0312f, 0.0938f, -0.0312f, 0.0312f, 0.0938f, -0.0312f}},
        // Only the first level counts, with the first hierarchy.
        {"TwoDistanceLevels",
         shape({"1 1 1", "-1 -1 -1", "9 9 9"},
               {LevelText{"2 -1 0", {SubObjectText{{0}, {"0 0 1"}}, SubObjectText{{1}, {"1 0 1"}}}},
                LevelText{"2 -1 -1", {SubObjectText{{2}, {"0 0 1"}}}}},
               {kIdentity, "1 0 0 0 1 0 0 0 1 100 0 0"}, {"0", "1"}),
         {1, -1, -1, 99, 1, 1}},
        // Without CRs every record line is empty and all fields read as 0.
        {"LineFeedsOnly",
         [] {
             ShapeText s;
             s.lineEnd = "\n";
             return s.text();
         }(),
         {0, 0, 0, 0, 0, 0}},
        // Fewer records than the count: a vertex without one holds point 0, a point without one is (0, 0, 0).
        {"VertexWithoutRecord", pointsCountedAs3({{0}, {"0 0 2"}, "2"}), {5, 5, 5, 5, 5, 5}},
        {"PointWithoutRecord", pointsCountedAs3({{0, 2}, {"0 0 2"}}), {0, 0, 0, 5, 5, 5}},
        {"FortyDigitsWithLeadingZeros", shape({std::string(39, '0') + "1 2 3"}), {1, 2, 3, 1, 2, 3}},
    };
    for (const auto& [name, text, expected] : cases) {
        SCOPED_TRACE(name);
        const auto outcome = computeBox(text);
        ASSERT_TRUE(outcome.read.ok()) << outcome.read.error().message();
        ASSERT_TRUE(outcome.box.ok()) << outcome.box.error().message();
        EXPECT_EQ(*outcome.box, expected);
    }
}

// Vertices that no set uses count too; texture coordinates are no points (English: the real files).
TEST(ShapeGeometry, WritesTheVertexAndPointTotalsInTheLanguage) {
    const std::string text =
        shape({"1 2 3", "4 5 6"},
              {LevelText{"1 -1", {SubObjectText{{0, 1, 1}, {"0 0 1"}}, SubObjectText{{0}, {"0 0 1"}}}},
               LevelText{"1 -1", {SubObjectText{{0, 0, 0, 0}, {"0 0 1"}}}}});
    EXPECT_EQ(computeBox(text, nullptr, Language::German).log,
              (Strings{"•BoundingBox Ermittlung: Shape hat 4 Vertices.",
                       "•BoundingBox Ermittlung: Shape hat 2 Points."}));
}

TEST(ShapeGeometry, ATableWhoseCountIsZeroKeepsItsEarlierContent) {
    GeometryTables tables;
    ASSERT_TRUE(computeBox(shape({"7 8 9"}), &tables).box.ok());
    const auto outcome = computeBox(replaced(shape({"1 1 1"}), "points ( 1", "points ( 0"), &tables);
    ASSERT_TRUE(outcome.box.ok());
    EXPECT_EQ(*outcome.box, (BoxValues{7, 8, 9, 7, 8, 9}));
    EXPECT_EQ(outcome.log.size(), 1u) << "no point line without a point table";
}

TEST(ShapeGeometry, SumsProductsInDoublePrecisionBeforeStoringFloats) {
    // (1 + 2^-23)^2 - (1 + 2^-22) is 2^-46 in double precision but 0 in float steps.
    const float a = 1.0f + 0x1p-23f;
    const float b = 1.0f + 0x1p-22f;
    EXPECT_EQ(
        transformierePunkt(Point{a, b, 0.0f}, Matrix{a, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0}, true, false).x,
        0x1p-46f);
    const Point translated =
        transformierePunkt(Point{1, 2, 3}, Matrix{0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 6, 7}, false, true);
    EXPECT_EQ(translated.x, 6.0f);
    EXPECT_EQ(translated.z, 10.0f);
}

TEST(ShapeGeometry, EveryFailureEndsTheComputationAndLeavesTheBoxAsItWas) {
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"NoPrimitives", "without \"primitives (\"",
         replaced(ShapeText{}.text(), "primitives (", "primitives(")},
        {"HierarchyCountZero", "hierarchy count of 0", chain("0 -1", {kIdentity}, "0")},
        {"VertexCountZero", "count of vertices", oneSubObject({{0}, {"0 0 1"}, "0"})},
        {"MoreVerticesThanCount", "more vertex records", oneSubObject({{0, 0}, {"0 0 1"}, "1"})},
        {"PointIndexBeyond16Bits", "point index does not fit", oneSubObject({{40000}, {"0 0 1"}})},
        {"VertexStateIndexOutside", "vertex-state index outside", oneSubObject({{0}, {"1 0 1"}})},
        {"VertexIndexOutside", "vertex index outside", oneSubObject({{0}, {"0 0 2"}})},
        {"PointIndexOutside", "point index outside", oneSubObject({{1}, {"0 0 1"}})},
        {"MatrixIndexOutsideMatrices", "outside the matrices", chain("3 -1 0 0", {kIdentity}, "2")},
        {"ParentChainLoops", "loop", chain("3 -1 2 1", {kIdentity, kIdentity, kIdentity}, "1")},
        {"CoordinateBeyondFloat", "beyond a 32-bit float", shape({"1e39 0 0"})},
        {"MovedPointBeyondFloat", "moved point",
         chain("2 -1 0", {kIdentity, "3e38 0 0 3e38 1 0 0 0 1 0 0 0"}, "1")},
        {"VertexStateWithoutRecord", "usable matrix index",
         replaced(oneSubObject({{0}, {"1 0 1"}}), "vtx_states ( 1", "vtx_states ( 2")},
        {"EmptyText", "no \"hierarchy (\"", ""},
        // Forty digits fail only where they cannot fit.
        {"FortyDigitCoordinate", "", shape({"1234567890123456789012345678901234567890 0 0"})},
    };
    for (const auto& [name, reason, text] : cases) {
        SCOPED_TRACE(name);
        GeometryTables tables;
        tables.result = {1, 2, 3, 4, 5, 6};
        const auto outcome = computeBox(text, &tables);
        ASSERT_FALSE(outcome.read.ok() && outcome.box.ok());
        const Error& error = outcome.read.ok() ? outcome.box.error() : outcome.read.error();
        EXPECT_THAT(error.reason, ::testing::HasSubstr(reason));
        EXPECT_EQ(tables.result, (BoxValues{1, 2, 3, 4, 5, 6}));
    }
}

} // namespace
} // namespace quillfen
